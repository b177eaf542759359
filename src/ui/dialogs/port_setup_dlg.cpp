// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/port_setup_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/app/access_keys.h"
#include "ui/app/ini_file.h"
#include "ui/app/message_box.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/widgets/screen_fit.h"

namespace kestra {

namespace {

// The texts of the device list, in one place.
const char* const kTextDevices = KESTRA_TEXT("kestra", "设备(&D)");
const char* const kTextColumnDevice = KESTRA_TEXT("kestra", "设备");
const char* const kTextColumnPort = KESTRA_TEXT("kestra", "端口");
const char* const kTextColumnChip = KESTRA_TEXT("kestra", "芯片");
const char* const kTextColumnUsbId = KESTRA_TEXT("kestra", "USB 标识");
const char* const kTextColumnMaker = KESTRA_TEXT("kestra", "厂商");
const char* const kTextColumnProduct = KESTRA_TEXT("kestra", "产品");
const char* const kTextColumnSerial = KESTRA_TEXT("kestra", "序列号");
const char* const kTextNoDevices = KESTRA_TEXT("kestra", "未找到串口设备");
const char* const kTextByIdLink = KESTRA_TEXT("kestra", "链接");
const char* const kTextLatency = KESTRA_TEXT("kestra", "延迟定时器 %1 ms");
const char* const kTextExtraDevice =
    KESTRA_TEXT("kestra", "%1 不在端口表中：只用于本次运行（如同 --port），Program.ini 中的端口号不变。");
const char* const kTextVirtualRadio =
    KESTRA_TEXT("kestra", "正在使用虚拟对讲机（%1）：读频和写频都与它交换。选择端口并按“确定”即改用该端口。");
const char* const kTextRunDevice = KESTRA_TEXT(
    "kestra", "本次运行使用 %1（不在端口表中，只用于本次运行）。选择端口并按“确定”即改用该端口。");

enum Column { kColDevice, kColPort, kColChip, kColUsbId, kColMaker, kColProduct, kColSerial };
constexpr int kPathRole = Qt::UserRole;
constexpr int kNumberRole = Qt::UserRole + 1;

// What makes two lists of devices show the same.
std::string ListKey(const std::vector<SerialDeviceInfo>& devices) {
    std::string key;
    for (const SerialDeviceInfo& d : devices) {
        key += d.path + '\t' + d.UsbId() + '\t' + d.serial + '\t' + d.driver + '\n';
        for (const std::string& link : d.byIdLinks)
            key += link + '\n';
    }
    return key;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString ChipText(const SerialDeviceInfo& d) {
    QString chip = Q(d.usb ? d.CableName() : d.driver);
    if (d.usb && !d.UsbId().empty()) // the id has its own column
        chip.chop(static_cast<int>(d.UsbId().size()) + 1);
    if (d.usb && !d.family.empty() && d.model.empty())
        chip = Q(d.family);
    if (d.latencyTimerMs >= 0)
        chip += QStringLiteral(", ") + T(kTextLatency).arg(d.latencyTimerMs);
    return chip;
}

} // namespace

CPortSetupDlg::CPortSetupDlg(AppState& state, CIniFile& ini, QWidget* parent, PortTable table)
    : QDialog(parent), state_(state), ini_(ini), table_(std::move(table)),
      buttons_(kPortCount + 1, nullptr), names_(kPortCount + 1, nullptr) {
    setObjectName(QStringLiteral("portDialog"));
    setWindowTitle(T(text::kPortTitle));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 14);
    layout->setSpacing(12);
    // The device this run uses when it is none of the table's (by name, or a
    // link to one that opens): the virtual radio, or one given with --port or
    // picked in this dialog before (the note does not tell which).
    const PortProbe probe = table_.probe(state_.portName);
    bool inTable = probe.selected != 0;
    for (int n = 1; n <= kPortCount; ++n)
        inTable = inTable || table_.deviceName(n) == state_.portName;
    QString runNote;
    if (!table_.virtualRadio.empty())
        runNote = T(kTextVirtualRadio).arg(Q(table_.virtualRadio));
    else if (!state_.portName.empty() && !inTable)
        runNote = T(kTextRunDevice).arg(Q(state_.portName));
    if (!runNote.isEmpty()) {
        virtualNote_ = new QLabel(runNote, this);
        virtualNote_->setObjectName(QStringLiteral("virtualRadioNote"));
        virtualNote_->setWordWrap(true);
        virtualNote_->setFrameShape(QFrame::StyledPanel);
        virtualNote_->setMargin(6);
        layout->addWidget(virtualNote_);
    }

    layout->addWidget(BuildPortGrid(probe));
    ApplyProbe(probe);
    if (probe.selected >= 1 && probe.selected <= kPortCount &&
        probe.available.at(static_cast<std::size_t>(probe.selected)))
        buttons_[static_cast<std::size_t>(probe.selected)]->setChecked(true);

    layout->addWidget(BuildDeviceList(), 1);
    choiceNote_ = new QLabel(this);
    choiceNote_->setObjectName(QStringLiteral("choiceNote"));
    choiceNote_->setWordWrap(true);
    choiceNote_->hide();
    layout->addWidget(choiceNote_);
    layout->addWidget(BuildButtonBox());

    devices_ = table_.devices();
    FillDeviceList();
    // A device outside the table in use (--port) is shown picked.
    if (probe.selected == 0 && !state_.portName.empty() && table_.virtualRadio != state_.portName) {
        for (QTreeWidgetItemIterator it(list_); *it; ++it) {
            if ((*it)->data(kColDevice, kNumberRole).toInt() == 0 &&
                (*it)->data(kColDevice, kPathRole).toString() == Q(state_.portName)) {
                list_->setCurrentItem(*it);
                break;
            }
        }
    }
    ShowChoice();

    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CPortSetupDlg::Refresh);
    timer_->start(table_.refreshMs);
    ResizeWithinScreen(this, sizeHint().expandedTo(QSize(960, 0)));
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
    connect(group_, &QButtonGroup::idClicked, this, &CPortSetupDlg::OnPortClicked);
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
    names_[static_cast<std::size_t>(n)] = name;
    button->setToolTip(device);
#endif
    return cell;
}

QGroupBox* CPortSetupDlg::BuildDeviceList() {
    auto* box = new QGroupBox(T(kTextDevices), this);
    list_ = new QTreeWidget(box);
    list_->setAccessibleName(WithoutAccessKey(box->title()));
    list_->setObjectName(QStringLiteral("deviceList"));
    list_->setRootIsDecorated(true);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({T(kTextColumnDevice), T(kTextColumnPort), T(kTextColumnChip),
                            T(kTextColumnUsbId), T(kTextColumnMaker), T(kTextColumnProduct),
                            T(kTextColumnSerial)});
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->setMinimumHeight(list_->fontMetrics().height() * 8);
    connect(list_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { OnDevicePicked(item); });
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(list_);
    // The group's access key goes to the list.
    box->setFocusProxy(list_);
    return box;
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

void CPortSetupDlg::FillDeviceList() {
    filling_ = true;
    const QString current =
        list_->currentItem() ? list_->currentItem()->data(kColDevice, kPathRole).toString()
                             : QString();
    list_->clear();
    QTreeWidgetItem* select = nullptr;
    for (const SerialDeviceInfo& d : devices_) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(kColDevice, Q(d.path));
        item->setText(kColPort, d.portNumber ? T(text::kPortButtonFormat).arg(d.portNumber)
                                             : QStringLiteral("-"));
        item->setText(kColChip, ChipText(d));
        item->setText(kColUsbId, Q(d.UsbId()));
        item->setText(kColMaker, Q(d.manufacturer));
        item->setText(kColProduct, Q(d.product));
        item->setText(kColSerial, Q(d.serial));
        item->setData(kColDevice, kPathRole, Q(d.path));
        item->setData(kColDevice, kNumberRole, d.portNumber);
        if (Q(d.path) == current)
            select = item;
        for (const std::string& link : d.byIdLinks) {
            auto* child = new QTreeWidgetItem(item);
            // The link's folder is the same for all; its name tells the cable.
            child->setText(kColDevice, QStringLiteral("by-id/") +
                                           Q(link.substr(link.find_last_of('/') + 1)));
            child->setText(kColPort, QStringLiteral("-"));
            child->setText(kColChip, T(kTextByIdLink));
            child->setToolTip(kColDevice, Q(link));
            child->setData(kColDevice, kPathRole, Q(link));
            child->setData(kColDevice, kNumberRole, 0);
            if (Q(link) == current)
                select = child;
        }
        item->setExpanded(true);
    }
    if (devices_.empty()) {
        auto* none = new QTreeWidgetItem(list_);
        none->setText(kColDevice, T(kTextNoDevices));
        none->setFlags(Qt::NoItemFlags);
    }
    // The picked device stays picked when it is still there; the checked
    // port's device otherwise.
    if (!select) {
        for (QTreeWidgetItemIterator it(list_); *it; ++it)
            if (CheckedPort() != 0 && (*it)->data(kColDevice, kNumberRole).toInt() == CheckedPort())
                select = *it;
    }
    if (!select && !extraDevice_.empty())
        extraDevice_.clear(); // the device went away
    list_->setCurrentItem(select);
    filling_ = false;
}

void CPortSetupDlg::ApplyProbe(const PortProbe& probe) {
    for (int n = 1; n <= kPortCount; ++n) {
        const bool available = probe.available.at(static_cast<std::size_t>(n));
        QRadioButton* button = buttons_[static_cast<std::size_t>(n)];
        if (!available && button->isChecked()) {
            group_->setExclusive(false);
            button->setChecked(false);
            group_->setExclusive(true);
        }
        button->setEnabled(available);
        // Why it cannot be chosen (another program holds it, say).
        const std::string& reason = probe.reasons.at(static_cast<std::size_t>(n));
        button->setToolTip(available ? QString() : Q(reason));
        if (QLabel* name = names_[static_cast<std::size_t>(n)]) {
            name->setEnabled(available);
            name->setToolTip(button->toolTip());
        }
    }
}

void CPortSetupDlg::Refresh() {
    std::vector<SerialDeviceInfo> devices = table_.devices();
    if (ListKey(devices) == ListKey(devices_))
        return;
    devices_ = std::move(devices);
    // A cable came or went: which ports open may have changed too.
    ApplyProbe(table_.probe(state_.portName));
    FillDeviceList();
    ShowChoice();
}

void CPortSetupDlg::OnPortClicked(int n) {
    extraDevice_.clear();
    filling_ = true;
    QTreeWidgetItem* match = nullptr;
    for (QTreeWidgetItemIterator it(list_); *it; ++it)
        if (!(*it)->parent() && (*it)->data(kColDevice, kNumberRole).toInt() == n)
            match = *it;
    list_->setCurrentItem(match);
    filling_ = false;
    ShowChoice();
}

void CPortSetupDlg::OnDevicePicked(QTreeWidgetItem* item) {
    if (filling_ || !item)
        return;
    const int n = item->parent() ? 0 : item->data(kColDevice, kNumberRole).toInt();
    const std::string path = item->data(kColDevice, kPathRole).toString().toStdString();
    if (path.empty())
        return;
    if (n >= 1 && n <= kPortCount && buttons_[static_cast<std::size_t>(n)]->isEnabled()) {
        buttons_[static_cast<std::size_t>(n)]->setChecked(true);
        extraDevice_.clear();
    } else {
        // Outside the table (or a number that cannot be opened): this run only.
        if (QAbstractButton* checked = group_->checkedButton()) {
            group_->setExclusive(false);
            checked->setChecked(false);
            group_->setExclusive(true);
        }
        extraDevice_ = path;
    }
    ShowChoice();
}

void CPortSetupDlg::ShowChoice() {
    choiceNote_->setVisible(!extraDevice_.empty());
    if (!extraDevice_.empty())
        choiceNote_->setText(T(kTextExtraDevice).arg(Q(extraDevice_)));
}

int CPortSetupDlg::CheckedPort() const {
    const int id = group_->checkedId();
    return id >= 1 && id <= kPortCount ? id : 0;
}

void CPortSetupDlg::accept() {
    const int n = CheckedPort();
    if (!extraDevice_.empty()) {
        state_.portName = extraDevice_;
    } else if (n != 0) {
        state_.portName = table_.deviceName(n);
        QString reason;
        if (!ini_.WriteInt(QString::fromUtf8(text::kIniSetup), QString::fromUtf8(text::kIniCom), n,
                           &reason))
            ShowMessage(
                this,
                WithReason(T(text::kPortNotSaved)
                               .arg(QDir::toNativeSeparators(
                                   ini_.Path().isEmpty() ? ini_.FallbackPath() : ini_.Path())),
                           reason),
                QMessageBox::Warning);
    }
    QDialog::accept();
}

} // namespace kestra
