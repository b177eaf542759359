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
        QStringList rows;
        for (const SerialDeviceInfo& d : devices) {
            QCOMPARE(d.path, fake_->DevPath(d.name));
            rows << QString::fromStdString(
                d.name + " " + std::to_string(d.portNumber) + " " + d.family + "|" + d.CableName() +
                "|" + d.manufacturer + "|" + d.serial + "|" + d.driver + "|" +
                std::to_string(d.latencyTimerMs) + (d.usb ? " usb" : ""));
        }
        QCOMPARE(rows,
                 QStringList({"ttyACM0 9 CDC-ACM|CDC-ACM 2341:0043|Arduino (www.arduino.cc)|"
                              "85736323838351|cdc_acm|-1 usb",
                              "ttyS1 14 ||||serial|-1",
                              "ttyUSB0 1 FTDI|FTDI FT232R 0403:6001|FTDI|A50285BI|ftdi_sio|16 usb",
                              "ttyUSB1 2 Prolific PL2303|Prolific PL2303 067b:2303|Prolific "
                              "Technology Inc.||pl2303|-1 usb",
                              "ttyUSB2 3 Silicon Labs CP210x|Silicon Labs CP210x 10c4:ea60|"
                              "Silicon Labs|0001|cp210x|-1 usb",
                              "ttyUSB9 0 WCH CH340/CH341|WCH CH340 1a86:7523|||ch341|-1 usb"}));
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
