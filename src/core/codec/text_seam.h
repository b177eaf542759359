// SPDX-License-Identifier: GPL-3.0-or-later
// The one text seam. Every text the user sees is declared with KESTRA_TEXT:
//
//   inline constexpr const char* kReady = KESTRA_TEXT("kestra", "就绪");
//
// The macro leaves the literal as it is, so code keeps storing and comparing
// the Chinese source texts. lupdate, run with
//   -tr-function-alias QT_TRANSLATE_NOOP+=KESTRA_TEXT
// (the kestra_lupdate target, scripts/check-texts), reads it as
// QT_TRANSLATE_NOOP and extracts the text into the one context "kestra"; the
// layer that shows a text translates it there (the application's T()). Texts
// the user never sees (file names, settings keys, file patterns) are not
// marked. A translation is then one more .ts file, with no change to logic.
#pragma once

#include <initializer_list>
#include <string>

// The first argument is always the literal "kestra" (lupdate reads the context
// from it; scripts/check-texts rejects any other).
#define KESTRA_TEXT(context, text) text
// A text about a number of things: %n stands for the number, and a catalogue
// gives a form for each grammatical number of its language ("%n row" and
// "%n rows" in English). lupdate reads it as QT_TRANSLATE_N_NOOP.
#define KESTRA_COUNT_TEXT(context, text) text

namespace kestra {

// The translation context of every Kestra text.
inline constexpr const char* kTextContext = "kestra";

// Messages that core code composes itself (a file name, a system reason)
// translate their template before filling it in. The application installs a
// translator at start-up; without one a text is its own translation. The
// translator must be safe to call from any thread.
// The translator is given the count of a KESTRA_COUNT_TEXT, else -1.
using TextTranslator = std::string (*)(const char* source, int count);
void SetTextTranslator(TextTranslator translator);
std::string TranslateText(const char* source);
// A KESTRA_COUNT_TEXT in the form for count, with %n replaced by count.
std::string TranslateCount(const char* source, int count);

// Replaces the markers %1..%9 in a text by the values, in one pass, so that a
// translation may reorder them and a value's own "%2" stays as it is. A marker
// without a value is left as written.
std::string FillIn(const std::string& text, std::initializer_list<std::string> values);

} // namespace kestra
