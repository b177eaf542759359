// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/codec/codecs.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/image/channel_numbers.h"

namespace kestra {

std::uint32_t DecodeFrequency(const std::uint8_t* bytes) {
    return ReadBcd(bytes, 4);
}

void EncodeFrequency(std::uint32_t value, std::uint8_t* bytes) {
    WriteBcd(bytes, 4, value);
}

namespace {

// A decimal number: sign * digits * 10^exponent, digits as ASCII.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading zeros unless the value is 0
    int exponent = 0;
};

// The double's value rounded to 15 significant decimal digits.
Decimal ToDecimal15(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf - 1, v, std::chars_format::scientific, 14);
    *r.ptr = '\0'; // d.dddddddddddddde±XX
    Decimal d;
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p)
        if (std::isdigit(static_cast<unsigned char>(*p)))
            d.digits.push_back(*p);
    const int e = (*p == 'e') ? LeadingInt(p + 1) : 0;
    d.exponent = e - 14;
    return d;
}

std::string MultiplyDigits(const std::string& a, const std::string& b) {
    std::vector<int> acc(a.size() + b.size(), 0);
    for (size_t i = a.size(); i-- > 0;) {
        for (size_t j = b.size(); j-- > 0;) {
            acc[i + j + 1] += (a[i] - '0') * (b[j] - '0');
        }
    }
    for (size_t k = acc.size(); k-- > 1;) {
        acc[k - 1] += acc[k] / 10;
        acc[k] %= 10;
    }
    std::string out;
    for (int digit : acc)
        out.push_back(static_cast<char>('0' + digit));
    return out;
}

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The double's value rounded to 15 significant digits as mantissa * 10^exp,
// without trailing zeros in the mantissa. Returns false when a quick double
// computation cannot decide the rounding for sure.
bool QuickDecimal15(double v, std::uint64_t& mantissa, int& exponent) {
    const double mag = std::fabs(v);
    int k = 14 - static_cast<int>(std::floor(std::log10(mag)));
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (k < -22 || k > 22)
            return false;
        const double p = k >= 0 ? mag * kPow10[k] : mag / kPow10[-k];
        if (p >= 1e15) {
            --k;
            continue;
        }
        if (p < 1e14) {
            ++k;
            continue;
        }
        // p carries at most half an ulp (1/16 here) of error: when it is not
        // near a half, its nearest integer is the exact rounding.
        const double r = std::nearbyint(p);
        if (std::fabs(p - r) > 0.4)
            return false;
        mantissa = static_cast<std::uint64_t>(r);
        exponent = -k;
        while (mantissa != 0 && mantissa % 10 == 0) {
            mantissa /= 10;
            ++exponent;
        }
        return true;
    }
    return false;
}

double SlowExactMul(double a, double b) {
    const Decimal da = ToDecimal15(a);
    const Decimal db = ToDecimal15(b);
    const std::string product = MultiplyDigits(da.digits, db.digits);
    std::string text;
    if (da.negative != db.negative)
        text.push_back('-');
    text += product;
    text += 'e';
    text += std::to_string(da.exponent + db.exponent);
    // The reader rounds the exact decimal product to the nearest double.
    return LeadingDecimal(text);
}

} // namespace

double ExactMul(double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b) || a == 0.0 || b == 0.0)
        return a * b;
    std::uint64_t ma = 0, mb = 0;
    int ea = 0, eb = 0;
    if (QuickDecimal15(a, ma, ea) && QuickDecimal15(b, mb, eb) &&
        ma <= (std::uint64_t(1) << 53) / mb) {
        // The product is an integer below 2^53 times a power of ten that a
        // double holds exactly: one correctly rounded operation gives the
        // nearest double.
        const std::uint64_t product = ma * mb;
        const int e = ea + eb;
        if (e >= -22 && e <= 22) {
            const double p = static_cast<double>(product);
            const double r = e >= 0 ? p * kPow10[e] : p / kPow10[-e];
            return (a < 0) != (b < 0) ? -r : r;
        }
    }
    return SlowExactMul(a, b);
}

namespace {

// sscanf(text, "<prefix>%d", &n) == 1.
bool ScanPrefixedInt(const std::string& text, std::string_view prefix, int& out) {
    return StartsWith(text, prefix) && ScanInt(text.c_str() + prefix.size(), out);
}

// Truncated toward zero and held within what eight BCD digits can store, so
// that the value compared with the band limits is the value that is stored.
std::uint32_t ClampToFrequency(double v) {
    if (!(v > 0.0))
        return 0;
    if (v >= 99999999.0)
        return 99999999u;
    return static_cast<std::uint32_t>(v);
}

} // namespace

std::uint32_t TextToFrequency(const std::string& text) {
    return ClampToFrequency(ExactMul(LeadingDecimal(text), 100000.0));
}

std::string FrequencyToText(std::uint32_t value) {
    // "%3.5f" of ExactMul(value, 0.00001): the nearest double to value / 10^5
    // always prints as the value's own digits, so they are formatted directly.
    char buf[24];
    std::snprintf(buf, sizeof buf, "%u.%05u", value / 100000u, value % 100000u);
    return buf;
}

ToneCode ToneTextToValue(const std::string& text) {
    // An empty text means "no tone": storing it as CTCSS 0 (00 00) would put
    // a code into the radio that it does not know.
    if (text.empty())
        return kNoTone;
    if (text.find('D') != std::string::npos) {
        const int c = LeadingInt(text.substr(1));
        const bool normal = text.find('N') != std::string::npos;
        const int base = normal ? 0x80 : 0xC0;
        // A code whose hundreds do not fit beside the kind bits (normal codes
        // up to 6399, inverted up to 6299) would come back as another kind or
        // as "no tone"; it is stored as no tone at once.
        if (c < 0 || c / 100 > (normal ? 0x3F : 0x3E))
            return kNoTone;
        return ToneCode{ToBcd(c % 100), static_cast<std::uint8_t>(c / 100 + base)};
    }
    if (text == kNoToneText)
        return kNoTone;
    const double scaled = ExactMul(LeadingDecimal(text), 10.0);
    const long long t =
        std::isfinite(scaled) && std::fabs(scaled) < 1e15 ? static_cast<long long>(scaled) : 0;
    // CTCSS keeps its high byte below 0x80: 800.0 Hz and above (or a negative
    // value) would be read back as a DCS code, so it is stored as no tone.
    if (t < 0 || t >= 8000)
        return kNoTone;
    return ToneCode{ToBcd(static_cast<int>(t % 100)), ToBcd(static_cast<int>(t / 100))};
}

std::string ToneValueToText(ToneCode code) {
    if (code.high == 0xFF)
        return kNoToneText;
    if (code.high < 0x80) {
        // "%3.1f" of ExactMul(t, 0.1), formatted from the digits directly.
        const int t = FromBcd(code.high) * 100 + FromBcd(code.low);
        return Format("%d.%d", t / 10, t % 10);
    }
    const bool inverted = code.high >= 0xC0;
    const int h = code.high - (inverted ? 0xC0 : 0x80);
    const int c = h * 100 + FromBcd(code.low);
    // Three digits at least, as typed codes show (D001N, not D01N).
    return Format(inverted ? "D%03dI" : "D%03dN", c);
}

std::string NormalizeToneText(const std::string& input) {
    if (input.empty())
        return input;
    // 88,5 is 88.5 Hz, not DCS code 088.
    const std::string text = TypedDecimalPoint(ToUpperAscii(input));

    if (text.find('.') != std::string::npos) {
        const double scaled = ExactMul(LeadingDecimal(text), 10.0);
        const double t = std::trunc(scaled);
        if (!(t >= 600.0 && t <= 2800.0))
            return kNoToneText;
        // A plain decimal stays as typed (88.50); anything more ("88.5D",
        // "88..5") shows the value it stores, which is not what it says:
        // "88.5D" would be read back as DCS code 8.
        const std::string_view plain = TrimBlanks(text);
        const bool onlyDigitsAndPoint = std::count(plain.begin(), plain.end(), '.') == 1 &&
                                        std::all_of(plain.begin(), plain.end(), [](char ch) {
                                            return ch == '.' || (ch >= '0' && ch <= '9');
                                        });
        if (onlyDigitsAndPoint)
            return text;
        const int tenths = static_cast<int>(t);
        return Format("%d.%d", tenths / 10, tenths % 10);
    }

    static const char* const kPrefixes[] = {"D", "DN", "DI", "ND", "ID", "N", "I"};
    int c = 0;
    bool matched = false;
    for (const char* prefix : kPrefixes) {
        if (ScanPrefixedInt(text, prefix, c)) {
            matched = true;
            break;
        }
    }
    // "%dN", "%dD" and "%dI" all match whenever the text starts with a number.
    if (!matched)
        matched = ScanInt(text.c_str(), c);
    if (!matched || c < 1 || c > 777)
        return kNoToneText;
    return Format(text.find('I') != std::string::npos ? "D%03dI" : "D%03dN", c);
}

std::uint32_t SnapToStep(std::uint32_t f) {
    const std::uint32_t r5 = f % 500;
    const std::uint32_t r6 = f % 625;
    return r5 <= r6 ? f - r5 : f - r6;
}

bool IsOffRaster(std::uint32_t f) {
    return f % 250 != 0 && f % 625 != 0;
}

namespace {

// "A%03d"/"B%03d" of a memory record with the given separator, the VFO names
// for 257 and 258, empty otherwise.
std::string Label(int n, const char* separator) {
    if (IsMemoryRecord(n))
        return Format("%c%s%03d", BandOfRecord(n) == 0 ? 'A' : 'B', separator, ChannelInBand(n));
    if (n == kRecordAVfo)
        return "A VFO";
    if (n == kRecordBVfo)
        return "B VFO";
    return std::string();
}

} // namespace

std::string ChannelLabel(int n) {
    return Label(n, "");
}

std::string GridRowLabel(int n) {
    return Label(n, " ");
}

int ParseChannelLabel(const std::string& text) {
    int n = 0;
    if (ScanPrefixedInt(text, "A", n))
        return n;
    if (ScanPrefixedInt(text, "B", n))
        return n + kBandChannels;
    if (ScanInt(text.c_str(), n))
        return n;
    if (EqualsIgnoreCase(text, "A Vfo"))
        return kRecordAVfo;
    if (EqualsIgnoreCase(text, "B Vfo"))
        return kRecordBVfo;
    return 0;
}

int ChannelOfGivenLabel(const std::string& text) {
    const int n = ParseChannelLabel(text);
    if (n < 1 || n > kChannelCount)
        return 0;
    const std::string canonical = ChannelLabel(n);
    if (IsVfoRecord(n))
        return EqualsIgnoreCase(text, canonical) ? n : 0;
    if (text.size() < 2 || text[0] != canonical[0])
        return 0;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return 0;
    return n;
}

std::string ChannelLabelList(const std::vector<int>& records, std::size_t most) {
    std::string out;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i > 0)
            out += ", ";
        if (i == most)
            return out + "…";
        out += ChannelLabel(records[i]);
    }
    return out;
}

std::uint8_t DtmfCharToCode(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'D')
        return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c == '*' || c == 'E')
        return 14;
    if (c == '#' || c == 'F')
        return 15;
    return 0xFF;
}

char DtmfCodeToChar(std::uint8_t code) {
    static const char kChars[] = "0123456789ABCD*#";
    return code < 16 ? kChars[code] : '\0';
}

std::string ReadDtmfString(const std::uint8_t* bytes, int n) {
    std::string text;
    for (int i = 0; i < n && bytes[i] < 16; ++i)
        text.push_back(DtmfCodeToChar(bytes[i]));
    return text;
}

void WriteDtmfString(std::uint8_t* bytes, int n, const std::string& text) {
    for (int i = 0; i < n; ++i)
        bytes[i] = i < static_cast<int>(text.size())
                       ? DtmfCharToCode(text[static_cast<std::size_t>(i)])
                       : 0xFF;
}

const std::array<int, 50>& CtcssTones() {
    static const std::array<int, 50> tones = {
        670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
        1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
        1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
        1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};
    return tones;
}

const std::array<int, 107>& DcsCodes() {
    static const std::array<int, 107> codes = {
        17,  23,  25,  26,  31,  32,  36,  43,  47,  50,  51,  53,  54,  65,  71,  72,  73,  74,
        114, 115, 116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205,
        212, 223, 225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306,
        311, 315, 325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432,
        445, 446, 452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606,
        612, 624, 627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};
    return codes;
}

const std::vector<std::string>& CtcssTextList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> v;
        for (int t : CtcssTones())
            v.push_back(FormatDecimal(ExactMul(t, 0.1), 1));
        return v;
    }();
    return list;
}

const std::vector<std::string>& DcsTextList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> v;
        for (int c : DcsCodes())
            v.push_back(Format("D%03dN", c));
        for (int c : DcsCodes())
            v.push_back(Format("D%03dI", c));
        return v;
    }();
    return list;
}

const std::vector<std::string>& CombinedToneList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> v = CtcssTextList();
        const auto& dcs = DcsTextList();
        v.insert(v.end(), dcs.begin(), dcs.end());
        return v;
    }();
    return list;
}

const std::vector<std::string>& SignallingList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> l{kNoToneText};
        const auto& tones = CombinedToneList();
        l.insert(l.end(), tones.begin(), tones.end());
        return l;
    }();
    return list;
}

} // namespace kestra
