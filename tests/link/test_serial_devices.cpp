// SPDX-License-Identifier: GPL-3.0-or-later
// The serial devices and their cables as sysfs describes them, on a fake
// sysfs and /dev in the test's temporary folder; a failure on a cable named
// in its detail line.
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

#include "link/serial_devices.h"
#include "link/transfers.h"
#include "link/virtual_radio.h"
#include "support/fake_sysfs.h"

using namespace kestra;

class TestSerialDevices : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<test::FakeSysfs> fake_;

private slots:
    void init() {
        fake_ = std::make_unique<test::FakeSysfs>(dir_.path().toStdString() + "/" +
                                                  QTest::currentTestFunction());
        test::BuildCableZoo(*fake_);
        qputenv("KESTRA_SYSFS", QByteArray::fromStdString(fake_->Sys()));
        qputenv("KESTRA_DEVDIR", QByteArray::fromStdString(fake_->Dev()));
    }
    void cleanup() {
        qunsetenv("KESTRA_SYSFS");
        qunsetenv("KESTRA_DEVDIR");
    }

    void everyCableIsNamed() {
        const std::vector<SerialDeviceInfo> devices = ListSerialDevices();
        // ttyS0 has no UART behind it and tty1 no device: neither is listed.
        QStringList names;
        for (const SerialDeviceInfo& d : devices)
            names << QString::fromStdString(d.name);
        QCOMPARE(names, QStringList({"ttyACM0", "ttyS1", "ttyUSB0", "ttyUSB1", "ttyUSB2",
                                     "ttyUSB9"}));

        struct Expected {
            const char* name;
            int port;
            const char* family;
            const char* cable;
            const char* maker;
            const char* serial;
            int latency;
        };
        const Expected table[] = {
            {"ttyACM0", 9, "CDC-ACM", "CDC-ACM 2341:0043", "Arduino (www.arduino.cc)",
             "85736323838351", -1},
            {"ttyS1", 14, "", "", "", "", -1},
            {"ttyUSB0", 1, "FTDI", "FTDI FT232R 0403:6001", "FTDI", "A50285BI", 16},
            {"ttyUSB1", 2, "Prolific PL2303", "Prolific PL2303 067b:2303",
             "Prolific Technology Inc.", "", -1},
            {"ttyUSB2", 3, "Silicon Labs CP210x", "Silicon Labs CP210x 10c4:ea60",
             "Silicon Labs", "0001", -1},
            {"ttyUSB9", 0, "WCH CH340/CH341", "WCH CH340 1a86:7523", "", "", -1},
        };
        for (std::size_t i = 0; i < std::size(table); ++i) {
            const SerialDeviceInfo& d = devices[i];
            const Expected& e = table[i];
            QCOMPARE(d.path, fake_->DevPath(e.name));
            QCOMPARE(d.portNumber, e.port);
            QCOMPARE(d.family, std::string(e.family));
            QCOMPARE(d.CableName(), std::string(e.cable));
            QCOMPARE(d.manufacturer, std::string(e.maker));
            QCOMPARE(d.serial, std::string(e.serial));
            QCOMPARE(d.latencyTimerMs, e.latency);
            QCOMPARE(d.usb, *e.cable != '\0');
        }
        QCOMPARE(devices[1].driver, std::string("serial"));
        QCOMPARE(devices[2].byIdLinks,
                 std::vector<std::string>{fake_->Dev() +
                                          "/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"});
        QVERIFY(devices[3].byIdLinks.empty());
    }

    void aCableComesAndGoes() {
        const std::size_t before = ListSerialDevices().size();
        fake_->AddUsbSerial("ttyUSB3", 7, "ftdi_sio", "0403", "6015", "FTDI", "FT230X", "X1");
        std::vector<SerialDeviceInfo> after = ListSerialDevices();
        QCOMPARE(after.size(), before + 1);
        QCOMPARE(after[after.size() - 2].name, std::string("ttyUSB3")); // before ttyUSB9
        QCOMPARE(after[after.size() - 2].CableName(), std::string("FTDI FT-X 0403:6015"));
        fake_->Remove("ttyUSB0");
        fake_->Remove("ttyUSB3");
        QCOMPARE(ListSerialDevices().size(), before - 1);
    }

    void theDetailLineNamesTheCable() {
        const std::string usb0 = fake_->DevPath("ttyUSB0");
        const std::string link =
            fake_->Dev() + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
        QCOMPARE(PortLabel(usb0), "FTDI FT232R 0403:6001 on " + usb0);
        QCOMPARE(PortLabel(link), "FTDI FT232R 0403:6001 on " + link);
        // No cable: the device alone.
        QCOMPARE(PortLabel(fake_->DevPath("ttyS1")), fake_->DevPath("ttyS1"));
        QCOMPARE(PortLabel("/dev/kestra-no-such-port"), std::string("/dev/kestra-no-such-port"));

        // A silent radio behind the FTDI cable's device node.
        VirtualRadioOptions options;
        options.silent = true;
        VirtualRadio radio(options);
        const std::string pty = radio.Start();
        QVERIFY(!pty.empty());
        fake_->PointAt("ttyUSB0", pty);
        RadioImage image;
        const TransferResult result = RunTransfer(TransferKind::Read, usb0, image, false, nullptr);
        QVERIFY(!result.succeeded);
        QCOMPARE(result.message, std::string("通信出错"));
        QCOMPARE(result.detail,
                 "FTDI FT232R 0403:6001 on " + usb0 + ": 握手没有回应");
    }
};

QTEST_GUILESS_MAIN(TestSerialDevices)
#include "test_serial_devices.moc"
