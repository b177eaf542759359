// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/codec/text_seam.h"

#include <atomic>

namespace kestra {

namespace {
std::atomic<TextTranslator> g_translator{nullptr};
} // namespace

void SetTextTranslator(TextTranslator translator) {
    g_translator.store(translator);
}

std::string TranslateText(const char* source) {
    const TextTranslator translator = g_translator.load();
    return translator ? translator(source, -1) : std::string(source);
}

std::string TranslateCount(const char* source, int count) {
    const TextTranslator translator = g_translator.load();
    std::string text = translator ? translator(source, count) : std::string(source);
    const std::string number = std::to_string(count);
    for (std::size_t at = text.find("%n"); at != std::string::npos; at = text.find("%n", at)) {
        text.replace(at, 2, number);
        at += number.size();
    }
    return text;
}

std::string FillIn(const std::string& text, std::initializer_list<std::string> values) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(text[i + 1] - '1');
            if (n < values.size()) {
                out += values.begin()[n];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace kestra
