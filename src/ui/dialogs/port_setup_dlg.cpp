#include "ui/dialogs/port_setup_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/app/ini_file.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

namespace kestra {

CPortSetupDlg::CPortSetupDlg(AppState& state, CIniFile& ini, QWidget* parent, PortTable table)
    : QDialog(parent), state_(state), ini_(ini), table_(std::move(table)),
      buttons_(kPortCount + 1, nullptr) {
    setObjectName(QStringLiteral("portDialog"));
    setWindowTitle(T(text::kPortTitle));

    const PortProbe probe = table_.probe(state_.portName);
    QGroupBox* box = BuildPortGrid(probe);
    if (probe.selected >= 1 && probe.selected <= kPortCount &&
        probe.available.at(static_cast<std::size_t>(probe.selected)))
        buttons_[static_cast<std::size_t>(probe.selected)]->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 14);
    layout->setSpacing(14);
    layout->addWidget(box);
    layout->addWidget(BuildButtonBox());
    setFixedSize(sizeHint());
}

QGroupBox* CPortSetupDlg::BuildPortGrid(const PortProbe& probe) {
    auto* box = new QGroupBox(T(text::kPortGroup), this);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(22);
    grid->setVerticalSpacing(10);
    grid->setContentsMargins(16, 14, 16, 14);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    for (int n = 1; n <= kPortCount; ++n) {
        const bool available = probe.available.at(static_cast<std::size_t>(n));
        grid->addLayout(BuildPortCell(box, n, available), (n - 1) / 4, (n - 1) % 4);
    }
    return box;
}

QLayout* CPortSetupDlg::BuildPortCell(QWidget* box, int n, bool available) {
    auto* button = new QRadioButton(T(text::kPortButtonFormat).arg(n), box);
    button->setObjectName(QStringLiteral("port%1").arg(n));
    button->setEnabled(available);
    group_->addButton(button, n);
    buttons_[static_cast<std::size_t>(n)] = button;

    auto* cell = new QVBoxLayout;
    cell->setSpacing(0);
    cell->addWidget(button);
#ifndef _WIN32
    // On POSIX systems the number stands for a device; show which, lined up
    // with the button's text.
    const QString device = QString::fromStdString(table_.deviceName(n));
    auto* name = new QLabel(device, box);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    name->setFont(small);
    name->setEnabled(available);
    name->setContentsMargins(button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                 button->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing),
                             0, 0, 0);
    cell->addWidget(name);
    button->setToolTip(device);
#endif
    return cell;
}

QDialogButtonBox* CPortSetupDlg::BuildButtonBox() {
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(T(text::kOk), QDialogButtonBox::AcceptRole);
    buttons->addButton(T(text::kCancel), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPortSetupDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

int CPortSetupDlg::CheckedPort() const {
    const int id = group_->checkedId();
    return id >= 1 && id <= kPortCount ? id : 0;
}

void CPortSetupDlg::accept() {
    const int n = CheckedPort();
    if (n != 0) {
        state_.portName = table_.deviceName(n);
        ini_.WriteInt(QString::fromUtf8(text::kIniSetup), QString::fromUtf8(text::kIniCom), n);
    }
    QDialog::accept();
}

} // namespace kestra
