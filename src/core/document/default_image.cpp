#include "core/document/default_image.h"

#include <algorithm>

#include "core/document/file_io.h"

namespace kestra {

namespace {

struct DefaultByte {
    int offset;
    std::uint8_t value;
};

// Settings of a fresh radio; every other byte stays 0xFF.
constexpr DefaultByte kDefaults[] = {
    {0x1F77, 0x0A},                                 // last byte of the fixed block
    {0x2040, 0x1E}, {0x2042, 0x04}, {0x2043, 0x04}, // general settings
    {0x2044, 0x04}, {0x2046, 0x05}, {0x2047, 0x01}, {0x2048, 0x03},
    {0x2049, 0x0E}, {0x204A, 0x90}, {0x204B, 0x28}, {0x204C, 0x8A},
    {0x204D, 0x0D}, {0x2080, 0x32}, {0x2081, 0x04}, {0x2082, 0x02}, // DTMF encode
    {0x2083, 0x02}, {0x20A8, 0x0E},                                 // DTMF decode
    {0x20B0, 0x01}, {0x20B1, 0x00}, {0x20B2, 0x00},                 // own ID "100"
    {0x20D8, 0x0A}, {0x20D9, 0x45}, {0x20DA, 0xFA}, {0x20DB, 0x0A},
    {0x20DD, 0x0E}, {0x20E0, 0x01}, {0x20E1, 0x00}, {0x20E2, 0x00}, // code 1: "100", 0x0E, "100"
    {0x20E3, 0x0E}, {0x20E4, 0x01}, {0x20E5, 0x00}, {0x20E6, 0x00},
};

} // namespace

void ApplyBuiltInDefaults(RadioImage& image) {
    image.Fill(0xFF);
    for (int n = 1; n <= kChannelCount; ++n)
        ClearRecord(image, n);
    for (const DefaultByte& d : kDefaults)
        image[static_cast<std::size_t>(d.offset)] = d.value;
}

bool NewDocumentImage(const std::string& appDirectory, RadioImage& image) {
    image.Fill(0xFF);
    // Default.dat may be shorter than an image; the rest stays 0xFF. One that
    // cannot be read, or is not a regular file, counts as absent.
    std::string bytes;
    if (ReadRegularFile(appDirectory + kDefaultImageFileName, kImageSize, bytes, nullptr)) {
        std::copy(bytes.begin(), bytes.end(), image.data());
        return true;
    }
    ApplyBuiltInDefaults(image);
    return false;
}

} // namespace kestra
