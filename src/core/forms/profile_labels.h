// The languages of profile labels. The keys and list entries of a profile are
// the dialog's labels; their canonical form is the source (Chinese) text, so
// that saved profiles and scripts do not change with the user's language.
//
// Core holds no catalogue: the layer that loads the translations hands in one
// translator per shipped language (source label -> that language's label).
// `settings` and `diff` print the source labels unless a print language is
// set (kestra-cli --lang en); reading a profile accepts a label in the source
// language or in any shipped language. Both are set once at start-up, before
// any profile is read or written.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kestra::forms {

using LabelTranslator = std::function<std::string(const std::string& source)>;

// Every shipped language but the source one.
void SetProfileLanguages(std::vector<LabelTranslator> languages);
// The language labels are printed in; an empty translator prints the source.
void SetProfilePrintLanguage(LabelTranslator language);

// A label in one language. Some labels are composed by their form: a band's
// range and a source text ("136-174" + " 低功率"); when the whole label has
// no translation, the text from its first blank on is translated.
std::string TranslateLabel(const std::string& source, const LabelTranslator& language);

// A key, or one a form composes from a row and a column label ("1/频率",
// "136-174 低功率/低端"), in one language: the whole, else each side.
std::string TranslateKey(const std::string& key, const LabelTranslator& language);

// The label as printed.
std::string PrintedLabel(const std::string& source);
// Whether written is the label source in the source or a shipped language.
bool LabelMatches(const std::string& source, const std::string& written);
// The index of the first label that written names, or -1.
int FindLabel(const std::vector<std::string>& sources, const std::string& written);

} // namespace kestra::forms
