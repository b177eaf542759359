// CPortSetupDlg: the choice of the serial port.
//
//   端口 ( ) COM1  ( ) COM2  ( ) COM3  ( ) COM4      each with its device
//        ( ) COM5  ...                               name below it (POSIX)
//        ...                        ( ) COM16
//                                       [确定] [取消]
//
// On opening the ports are probed: a port that cannot be opened is
// disabled, and the selected port (PortName) is checked only when it can be
// opened. "确定" with a port checked stores "Setup/COM" and sets PortName;
// with none checked nothing changes.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/document/app_state.h"
#include "link/serial_link.h"

class QButtonGroup;
class QDialogButtonBox;
class QGroupBox;
class QLayout;
class QRadioButton;

namespace kestra {

class CIniFile;

// Where the dialog finds its ports: their device names and the probe.
struct PortTable {
    std::function<std::string(int)> deviceName = PortDeviceName;
    std::function<PortProbe(const std::string&)> probe = ProbePorts;
};

class CPortSetupDlg : public QDialog {
    Q_OBJECT
public:
    CPortSetupDlg(AppState& state, CIniFile& ini, QWidget* parent = nullptr,
                  PortTable table = PortTable());

    QRadioButton* portButton(int n) const { return buttons_.at(static_cast<std::size_t>(n)); }
    // The checked port number, 0 for none.
    int CheckedPort() const;

    void accept() override;

private:
    // The 16 ports in four rows, each with its device name below it.
    QGroupBox* BuildPortGrid(const PortProbe& probe);
    QLayout* BuildPortCell(QWidget* box, int n, bool available);
    QDialogButtonBox* BuildButtonBox();

    AppState& state_;
    CIniFile& ini_;
    PortTable table_;
    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_; // index 1..16
};

} // namespace kestra
