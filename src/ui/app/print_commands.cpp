// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/print_commands.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

#include "core/interchange/channel_print.h"
#include "ui/app/child_frame.h"
#include "ui/app/main_frame.h"
#include "ui/app/message_box.h"
#include "ui/app/program_doc.h"
#include "ui/app/recent_files.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/grid/program_view.h"
#include "ui/widgets/channel_print.h"

namespace kestra {

PrintCommands::PrintCommands(AppState& state, CMainFrame& frame, RecentFileList& recent)
    : state_(state), frame_(frame), recent_(recent) {}

PrintCommands::~PrintCommands() = default;

QPrinter& PrintCommands::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    }
    return *printer_;
}

std::unique_ptr<ChannelPrintLayout> PrintCommands::ChannelListLayout() {
    CChildFrame* child = frame_.ActiveChild();
    if (!child)
        return nullptr;
    return std::make_unique<ChannelPrintLayout>(
        BuildChannelPrintTable(child->view()->ImageAsItStands(), state_.bandLimits),
        child->document()->Title(), QDate::currentDate());
}

void PrintCommands::OnPrintSetup() {
    QPrintDialog dialog(&Printer(), &frame_);
    dialog.setWindowTitle(T(text::kFilePrintSetup).remove(QStringLiteral("...")));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    // The setup only keeps the choices: its button is no "Print" (Qt's own
    // dialog; a native one keeps its buttons).
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(T(text::kOk));
    dialog.exec();
}

void PrintCommands::OnPrint() {
    if (!frame_.ActiveChild())
        return;
    const auto layout = ChannelListLayout();
    if (!layout)
        return;
    QPrintDialog dialog(&Printer(), &frame_);
    dialog.setMinMax(1, layout->PageCount(&Printer()));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    const bool printed = accepted && layout->Print(&Printer());
    // A page range is for this print only: the preview and the next print
    // start from the whole list.
    Printer().setPrintRange(QPrinter::AllPages);
    if (!accepted)
        return;
    if (!printed) {
        ShowMessage(&frame_, T(text::kPrintFailed), QString(), QMessageBox::Warning);
        return;
    }
    // Where it went: without a printer, Qt's dialog prints into a file.
    const QString file = Printer().outputFileName();
    frame_.ShowStatusMessage(file.isEmpty()
                                 ? T(text::kStatusPrinted).arg(Printer().printerName())
                                 : T(text::kStatusPdfExported).arg(QDir::toNativeSeparators(file)));
}

void PrintCommands::OnPrintPreview() {
    const auto layout = ChannelListLayout();
    if (!layout)
        return;
    QPrintPreviewDialog dialog(&Printer(), &frame_);
    dialog.setWindowTitle(T(text::kFilePrintPreview).remove(QStringLiteral("...")));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&layout](QPrinter* printer) { layout->Print(printer); });
    // Large enough to read a page: most of the main window.
    dialog.resize(frame_.size() * 0.85);
    dialog.exec();
}

void PrintCommands::OnExportPdf() {
    if (!frame_.ActiveChild())
        return;
    const QString path =
        AskSaveName(&frame_, QString::fromUtf8(text::kPdfFilter), QStringLiteral("pdf"), QString(),
                    recent_.StartFolder(), T(text::kFileExportPdf).remove(QStringLiteral("...")));
    if (!path.isEmpty())
        ExportPdfTo(path);
}

namespace {

// The file, and the system's reason it cannot be written when there is one:
// the PDF writer does not say why it failed, so the file is opened as it
// would have been (and a file the probe created is removed again).
QString FileAndReason(const QString& path) {
    const QString file = QDir::toNativeSeparators(path);
    QFile probe(path);
    const bool existed = probe.exists();
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
        return file + QStringLiteral(": ") + probe.errorString();
    probe.close();
    if (!existed)
        probe.remove();
    return file;
}

} // namespace

bool PrintCommands::ExportPdfTo(const QString& path) {
    const auto layout = ChannelListLayout();
    if (!layout)
        return false;
    const QString full = CMyDocManager::NormalisePath(path);
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageLayout(Printer().pageLayout());
    pdf.setDocName(layout->title());
    pdf.setCreator(T(text::kAppTitle));
    pdf.setOutputFileName(full);
    if (!layout->Print(&pdf)) {
        ShowMessage(&frame_, T(text::kPdfWriteFailed), FileAndReason(full), QMessageBox::Warning);
        return false;
    }
    recent_.RememberFolder(full);
    frame_.ShowStatusMessage(T(text::kStatusPdfExported).arg(QDir::toNativeSeparators(full)));
    return true;
}

} // namespace kestra
