// SPDX-License-Identifier: GPL-3.0-or-later
// CCsvImportDlg: the preview of 文件 -> 导入 CSV…. The options (起始信道,
// 保留位置, 覆盖非空信道) are applied to a copy of the image on every change
// and the table lists every row of the file: the channel it lands in and
// what it replaces there (highlighted), or why it is skipped (greyed), with
// the import's remark; the real image is only touched by the caller, with
// Options(), after 导入.
//
//   起始信道 [A001 v]  [ ] 保留位置  [ ] 覆盖非空信道
//   +----+-------+------+-----------+--------------------+
//   | 行 | 名称  | 信道 | 覆盖      | 结果               |
//   +----+-------+------+-----------+--------------------+
//   3 rows imported, 1 skipped
//                                 [导入] [取消]
#pragma once

#include <QDialog>
#include <string>

#include "core/image/radio_image.h"
#include "core/interchange/channel_csv.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTableView;

namespace kestra {

class CsvPlanModel;

class CCsvImportDlg : public QDialog {
    Q_OBJECT
public:
    CCsvImportDlg(const std::string& csvText, const RadioImage& image, QWidget* parent = nullptr);

    CsvImportOptions Options() const;
    // The result of the import with the current options, on the copy.
    const CsvImportResult& Preview() const { return preview_; }

    enum Column { kColumnRow, kColumnLabel, kColumnChannel, kColumnReplaces, kColumnResult, kColumns };

private:
    void Recompute();

    std::string text_;
    const RadioImage& image_;
    CsvImportResult preview_;
    QComboBox* start_;
    QCheckBox* keepLocation_;
    QCheckBox* overwrite_;
    CsvPlanModel* plan_;
    QTableView* table_;
    QLabel* summary_;
};

} // namespace kestra
