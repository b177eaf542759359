// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/default_image.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "core/document/file_io.h"
#include "core/image/settings_layout.h"

namespace kestra {

namespace {

struct FieldValue {
    BitField field;
    int value;
};

struct DefaultByte {
    int offset;
    std::uint8_t value;
};

// One byte made of the given fields of that byte; every other bit is 0.
DefaultByte ByteOf(std::initializer_list<FieldValue> fields) {
    DefaultByte b{fields.begin()->field.offset, 0};
    for (const FieldValue& f : fields)
        b.value = static_cast<std::uint8_t>(b.value | f.field.Pack(f.value));
    return b;
}

// The settings of a fresh radio; every other byte stays 0xFF.
const std::vector<DefaultByte>& DefaultBytes() {
    using namespace settings;
    const int star = DtmfCharToCode('*');
    static const std::vector<DefaultByte> bytes = {
        // The fixed block's last byte (the finalisation writes AA there).
        {region::kFixedBlock + 7, 0x0A},
        ByteOf({{kTransmitTimeout, 30}}), // minutes, not an index: shown as "30"
        ByteOf({{kSquelchLevel, 4}}),
        ByteOf({{kVoxLevel, 4}}),
        ByteOf({{kTuningStep, 4}}),
        ByteOf({{kBacklightTime, 5}}),
        ByteOf({{kUnnamed2047, 1}}),
        ByteOf({{kVoxDelay, 3}}),
        ByteOf({{kDualStandbyTxChannel, 1}, {kKeyBeep, 1}, {kDtmfSideTone, 1}}),
        ByteOf({{kBacklightMode, 1}, {kBacklightColour, 2}}),
        ByteOf({{kChannelDisplayA, 1}, {kChannelDisplayB, 1}}),
        ByteOf({{kUnnamed204C, 0b101}, {kFmRadioMonitor, 1}}),
        ByteOf({{kKeyLockMode, 1}, {kPowerOnDisplay, 3}}), // 3 is no entry: shown as voltage
        ByteOf({{dtmf::kDigitRate, 50}}),                  // 10 digits/s
        ByteOf({{dtmf::kFirstDigitDelay, 4}}),             // 200 ms
        ByteOf({{dtmf::kFirstDigitTime, 2}}),              // 100 ms
        ByteOf({{dtmf::kStarHashToneTime, 2}}),            // 100 ms
        ByteOf({{dtmf::kGroupCallCode, star}}),
        ByteOf({{dtmf::kAutoResetTime, 10}}),
        ByteOf(
            {{dtmf::kDecodeResponse, 1}, {dtmf::kWaitForReply, 1}, {dtmf::kUnnamed20D9, 0b1000}}),
        ByteOf({{dtmf::kDecodeTime, 250}}),
        ByteOf({{dtmf::kReplyWaitTime, 10}}),
        ByteOf({{dtmf::kSeparator, star}}),
    };
    return bytes;
}

// DTMF strings of a fresh radio: the own ID and the first auto-dial code
// (the called number, the separator, the own ID).
struct DefaultDtmf {
    int offset;
    const char* text;
};
constexpr DefaultDtmf kDefaultDtmf[] = {
    {dtmf::kOwnId, "100"},
    {dtmf::CodeEntry(1), "100*100"},
};

} // namespace

void ApplyBuiltInDefaults(RadioImage& image) {
    image.Fill(0xFF);
    for (int n = 1; n <= kChannelCount; ++n)
        ClearRecord(image, n);
    for (const DefaultByte& d : DefaultBytes())
        image.SetByte(d.offset, d.value);
    for (const DefaultDtmf& d : kDefaultDtmf)
        image.SetDtmfString(d.offset, static_cast<int>(std::char_traits<char>::length(d.text)),
                            d.text);
}

bool NewDocumentImage(const std::string& appDirectory, RadioImage& image) {
    return NewDocumentImage(ProgramFolders{appDirectory, std::string(), std::string()}, image);
}

bool NewDocumentImage(const ProgramFolders& folders, RadioImage& image) {
    image.Fill(0xFF);
    // Default.dat may be shorter than an image; the rest stays 0xFF. One that
    // cannot be read, or is not a regular file, counts as absent.
    std::string bytes;
    const std::string path = FindProgramFile(folders, kDefaultImageFileName);
    if (!path.empty() && ReadRegularFile(path, kImageSize, bytes, nullptr)) {
        std::copy(bytes.begin(), bytes.end(), image.data());
        return true;
    }
    ApplyBuiltInDefaults(image);
    return false;
}

} // namespace kestra
