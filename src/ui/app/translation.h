// SPDX-License-Identifier: GPL-3.0-or-later
// The application's side of the text seam (core/codec/text_seam.h): T() shows
// a text declared with KESTRA_TEXT in the language the program runs in, and
// InstallTranslations loads that language at start-up.
#pragma once

#include <QLocale>
#include <QString>
#include <string>

#include "lang/language.h"

class QTranslator;

namespace kestra {

// The translation of a source text, or the text itself when there is none.
QString T(const char* source);
QString T(const std::string& source);
// A text declared with KESTRA_COUNT_TEXT, in the form for count, with %n
// replaced by count.
QString T(const char* source, int count);

// Installs the language of the locale's preferred UI languages (Chinese for
// zh*, else English; lang/language.h), kestra_<code>.qm from the program's
// folder, else from the resources. Returns the installed catalogue, or
// nullptr for Chinese (the source texts) or when it is missing.
QTranslator* InstallTranslations(const QString& appDirectory, const QLocale& locale = UserLocale());

// The language kestra starts in: --lang (taken out of arguments), else the
// one chosen in 视图 → 语言 (the per-user settings), else the locale's. On a
// bad --lang returns false with the message in error.
bool StartLanguage(QStringList& arguments, const QLocale& locale, Language& language,
                   QString& error);
// The language chosen in 视图 → 语言, remembered for the next start; the
// running language until one is chosen.
Language ChosenLanguage();
// False, with the settings file's name (and the system's reason when it is
// known), when the choice could not be saved for the next start; the chosen
// language then stays as it was.
bool ChooseLanguage(Language language, QString* failedFile, QString* reason = nullptr);

} // namespace kestra
