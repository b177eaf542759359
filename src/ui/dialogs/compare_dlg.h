// SPDX-License-Identifier: GPL-3.0-or-later
// CCompareDlg: 文件 -> 比较... . The active document (its grid converted into
// the image by the opener) against a .dat file, as kestra-cli diff compares
// them (forms::DiffImages): every channel form, every settings form (the
// factory forms too in factory mode) and the bytes no form shows.
//
//   [选择文件...] [最新备份]
//   比较文件：/home/.../backups/20261206-233000-read.dat
//   +--------------+----------+-----------+-------------------------+
//   | 节           | 项       | 当前      | 20261206-233000-read.dat |
//   | 信道 A005    | 接收频率 | 145.01250 | 145.02500               |
//   | 可选功能     | 静噪电平 | 4         | 5                       |
//   | 原始字节     | 0x3ED5   | FF        | EE                      |
//   +--------------+----------+-----------+-------------------------+
//   3 处差异。双击信道的差异，在表格中选中该信道。            [关闭]
//
// One row per differing key; "—" stands for a key the image does not show
// (a channel in use in one image and empty in the other). "最新备份" compares
// with the newest file of the backup folder and is disabled while there is
// none. A file that cannot be read empties the list and says why.
// Double-clicking (or Enter on) a channel's row emits channelChosen with the
// grid row of that channel; the dialog stays open for the next one.
#pragma once

#include <QDialog>
#include <QString>

#include "core/document/app_state.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestra {

class CCompareDlg : public QDialog {
    Q_OBJECT
public:
    // document: the state of the active document (copied); startFolder: where
    // "选择文件..." starts before a file has been compared.
    CCompareDlg(const AppState& document, const QString& startFolder, QWidget* parent = nullptr);

    // Compares the document with the file; false (the list empty, the reason
    // shown) when the file cannot be read.
    bool CompareWith(const QString& path);
    // "选择文件..." and "最新备份".
    void OnChooseFile();
    void OnNewestBackup();

    // Columns of the list.
    enum Column { kColumnSection, kColumnKey, kColumnCurrent, kColumnOther };
    // Item data of the section column: the section as the profile names it
    // ("channel A005") and the grid row of a channel's row (else 0).
    static constexpr int kHeaderRole = Qt::UserRole;
    static constexpr int kGridRowRole = Qt::UserRole + 1;

    QTreeWidget* list() const { return list_; }
    QLabel* fileLabel() const { return fileLabel_; }
    QLabel* summaryLabel() const { return summary_; }
    QPushButton* chooseButton() const { return choose_; }
    QPushButton* newestButton() const { return newest_; }
    const QString& ComparedPath() const { return path_; }

signals:
    // A channel's row was double-clicked: its grid row (1..258).
    void channelChosen(int gridRow);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnItemActivated(QTreeWidgetItem* item);
    void ShowFileName();
    void ShowError(const QString& error);
    void UpdateNewestButton();

    AppState document_;
    QString startFolder_;
    QString path_;
    QLabel* fileLabel_;
    QTreeWidget* list_;
    QLabel* summary_;
    QPushButton* choose_;
    QPushButton* newest_;
};

} // namespace kestra
