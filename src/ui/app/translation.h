// SPDX-License-Identifier: GPL-3.0-or-later
// The application's side of the text seam (core/codec/text_seam.h): T() shows
// a text declared with KESTRA_TEXT in the language the program runs in, and
// InstallTranslations loads that language at start-up.
#pragma once

#include <QLocale>
#include <QString>
#include <string>

class QTranslator;

namespace kestra {

// The translation of a source text, or the text itself when there is none.
QString T(const char* source);
QString T(const std::string& source);

// Loads kestra_<language>.qm for the first of the locale's UI languages that
// has one, from the program's folder, else from the resources
// (:/translations), and lets core compose its messages in the same language.
// Returns the installed translator (owned by the application), or nullptr
// when there is no translation for the locale: the source texts stay.
QTranslator* InstallTranslations(const QString& appDirectory, const QLocale& locale = QLocale());

} // namespace kestra
