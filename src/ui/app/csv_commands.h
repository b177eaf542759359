// SPDX-License-Identifier: GPL-3.0-or-later
// 文件 → 导入 CSV / 导出 CSV: the active document's channels to and from a
// CSV file, the import through its preview and as one undo step.
#pragma once

#include <QString>

namespace kestra {

struct AppState;
class CMainFrame;
class RecentFileList;

class CsvCommands {
public:
    CsvCommands(AppState& state, CMainFrame& frame, RecentFileList& recent);

    void OnExport();
    bool ExportTo(const QString& path);
    void OnImport();
    bool ImportFrom(const QString& path);

private:
    AppState& state_;
    CMainFrame& frame_;
    RecentFileList& recent_;
};

} // namespace kestra
