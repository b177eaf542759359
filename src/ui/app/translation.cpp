// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>

#include "core/codec/text_seam.h"
#include "core/document/app_directory.h"

namespace kestra {

namespace {

std::string TranslateForCore(const char* source) {
    return T(source).toStdString();
}

// kestra_<name>.qm names to look for, most specific first: every UI language
// of the locale, each followed by its shorter forms ("en_GB", "en").
QStringList CatalogNames(const QLocale& locale) {
    QStringList names;
    for (QString language : locale.uiLanguages()) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        for (;;) {
            const QString name = QStringLiteral("kestra_%1.qm").arg(language);
            if (!names.contains(name))
                names.append(name);
            const int cut = language.lastIndexOf(QLatin1Char('_'));
            if (cut <= 0)
                break;
            language.truncate(cut);
        }
    }
    return names;
}

} // namespace

QString T(const char* source) {
    return QCoreApplication::translate(kTextContext, source);
}

QString T(const std::string& source) {
    return T(source.c_str());
}

QTranslator* InstallTranslations(const QString& appDirectory, const QLocale& locale) {
    SetTextTranslator(&TranslateForCore);
    QStringList dirs{QStringLiteral(":/translations")};
    // An installed program keeps its catalogues in share/kestra/translations.
    const std::string data = PackagedDataDirectory(appDirectory.toStdString());
    if (!data.empty())
        dirs.prepend(QString::fromStdString(data) + QStringLiteral("translations"));
    if (!appDirectory.isEmpty())
        dirs.prepend(appDirectory);
    for (const QString& name : CatalogNames(locale)) {
        for (const QString& dir : dirs) {
            const QString path = QDir(dir).filePath(name);
            if (!QFileInfo::exists(path))
                continue;
            auto* translator = new QTranslator(QCoreApplication::instance());
            if (translator->load(path)) {
                QCoreApplication::installTranslator(translator);
                return translator;
            }
            delete translator;
        }
    }
    return nullptr;
}

} // namespace kestra
