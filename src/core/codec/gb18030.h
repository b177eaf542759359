// SPDX-License-Identifier: GPL-3.0-or-later
// Text in GB 18030, the Chinese national character set that covers all of
// Unicode. GBK, the ANSI code page of Chinese Windows in which older
// programs write their settings files, is its one- and two-byte part.
#pragma once

#include <string>
#include <string_view>

#include "core/codec/utf8.h"

namespace kestra {

// Converts GB 18030 bytes to UTF-8. False when some bytes are not GB 18030;
// each such byte becomes U+FFFD and the rest is converted all the same.
bool Gb18030ToUtf8(std::string_view bytes, std::string& utf8);

// Converts UTF-8 to GB 18030; false (and bytes unchanged) when text is not
// well-formed UTF-8.
bool Utf8ToGb18030(std::string_view text, std::string& bytes);

} // namespace kestra
