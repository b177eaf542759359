// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/print_commands.h"

#include <QBuffer>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QGraphicsView>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "core/document/file_io.h"
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

// A page range and order are for one print only: every print and preview
// starts from the whole list, first page first.
void PrintCommands::ForgetOnePrintChoices() {
    Printer().setPrintRange(QPrinter::AllPages);
    Printer().setPageOrder(QPrinter::FirstPageFirst);
}

void PrintCommands::OnPrint() {
    if (!frame_.ActiveChild())
        return;
    const auto layout = ChannelListLayout();
    if (!layout)
        return;
    ForgetOnePrintChoices();
    QPrintDialog dialog(&Printer(), &frame_);
    dialog.setMinMax(1, layout->PageCount(&Printer()));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted)
        PrintChosen(*layout);
}

// After the print dialog: without a printer, Qt's dialog prints into a file,
// and that is a PDF export, saved as safely as one.
void PrintCommands::PrintChosen(const ChannelPrintLayout& layout) {
    if (!MayCutValues(layout))
        return;
    const auto choice = ChannelPrintLayout::ChoiceOf(Printer());
    if (Printer().outputFormat() == QPrinter::PdfFormat) {
        if (!Printer().outputFileName().isEmpty())
            WritePdf(layout, Printer().outputFileName(), choice);
        return;
    }
    if (!layout.Print(&Printer())) {
        ShowMessage(&frame_, T(text::kPrintFailed), QString(), QMessageBox::Warning);
        return;
    }
    frame_.ShowStatusMessage(T(text::kStatusPrinted).arg(Printer().printerName()));
}

void PrintCommands::OnPrintPreview() {
    const auto layout = ChannelListLayout();
    if (!layout)
        return;
    ForgetOnePrintChoices();
    QPrintPreviewDialog dialog(&Printer(), &frame_);
    dialog.setWindowTitle(T(text::kFilePrintPreview).remove(QStringLiteral("...")));
    // The preview draws its pages into a picture; its own print button asks
    // for a real print, which goes the way 打印 goes.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this, &layout](QPrinter* printer) {
                         if (printer->paintEngine()->type() == QPaintEngine::Picture)
                             layout->Print(printer);
                         else
                             PrintChosen(*layout);
                     });
    // Large enough to read a page: most of the main window; the page view
    // takes the keys (Page Down, zoom) at once.
    dialog.resize(frame_.size() * 0.85);
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (auto* preview = dialog.findChild<QPrintPreviewWidget*>())
            if (auto* pages = preview->findChild<QGraphicsView*>())
                pages->setFocus(Qt::OtherFocusReason);
    });
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

bool PrintCommands::ExportPdfTo(const QString& path) {
    const auto layout = ChannelListLayout();
    return layout && MayCutValues(*layout) && WritePdf(*layout, path, {});
}

// On a page too narrow for the list (wide margins, a small sheet) values
// would be cut short: the user is asked first.
bool PrintCommands::MayCutValues(const ChannelPrintLayout& layout) {
    return layout.FitsWidth(&Printer()) || AskOkCancel(&frame_, T(text::kPrintCutsValues));
}

// The PDF writer ignores a failed write (a full disk left a cut-off file
// behind, reported as written): the pages are made in memory and saved as
// every other file is, through a temporary file, with the system's reason
// when that fails.
bool PrintCommands::WritePdf(const ChannelPrintLayout& layout, const QString& path,
                             const ChannelPrintLayout::PageChoice& choice) {
    const QString full = CMyDocManager::NormalisePath(path);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter pdf(&bytes);
        pdf.setResolution(Printer().resolution());
        pdf.setPageLayout(Printer().pageLayout());
        pdf.setTitle(layout.title());
        pdf.setCreator(T(text::kAppTitle));
        painted = layout.Print(&pdf, choice);
    }
    std::string reason;
    if (!painted || !WriteWholeFile(full.toStdString(), bytes.data().constData(),
                                    static_cast<std::size_t>(bytes.data().size()), &reason)) {
        QString detail = QDir::toNativeSeparators(full);
        if (!reason.empty())
            detail += QStringLiteral(": ") + QString::fromStdString(reason);
        ShowMessage(&frame_, T(text::kPdfWriteFailed), detail, QMessageBox::Warning);
        return false;
    }
    recent_.RememberFolder(full);
    frame_.ShowStatusMessage(T(text::kStatusPdfExported).arg(QDir::toNativeSeparators(full)));
    return true;
}

} // namespace kestra
