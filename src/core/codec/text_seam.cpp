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
    return translator ? translator(source) : std::string(source);
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
