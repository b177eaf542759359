// SPDX-License-Identifier: GPL-3.0-or-later
// A fake sysfs and /dev under a test's temporary folder, laid out as the
// kernel lays out its terminals, for KESTRA_SYSFS and KESTRA_DEVDIR:
//
//   sys/devices/pci0000:00/0000:00:14.0/usb1/1-N/        idVendor, idProduct, strings
//     usb-serial chips: 1-N:1.0/ttyUSBk/  driver -> bus/usb-serial/drivers/<driver>
//                                         tty/ttyUSBk/device -> ../../../ttyUSBk
//     CDC-ACM:          1-N:1.0/          driver -> bus/usb/drivers/cdc_acm
//                                         tty/ttyACMk/device -> ../../../1-N:1.0
//   sys/devices/platform/serial8250/tty/ttySk  type 0 (no UART), or
//   sys/devices/pnp0/00:0k/tty/ttySk           type 4 (a 16550A)
//   sys/devices/pnp0/00:0k/00:0k:0/00:0k:0.0/tty/ttySk   the same since Linux 6.5
//                                              (ctrl and port on bus serial-base)
//   sys/class/tty/NAME -> ../../devices/.../tty/NAME
//   dev/NAME, dev/serial/by-id/LINK -> ../../NAME
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace kestra::test {

class FakeSysfs {
public:
    explicit FakeSysfs(const std::string& root)
        : root_(root), sys_(root_ / "sys"), dev_(root_ / "dev") {
        std::filesystem::create_directories(sys_ / "class" / "tty");
        std::filesystem::create_directories(dev_);
        // A virtual console: no device behind it, never listed.
        AddClassEntry("tty1", sys_ / "devices" / "virtual" / "tty" / "tty1");
    }

    std::string Sys() const { return sys_.string(); }
    std::string Dev() const { return dev_.string(); }
    std::string DevPath(const std::string& name) const { return (dev_ / name).string(); }

    // A usb-serial chip (ftdi_sio, pl2303, cp210x, ch341) as ttyUSBk.
    void AddUsbSerial(const std::string& name, int usbPort, const std::string& driver,
                      const std::string& vid, const std::string& pid, const std::string& maker,
                      const std::string& product, const std::string& serial,
                      int latencyTimer = -1) {
        const auto usb = UsbDevice(usbPort, vid, pid, maker, product, serial);
        const auto port = usb / (usb.filename().string() + ":1.0") / name;
        AddTerminal(name, port, sys_ / "bus" / "usb-serial" / "drivers" / driver);
        if (latencyTimer >= 0)
            Write(port / "latency_timer", std::to_string(latencyTimer));
    }

    // A CDC-ACM device as ttyACMk.
    void AddAcm(const std::string& name, int usbPort, const std::string& vid,
                const std::string& pid, const std::string& maker, const std::string& product,
                const std::string& serial) {
        const auto usb = UsbDevice(usbPort, vid, pid, maker, product, serial);
        AddTerminal(name, usb / (usb.filename().string() + ":1.0"),
                    sys_ / "bus" / "usb" / "drivers" / "cdc_acm");
    }

    // A built-in serial port: with a UART (type 4) or without one (type 0).
    // serialBase: as Linux 6.5 and later lay it out, the terminal's device is
    // serial-core's "port" under its "ctrl" (bus serial-base) below the UART.
    void AddBuiltIn(const std::string& name, bool hardware, bool serialBase = false) {
        const auto parent = hardware ? sys_ / "devices" / "pnp0" / ("00:0" + name.substr(4))
                                     : sys_ / "devices" / "platform" / "serial8250";
        const auto chipDriver =
            sys_ / "bus" / "platform" / "drivers" / (hardware ? "serial" : "serial8250");
        auto device = parent;
        if (serialBase) {
            const auto bus = sys_ / "bus" / "serial-base";
            const auto ctrl = parent / (parent.filename().string() + ":0");
            device = ctrl / (ctrl.filename().string() + ".0");
            Link(parent / "driver", chipDriver);
            Link(ctrl / "driver", bus / "drivers" / "ctrl");
            Link(ctrl / "subsystem", bus);
            Link(device / "subsystem", bus);
        }
        const auto entry = AddTerminal(
            name, device,
            serialBase ? sys_ / "bus" / "serial-base" / "drivers" / "port" : chipDriver);
        Write(entry / "type", hardware ? "4" : "0");
    }

    void AddByIdLink(const std::string& link, const std::string& target) {
        std::filesystem::create_directories(dev_ / "serial" / "by-id");
        std::error_code ec;
        std::filesystem::create_symlink("../../" + target, dev_ / "serial" / "by-id" / link, ec);
    }

    // The device node becomes a link to another device (a pseudo-terminal
    // standing in for the cable).
    void PointAt(const std::string& name, const std::string& target) {
        std::error_code ec;
        std::filesystem::remove(dev_ / name, ec);
        std::filesystem::create_symlink(target, dev_ / name, ec);
    }

    // The cable is pulled out: its class entry and device node go.
    void Remove(const std::string& name) {
        std::error_code ec;
        std::filesystem::remove(sys_ / "class" / "tty" / name, ec);
        std::filesystem::remove(dev_ / name, ec);
    }

private:
    std::filesystem::path UsbDevice(int usbPort, const std::string& vid, const std::string& pid,
                                    const std::string& maker, const std::string& product,
                                    const std::string& serial) {
        const auto usb = sys_ / "devices" / "pci0000:00" / "0000:00:14.0" / "usb1" /
                         ("1-" + std::to_string(usbPort));
        std::filesystem::create_directories(usb);
        Write(usb / "idVendor", vid);
        Write(usb / "idProduct", pid);
        Write(usb / "manufacturer", maker);
        Write(usb / "product", product);
        if (!serial.empty())
            Write(usb / "serial", serial);
        return usb;
    }

    // The terminal NAME of a device bound to a driver: its tty entry, class
    // entry and device node. Returns the tty entry.
    std::filesystem::path AddTerminal(const std::string& name, const std::filesystem::path& device,
                                      const std::filesystem::path& driver) {
        Link(device / "driver", driver);
        const auto entry = device / "tty" / name;
        Link(entry / "device", device);
        AddClassEntry(name, entry);
        Write(dev_ / name, "");
        return entry;
    }

    void AddClassEntry(const std::string& name, const std::filesystem::path& entry) {
        std::filesystem::create_directories(entry);
        Link(sys_ / "class" / "tty" / name, entry);
    }

    // A relative link, as sysfs has them.
    static void Link(const std::filesystem::path& at, const std::filesystem::path& target) {
        std::filesystem::create_directories(at.parent_path());
        std::filesystem::create_directories(target);
        std::error_code ec;
        std::filesystem::create_symlink(std::filesystem::relative(target, at.parent_path()), at,
                                        ec);
    }

    static void Write(const std::filesystem::path& file, const std::string& text) {
        std::ofstream(file) << text << (text.empty() ? "" : "\n");
    }

    std::filesystem::path root_;
    std::filesystem::path sys_;
    std::filesystem::path dev_;
};

// The machine of the tests: the four chip families, an ACM device, a ttyS0
// without a UART and a ttyS1 with one, and a by-id link to the FTDI cable.
inline void BuildCableZoo(FakeSysfs& fake) {
    fake.AddUsbSerial("ttyUSB0", 1, "ftdi_sio", "0403", "6001", "FTDI", "FT232R USB UART",
                      "A50285BI", 16);
    fake.AddUsbSerial("ttyUSB1", 2, "pl2303", "067b", "2303", "Prolific Technology Inc.",
                      "USB-Serial Controller", "");
    fake.AddUsbSerial("ttyUSB2", 3, "cp210x", "10c4", "ea60", "Silicon Labs",
                      "CP2102 USB to UART Bridge Controller", "0001");
    fake.AddUsbSerial("ttyUSB9", 5, "ch341", "1a86", "7523", "", "USB Serial", "");
    fake.AddAcm("ttyACM0", 4, "2341", "0043", "Arduino (www.arduino.cc)", "Uno", "85736323838351");
    fake.AddBuiltIn("ttyS0", false);
    fake.AddBuiltIn("ttyS1", true);
    fake.AddByIdLink("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "ttyUSB0");
}

} // namespace kestra::test
