#include "lang/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>
#include <cstring>
#include <memory>
#include <vector>
#ifndef _WIN32
#include <langinfo.h>
#endif

#include "core/codec/text_seam.h"
#include "core/document/app_directory.h"
#include "core/forms/profile_labels.h"

// Q_INIT_RESOURCE declares the initialiser in the namespace it is used in.
static void InitResources() {
#ifdef KESTRA_HAS_TRANSLATIONS
    Q_INIT_RESOURCE(kestra_translations);
#endif
}

namespace kestra {

namespace {

// The catalogue of the run's language; null for Chinese.
QTranslator* g_catalogue = nullptr;
Language g_language = Language::Chinese;

// The language the operating system's words in messages (a reason such as
// "No such file or directory") came in for the run: the catalogue's.
Language g_systemLanguage = Language::Chinese;

std::string TranslateForCore(const char* source, int count) {
    return Translate(source, count).toStdString();
}

forms::LabelTranslator LabelsOf(const QTranslator* catalogue) {
    return [catalogue](const std::string& source) {
        const QString text = catalogue->translate(kTextContext, source.c_str());
        return text.isEmpty() ? source : text.toStdString();
    };
}

// Every catalogue in the resources, loaded once, for reading profiles.
const std::vector<std::unique_ptr<QTranslator>>& ShippedCatalogues() {
    static const auto catalogues = [] {
        InitResources();
        std::vector<std::unique_ptr<QTranslator>> out;
        QDirIterator it(QStringLiteral(":/translations"), {QStringLiteral("kestra_*.qm")});
        while (it.hasNext()) {
            auto catalogue = std::make_unique<QTranslator>();
            if (catalogue->load(it.next()))
                out.push_back(std::move(catalogue));
        }
        return out;
    }();
    return catalogues;
}

// Qt's own words that come from the locale rather than a catalogue (a file
// dialog's "unknown" file type and "1 byte") in the run's language; numbers
// and dates keep the user's country where Qt knows that pair.
void SetDefaultLocale(Language language) {
    const QLocale system = QLocale::system();
    const QLocale::Language wanted =
        language == Language::Chinese ? QLocale::Chinese : QLocale::English;
    QLocale::setDefault(system.language() == wanted ? system : QLocale(wanted, system.territory()));
}

} // namespace

bool ParseLanguage(const QString& code, Language& language) {
    const QString c = code.toLower();
    if (c == QLatin1String("zh"))
        language = Language::Chinese;
    else if (c == QLatin1String("en"))
        language = Language::English;
    else
        return false;
    return true;
}

QString LanguageCode(Language language) {
    return language == Language::Chinese ? QStringLiteral("zh") : QStringLiteral("en");
}

Language LanguageForUiLanguages(const QStringList& uiLanguages) {
    if (!uiLanguages.isEmpty() && uiLanguages.first().toLower().startsWith(QLatin1String("zh")))
        return Language::Chinese;
    return Language::English;
}

QLocale UserLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (value.isEmpty())
            continue;
        if (value == "C" || value == "POSIX" || value.startsWith("C."))
            return QLocale::c();
        break;
    }
    // Unset everywhere is the C locale on Linux already; Windows and macOS
    // keep the language in their own settings, not in the environment.
    return QLocale::system();
}

bool TakeLanguageOption(QStringList& arguments, bool& given, Language& language, QString& error) {
    const QString option = QStringLiteral("--lang");
    for (int i = 1; i < arguments.size(); ++i) {
        const QString arg = arguments.at(i);
        if (arg == QLatin1String("--"))
            break;
        QString value;
        int taken = 1;
        if (arg == option) {
            if (i + 1 >= arguments.size()) {
                error = Translate(KESTRA_TEXT("kestra", "选项 --lang 需要一个值（zh 或 en）"));
                return false;
            }
            value = arguments.at(i + 1);
            taken = 2;
        } else if (arg.startsWith(option + QLatin1Char('='))) {
            value = arg.mid(option.size() + 1);
        } else {
            continue;
        }
        if (!ParseLanguage(value, language)) {
            error = Translate(KESTRA_TEXT("kestra", "未知的语言“%1”（可用：zh、en）")).arg(value);
            return false;
        }
        given = true;
        arguments.remove(i, taken);
        --i;
    }
    return true;
}

namespace {

// Language's catalogue from the program's folder, the installed data
// folder or the resources, in that order; nullptr for Chinese (the source
// texts) or when none loads.
std::unique_ptr<QTranslator> LoadCatalogue(Language language, const QString& appDirectory) {
    if (language == Language::Chinese)
        return nullptr;
    const QString name = QStringLiteral("kestra_%1.qm").arg(LanguageCode(language));
    QStringList paths{QStringLiteral(":/translations/") + name};
    // An installed program keeps its catalogues in share/kestra/translations.
    const std::string data = PackagedDataDirectory(appDirectory.toStdString());
    if (!data.empty())
        paths.prepend(
            QDir(QString::fromStdString(data) + QStringLiteral("translations")).filePath(name));
    if (!appDirectory.isEmpty())
        paths.prepend(QDir(appDirectory).filePath(name));
    for (const QString& path : paths) {
        auto catalogue = std::make_unique<QTranslator>();
        if (QFileInfo::exists(path) && catalogue->load(path))
            return catalogue;
    }
    return nullptr;
}

} // namespace

QTranslator* InstallLanguage(Language language, const QString& appDirectory, bool printLabels) {
    std::vector<forms::LabelTranslator> shipped;
    for (const auto& catalogue : ShippedCatalogues())
        shipped.push_back(LabelsOf(catalogue.get()));
    forms::SetProfileLanguages(std::move(shipped));
    forms::SetProfilePrintLanguage(nullptr);
    SetTextTranslator(&TranslateForCore);
    if (g_catalogue) {
        if (QCoreApplication::instance())
            QCoreApplication::removeTranslator(g_catalogue);
        delete g_catalogue;
        g_catalogue = nullptr;
    }
    g_language = language;
    g_catalogue = LoadCatalogue(language, appDirectory).release();
    if (g_catalogue) {
        if (QCoreApplication::instance())
            QCoreApplication::installTranslator(g_catalogue);
        if (printLabels)
            forms::SetProfilePrintLanguage(LabelsOf(g_catalogue));
    }
    // Without its catalogue the run speaks the source texts' Chinese.
    g_systemLanguage = g_catalogue ? language : Language::Chinese;
    ApplySystemMessageLanguage();
    SetDefaultLocale(g_systemLanguage);
    return g_catalogue;
}

void ApplySystemMessageLanguage() {
#if defined(LC_MESSAGES) && !defined(_WIN32)
    // The C locale's messages are English whatever LANGUAGE asks for.
    if (g_systemLanguage == Language::English) {
        std::setlocale(LC_MESSAGES, "C");
        return;
    }
    const char* current = std::setlocale(LC_MESSAGES, nullptr);
    if (current && std::strncmp(current, "zh", 2) == 0)
        return;
    // Chinese words need UTF-8 characters; zh_CN only where it is installed.
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0)
        std::setlocale(LC_MESSAGES, "zh_CN.UTF-8");
#endif
}

Language CurrentLanguage() {
    return g_language;
}

QString Translate(const char* source, int count) {
    if (g_catalogue) {
        const QString text = g_catalogue->translate(kTextContext, source, nullptr, count);
        if (!text.isEmpty())
            return text;
    }
    return QString::fromUtf8(source);
}

} // namespace kestra
