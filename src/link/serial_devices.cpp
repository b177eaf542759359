// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/serial_devices.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <locale>
#include <regex>
#include <system_error>

#include "link/serial_link.h"

namespace kestra {

namespace fs = std::filesystem;

namespace {

// Chips by their USB ids, with the words a user knows them by.
struct KnownChip {
    const char* vendorId;
    const char* productId; // nullptr: any product of the vendor
    const char* maker;
    const char* model;
};

constexpr KnownChip kKnownChips[] = {
    {"0403", "6001", "FTDI", "FT232R"},       {"0403", "6010", "FTDI", "FT2232"},
    {"0403", "6011", "FTDI", "FT4232"},       {"0403", "6014", "FTDI", "FT232H"},
    {"0403", "6015", "FTDI", "FT-X"},         {"067b", "2303", "Prolific", "PL2303"},
    {"067b", "23a3", "Prolific", "PL2303GC"}, {"067b", "23c3", "Prolific", "PL2303GT"},
    {"067b", "23d3", "Prolific", "PL2303GL"}, {"10c4", "ea60", "Silicon Labs", "CP210x"}, // not shown: makers' names
    {"10c4", "ea70", "Silicon Labs", "CP2105"}, {"10c4", "ea71", "Silicon Labs", "CP2108"}, // not shown
    {"1a86", "7523", "WCH", "CH340"},         {"1a86", "5523", "WCH", "CH341"},
    {"1a86", "55d4", "WCH", "CH9102"},
};

// Chip families by the kernel driver that serves them, then by vendor id
// (for a chip whose driver is not one of these).
struct Family {
    const char* driver;
    const char* vendorId;
    const char* name;
};

constexpr Family kFamilies[] = {
    {"ftdi_sio", "0403", "FTDI"},
    {"pl2303", "067b", "Prolific PL2303"},
    {"cp210x", "10c4", "Silicon Labs CP210x"}, // not shown: a maker's name
    {"ch341", "1a86", "WCH CH340/CH341"},
    {"cdc_acm", nullptr, "CDC-ACM"},
};

std::string RootFromEnvironment(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    return value && *value ? value : fallback;
}

// The first line of a sysfs attribute, without its line break; empty when
// it cannot be read.
std::string ReadAttribute(const fs::path& file) {
    std::ifstream in(file);
    in.imbue(std::locale::classic());
    std::string line;
    if (!in || !std::getline(in, line))
        return std::string();
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

std::string LinkTargetName(const fs::path& link) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(link, ec);
    return ec ? std::string() : target.filename().string();
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Name order with the trailing numbers compared as numbers: ttyS2 < ttyS10.
bool NaturalLess(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& s) {
        std::size_t i = s.size();
        while (i > 0 && s[i - 1] >= '0' && s[i - 1] <= '9')
            --i;
        const std::string digits = s.substr(i);
        return std::make_pair(s.substr(0, i), digits.empty() || digits.size() > 9
                                                  ? -1L
                                                  : std::strtol(digits.c_str(), nullptr, 10));
    };
    return split(a) < split(b);
}

void FillUsbDetails(const fs::path& sysfs, const fs::path& portDevice, SerialDeviceInfo& info) {
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(sysfs, ec);
    for (fs::path p = portDevice; !p.empty() && p != p.root_path(); p = p.parent_path()) {
        if (!root.empty() && p.string().rfind(root.string(), 0) != 0)
            break; // walked out of the sysfs tree
        if (fs::exists(p / "idVendor", ec)) {
            info.usb = true;
            info.vendorId = Lower(ReadAttribute(p / "idVendor"));
            info.productId = Lower(ReadAttribute(p / "idProduct"));
            info.manufacturer = ReadAttribute(p / "manufacturer");
            info.product = ReadAttribute(p / "product");
            info.serial = ReadAttribute(p / "serial");
            return;
        }
    }
}

void NameTheChip(SerialDeviceInfo& info) {
    for (const KnownChip& chip : kKnownChips) {
        if (info.vendorId == chip.vendorId && info.productId == chip.productId) {
            info.model = chip.model;
            break;
        }
    }
    for (const Family& family : kFamilies) {
        if (info.driver == family.driver) {
            info.family = family.name;
            return;
        }
    }
    for (const Family& family : kFamilies) {
        if (family.vendorId && info.vendorId == family.vendorId) {
            info.family = family.name;
            return;
        }
    }
}

// What sysfs says of the terminal NAME; false when it is not listed (no
// node, no hardware behind it).
bool Describe(const fs::path& sysfs, const fs::path& dev, const std::string& name,
              SerialDeviceInfo& info) {
    std::error_code ec;
    const fs::path entry = sysfs / "class" / "tty" / name;
    const fs::path deviceLink = entry / "device";
    if (name.empty() || !fs::exists(deviceLink, ec) || !fs::exists(dev / name, ec))
        return false;
    // A serial-core port reports the UART behind it; 0 is none.
    if (fs::exists(entry / "type", ec) && ReadAttribute(entry / "type") == "0")
        return false;
    info = SerialDeviceInfo();
    info.name = name;
    info.path = (dev / name).string();
    info.portNumber = PortNumberOfName(name);
    const std::string latency = ReadAttribute(deviceLink / "latency_timer");
    if (!latency.empty() && latency.find_first_not_of("0123456789") == std::string::npos &&
        latency.size() < 6)
        info.latencyTimerMs = std::atoi(latency.c_str());
    const fs::path portDevice = fs::canonical(deviceLink, ec);
    if (!ec) {
        // Since Linux 6.5 a built-in port's device is serial-core's own
        // "port" (under a "ctrl"), both on the serial-base bus with drivers of
        // those names; the UART's driver (serial8250, ...) is above them.
        fs::path chip = portDevice;
        while (chip.has_relative_path() && LinkTargetName(chip / "subsystem") == "serial-base")
            chip = chip.parent_path();
        info.driver = LinkTargetName(chip / "driver");
        FillUsbDetails(sysfs, portDevice, info);
    } else {
        info.driver = LinkTargetName(deviceLink / "driver");
    }
    NameTheChip(info);
    return true;
}

void AddByIdLinks(const fs::path& dev, std::vector<SerialDeviceInfo>& devices) {
    std::error_code ec;
    const fs::path byId = dev / "serial" / "by-id";
    std::vector<std::pair<std::string, std::string>> links; // (target name, link path)
    for (fs::directory_iterator it(byId, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_symlink(ec))
            links.emplace_back(LinkTargetName(it->path()), it->path().string());
    }
    std::sort(links.begin(), links.end());
    for (SerialDeviceInfo& info : devices)
        for (const auto& [target, path] : links)
            if (target == info.name)
                info.byIdLinks.push_back(path);
}

// A udev match pattern ("ea6[0-9]|ea7[0-9]": *, ?, [...] and |
// alternatives) as a regular expression.
std::regex UdevPattern(const std::string& pattern) {
    std::string re;
    bool inSet = false;
    for (const char c : pattern) {
        if (inSet) {
            re += c;
            inSet = c != ']';
        } else if (c == '*') {
            re += ".*";
        } else if (c == '?') {
            re += '.';
        } else if (c == '[' || c == '|') {
            re += c;
            inSet = c == '[';
        } else if (std::isalnum(static_cast<unsigned char>(c))) {
            re += c;
        } else {
            re += std::string("\\") + c;
        }
    }
    return std::regex("(?:" + re + ")", std::regex::icase);
}

// The value of KEY=="VALUE" in a rule line; false when the line has none.
bool RuleValue(const std::string& line, const std::string& key, std::string* value) {
    const std::size_t at = line.find(key + "==\"");
    if (at == std::string::npos)
        return false;
    const std::size_t from = at + key.size() + 3;
    const std::size_t end = line.find('"', from);
    *value = line.substr(from, end == std::string::npos ? end : end - from);
    return true;
}

} // namespace

std::string InstalledUdevRule() {
    std::vector<std::string> folders;
    if (const char* own = std::getenv("KESTRA_UDEV_RULES"); own && *own)
        folders = {own};
    else
        folders = {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
                   "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
    std::error_code ec;
    for (const std::string& folder : folders) {
        const fs::path rule = fs::path(folder) / "60-kestra.rules";
        if (fs::is_regular_file(rule, ec))
            return rule.string();
    }
    return std::string();
}

bool UdevRuleCovers(const std::string& ruleFile, const SerialDeviceInfo& info) {
    if (!info.usb)
        return false;
    std::ifstream in(ruleFile);
    std::string line;
    while (std::getline(in, line)) {
        std::string subsystem, vendor, product;
        if (line.empty() || line[0] == '#' || !RuleValue(line, "SUBSYSTEM", &subsystem) ||
            subsystem != "tty" || !RuleValue(line, "ATTRS{idVendor}", &vendor))
            continue;
        if (std::regex_match(info.vendorId, UdevPattern(vendor)) &&
            (!RuleValue(line, "ATTRS{idProduct}", &product) ||
             std::regex_match(info.productId, UdevPattern(product))))
            return true;
    }
    return false;
}

std::string SerialDeviceInfo::UsbId() const {
    if (vendorId.empty() || productId.empty())
        return std::string();
    return vendorId + ":" + productId;
}

std::string SerialDeviceInfo::CableName() const {
    if (!usb)
        return std::string();
    std::string words;
    for (const KnownChip& chip : kKnownChips)
        if (vendorId == chip.vendorId && productId == chip.productId)
            words = std::string(chip.maker) + " " + chip.model;
    if (words.empty())
        words = !family.empty() ? family : !product.empty() ? product : "USB serial";
    const std::string id = UsbId();
    return id.empty() ? words : words + " " + id;
}

std::string SysfsRoot() {
    return RootFromEnvironment("KESTRA_SYSFS", "/sys");
}

std::string DevRoot() {
    return RootFromEnvironment("KESTRA_DEVDIR", "/dev");
}

std::vector<SerialDeviceInfo> ListSerialDevices() {
    return ListSerialDevices(SysfsRoot(), DevRoot());
}

std::vector<SerialDeviceInfo> ListSerialDevices(const std::string& sysfs, const std::string& dev) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(sysfs) / "class" / "tty", ec), end;
         !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end(), NaturalLess);
    std::vector<SerialDeviceInfo> devices;
    for (const std::string& name : names) {
        SerialDeviceInfo info;
        if (Describe(sysfs, dev, name, info))
            devices.push_back(std::move(info));
    }
    AddByIdLinks(dev, devices);
    return devices;
}

bool FindSerialDevice(const std::string& device, SerialDeviceInfo* info) {
    // The name itself first (ttyUSB0), then what a link names (a by-id link).
    SerialDeviceInfo found;
    const fs::path path(device);
    bool known = Describe(SysfsRoot(), DevRoot(), path.filename().string(), found);
    std::error_code ec;
    if (!known && fs::is_symlink(path, ec)) {
        const fs::path target = fs::canonical(path, ec);
        known = !ec && Describe(SysfsRoot(), DevRoot(), target.filename().string(), found);
    }
    if (known && info)
        *info = std::move(found);
    return known;
}

std::string PortLabel(const std::string& device) {
    SerialDeviceInfo info;
    if (FindSerialDevice(device, &info) && info.usb)
        return info.CableName() + " on " + device;
    return device;
}

int PortNumberOfName(const std::string& name) {
    for (int n = 1; n <= kPortCount; ++n)
        if (fs::path(LinuxPortDevice(n)).filename().string() == name)
            return n;
    return 0;
}

} // namespace kestra
