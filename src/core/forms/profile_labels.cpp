#include "core/forms/profile_labels.h"

namespace kestra::forms {

namespace {

std::vector<LabelTranslator>& Languages() {
    static std::vector<LabelTranslator> languages;
    return languages;
}

LabelTranslator& PrintLanguage() {
    static LabelTranslator language;
    return language;
}

} // namespace

std::string TranslateLabel(const std::string& source, const LabelTranslator& language) {
    std::string label = language(source);
    const auto blank = source.find(' ');
    if (label != source || blank == std::string::npos || blank == 0)
        return label;
    const std::string text = source.substr(blank);
    const std::string translated = language(text);
    return translated == text ? source : source.substr(0, blank) + translated;
}

std::string TranslateKey(const std::string& key, const LabelTranslator& language) {
    const std::string whole = TranslateLabel(key, language);
    if (whole != key)
        return whole;
    for (auto slash = key.find('/'); slash != std::string::npos; slash = key.find('/', slash + 1)) {
        const std::string row = key.substr(0, slash), column = key.substr(slash + 1);
        const std::string r = TranslateLabel(row, language), c = TranslateLabel(column, language);
        if (r != row || c != column)
            return r + "/" + c;
    }
    return key;
}

void SetProfileLanguages(std::vector<LabelTranslator> languages) {
    Languages() = std::move(languages);
}

void SetProfilePrintLanguage(LabelTranslator language) {
    PrintLanguage() = std::move(language);
}

std::string PrintedLabel(const std::string& source) {
    return PrintLanguage() ? TranslateLabel(source, PrintLanguage()) : source;
}

bool LabelMatches(const std::string& source, const std::string& written) {
    if (source == written)
        return true;
    for (const LabelTranslator& language : Languages())
        if (TranslateLabel(source, language) == written)
            return true;
    return false;
}

int FindLabel(const std::vector<std::string>& sources, const std::string& written) {
    // The source spelling first: a source label equal to another one's
    // translation still names itself.
    for (std::size_t i = 0; i < sources.size(); ++i)
        if (sources[i] == written)
            return static_cast<int>(i);
    for (std::size_t i = 0; i < sources.size(); ++i)
        if (LabelMatches(sources[i], written))
            return static_cast<int>(i);
    return -1;
}

} // namespace kestra::forms
