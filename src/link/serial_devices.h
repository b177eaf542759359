// SPDX-License-Identifier: GPL-3.0-or-later
// The serial devices of this machine and the cables behind them, as the
// kernel describes them in sysfs (Linux; elsewhere the list is empty).
//
//   <sysfs>/class/tty/NAME              one entry per terminal device
//     device -> .../1-1:1.0/ttyUSB0     the port; its driver names the chip
//                                       (above serial-core's own devices on the
//                                       serial-base bus, Linux 6.5 and later)
//     device/latency_timer              FTDI: the chip's latency timer, ms
//     type                              serial-core ports: 0 = no UART behind it
//   walking up from device:  .../usb1/1-1 holds idVendor, idProduct,
//                            manufacturer, product, serial
//   <dev>/NAME                          the device node
//   <dev>/serial/by-id/LINK -> ../../NAME
//
// A terminal is listed when its node exists and it has hardware behind it:
// a `device` link and, for a serial-core port, a UART type other than 0
// (so a ttyS0 with nothing behind it is left out). The roots come from
// KESTRA_SYSFS (default /sys) and KESTRA_DEVDIR (default /dev), so that tests
// can put a fake tree in their place.
#pragma once

#include <string>
#include <vector>

namespace kestra {

struct SerialDeviceInfo {
    std::string name;         // "ttyUSB0"
    std::string path;         // "/dev/ttyUSB0" (under the device root)
    int portNumber = 0;       // its number in the Linux port table, 0 when outside it
    bool usb = false;         // a USB device holds it
    std::string vendorId;     // "0403"
    std::string productId;    // "6001"
    std::string manufacturer; // the USB strings, as the device reports them
    std::string product;
    std::string serial;
    std::string driver;       // "ftdi_sio", "cdc_acm", "serial8250", ...
    std::string family;       // "FTDI", "Prolific PL2303", ..., "CDC-ACM"; empty when unknown
    std::string model;        // "FT232R", "CH340", ...; empty when unknown
    int latencyTimerMs = -1;  // FTDI: the latency timer; -1 when the driver has none
    std::vector<std::string> byIdLinks; // "/dev/serial/by-id/usb-FTDI_..." naming it

    // "0403:6001"; empty for a device without USB ids.
    std::string UsbId() const;
    // The cable in a few words: "FTDI FT232R 0403:6001", "CDC-ACM 2341:0043",
    // "Prolific PL2303 067b:2303"; empty for a port that is no USB cable.
    std::string CableName() const;
};

std::string SysfsRoot(); // KESTRA_SYSFS, else /sys
std::string DevRoot();   // KESTRA_DEVDIR, else /dev

// Every listed serial device, in name order (ttyACM*, ttyS*, ttyUSB*, ...
// with numbers in numeric order).
std::vector<SerialDeviceInfo> ListSerialDevices();
std::vector<SerialDeviceInfo> ListSerialDevices(const std::string& sysfs, const std::string& dev);

// What sysfs knows of the device a path names (links such as by-id ones are
// followed); false when it knows nothing (a pseudo-terminal, a missing
// device).
bool FindSerialDevice(const std::string& device, SerialDeviceInfo* info);

// Kestra's udev rule (60-kestra.rules) where udev reads rules from (/etc,
// /run, /usr/local/lib, /usr/lib and /lib: udev/rules.d; KESTRA_UDEV_RULES,
// one folder, in place of them for tests); empty when it is not installed.
std::string InstalledUdevRule();
// Whether a line of the rule file ruleFile gives the terminal of this USB
// cable to a group (its idVendor and any idProduct patterns match); false
// for a port that is no USB cable.
bool UdevRuleCovers(const std::string& ruleFile, const SerialDeviceInfo& info);

// The port as a failure's detail line names it: "FTDI FT232R 0403:6001 on
// /dev/ttyUSB0" for a USB cable, else the device path alone.
std::string PortLabel(const std::string& device);

// The port number 1..16 whose Linux device has this name ("ttyUSB0" -> 1).
int PortNumberOfName(const std::string& name);

} // namespace kestra
