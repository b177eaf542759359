// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTranslator>

#include "core/codec/text_seam.h"
#include "lang/language.h"
#include "ui/app/user_settings.h"

namespace kestra {

QString T(const char* source) {
    return QCoreApplication::translate(kTextContext, source);
}

QString T(const std::string& source) {
    return T(source.c_str());
}

QString T(const char* source, int count) {
    return QCoreApplication::translate(kTextContext, source, nullptr, count);
}

QTranslator* InstallTranslations(const QString& appDirectory, const QLocale& locale) {
    return InstallLanguage(LanguageForUiLanguages(locale.uiLanguages()), appDirectory);
}

namespace {

constexpr const char* kLanguageKey = "language";
Language g_chosen = Language::Chinese;

} // namespace

bool StartLanguage(QStringList& arguments, const QLocale& locale, Language& language,
                   QString& error) {
    bool given = false;
    if (!TakeLanguageOption(arguments, given, language, error))
        return false;
    if (!given && !ParseLanguage(QSettings().value(QLatin1String(kLanguageKey)).toString(), language))
        language = LanguageForUiLanguages(locale.uiLanguages());
    g_chosen = language;
    return true;
}

Language ChosenLanguage() {
    return g_chosen;
}

bool ChooseLanguage(Language language, QString* failedFile, QString* reason) {
    // A choice that was not kept is not the choice: the next start would not
    // use it.
    if (!ChangeUserSettings(
            [language](QSettings& settings) {
                settings.setValue(QLatin1String(kLanguageKey), LanguageCode(language));
            },
            failedFile, reason))
        return false;
    g_chosen = language;
    return true;
}

} // namespace kestra
