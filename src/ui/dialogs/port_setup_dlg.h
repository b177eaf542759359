// SPDX-License-Identifier: GPL-3.0-or-later
// CPortSetupDlg: the choice of the serial port.
//
//   (正在使用虚拟对讲机 /dev/pts/3 ...)             only with --simulate
//   端口 ( ) COM1  ( ) COM2  ( ) COM3  ( ) COM4      each with its device
//        ( ) COM5  ...                               name below it (POSIX)
//        ...                        ( ) COM16
//   设备 | 设备 | 端口 | 芯片 | USB 标识 | 厂商 | 产品 | 序列号 |
//        /dev/ttyUSB0   COM1  FTDI FT232R  0403:6001 ...
//          /dev/serial/by-id/usb-FTDI_...   (its by-id links below it)
//        /dev/ttyUSB9   -     WCH CH340 ...
//   (the note on a device outside the port table)
//                                       [确定] [取消]
//
// On opening the ports are probed: a port that cannot be opened is
// disabled, and the selected port (PortName) is checked only when it can be
// opened. The device list shows every serial device with what is known of
// its cable and refreshes by itself once a second when a cable comes or
// goes (the ports are probed again only then). Picking a device of the
// port table checks its number and the reverse. "确定" with a port checked
// stores "Setup/COM" and sets PortName; with none checked nothing changes.
// A device outside the table (ttyUSB9, a by-id link) can be picked too: it
// is used for this run only, as --port is, and the settings file keeps its
// number; the dialog says so.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/document/app_state.h"
#include "link/serial_devices.h"
#include "link/serial_link.h"

class QButtonGroup;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLayout;
class QRadioButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestra {

class CIniFile;

// Where the dialog finds its ports: their device names, the probe and the
// list of serial devices.
struct PortTable {
    std::function<std::string(int)> deviceName = PortDeviceName;
    std::function<PortProbe(const std::string&)> probe = ProbePorts;
    std::function<std::vector<SerialDeviceInfo>()> devices = [] { return ListSerialDevices(); };
    // The pseudo-terminal of the virtual radio in use (--simulate); empty
    // when there is none.
    std::string virtualRadio;
    // How often the device list is looked at, in milliseconds.
    int refreshMs = 1000;
};

class CPortSetupDlg : public QDialog {
    Q_OBJECT
public:
    CPortSetupDlg(AppState& state, CIniFile& ini, QWidget* parent = nullptr,
                  PortTable table = PortTable());

    QRadioButton* portButton(int n) const { return buttons_.at(static_cast<std::size_t>(n)); }
    // The checked port number, 0 for none.
    int CheckedPort() const;
    QTreeWidget* deviceList() const { return list_; }
    // The device outside the port table that "确定" would use for this run;
    // empty when none is picked.
    const std::string& ExtraDevice() const { return extraDevice_; }
    // The note naming the device this run uses when it is outside the table
    // (the virtual radio, a --port device); null when there is none.
    QLabel* virtualRadioNote() const { return virtualNote_; }
    QLabel* choiceNote() const { return choiceNote_; }

    // Looks at the devices again; rebuilds the list (and probes the ports)
    // only when they changed. The timer calls it.
    void Refresh();

    void accept() override;

private:
    // The 16 ports in four rows, each with its device name below it.
    QGroupBox* BuildPortGrid(const PortProbe& probe);
    QLayout* BuildPortCell(QWidget* box, int n, bool available);
    QGroupBox* BuildDeviceList();
    QDialogButtonBox* BuildButtonBox();
    void FillDeviceList();
    void ApplyProbe(const PortProbe& probe);
    void OnPortClicked(int n);
    void OnDevicePicked(QTreeWidgetItem* item);
    void ShowChoice();

    AppState& state_;
    CIniFile& ini_;
    PortTable table_;
    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_; // index 1..16
    std::vector<QLabel*> names_;         // index 1..16; null on Windows
    QTreeWidget* list_ = nullptr;
    QLabel* virtualNote_ = nullptr;
    QLabel* choiceNote_ = nullptr;
    QTimer* timer_ = nullptr;
    std::vector<SerialDeviceInfo> devices_;
    std::string extraDevice_;
    bool filling_ = false;
};

} // namespace kestra
