// SPDX-License-Identifier: GPL-3.0-or-later
// 文件 → 打印, 打印预览, 导出 PDF, 打印设置: the active document's channel
// list on paper or in a PDF, through the application's one printer.
#pragma once

#include <QString>
#include <memory>

#include "ui/widgets/channel_print.h"

class QPrinter;

namespace kestra {

struct AppState;
class CMainFrame;
class RecentFileList;

class PrintCommands {
public:
    PrintCommands(AppState& state, CMainFrame& frame, RecentFileList& recent);
    ~PrintCommands();

    void OnPrintSetup();
    void OnPrint();
    void OnPrintPreview();
    void OnExportPdf();
    bool ExportPdfTo(const QString& path);
    // The application's printer (created on first use, with 15 mm margins).
    QPrinter& Printer();

private:
    // The active document's channel list as it stands; null without an
    // active document.
    std::unique_ptr<ChannelPrintLayout> ChannelListLayout();
    // Writes the layout's chosen pages as a PDF file at path, and says how
    // that went (the status bar, or a message with the system's reason).
    bool WritePdf(const ChannelPrintLayout& layout, const QString& path,
                  const ChannelPrintLayout::PageChoice& choice);
    // Prints the pages the print dialog chose on the printer, or into the
    // PDF file it named, and says how that went.
    void PrintChosen(const ChannelPrintLayout& layout);
    void ForgetOnePrintChoices();
    bool MayCutValues(const ChannelPrintLayout& layout);

    AppState& state_;
    CMainFrame& frame_;
    RecentFileList& recent_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace kestra
