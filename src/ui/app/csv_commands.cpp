// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/csv_commands.h"

#include <QDir>

#include "core/document/file_io.h"
#include "core/interchange/channel_csv.h"
#include "ui/app/main_frame.h"
#include "ui/app/message_box.h"
#include "ui/app/program_doc.h"
#include "ui/app/recent_files.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/dialogs/csv_import_dlg.h"
#include "ui/grid/program_view.h"

namespace kestra {

namespace {

// A CSV of 256 channels is a few tens of KiB; anything this large is not one.
constexpr std::size_t kCsvMaxBytes = 4u << 20;

} // namespace

CsvCommands::CsvCommands(AppState& state, CMainFrame& frame, RecentFileList& recent)
    : state_(state), frame_(frame), recent_(recent) {}

void CsvCommands::OnExport() {
    if (!frame_.ActiveChild())
        return;
    const QString path =
        AskSaveName(&frame_, QString::fromUtf8(text::kCsvFilter), QStringLiteral("csv"), QString(),
                    recent_.StartFolder(), T(text::kFileExportCsv).remove(QChar(0x2026)));
    if (!path.isEmpty())
        ExportTo(path);
}

bool CsvCommands::ExportTo(const QString& path) {
    CProgramView* view = frame_.ActiveView();
    if (!view)
        return false;
    const std::string csv = ExportChannelCsv(view->ImageAsItStands());
    const QString full = CMyDocManager::NormalisePath(path);
    std::string reason;
    if (!WriteWholeFile(full.toStdString(), csv.data(), csv.size(), &reason)) {
        ShowMessage(&frame_, T(text::kCsvWriteFailed).arg(QDir::toNativeSeparators(full)),
                    QString::fromStdString(reason), QMessageBox::Warning);
        return false;
    }
    recent_.RememberFolder(full);
    std::string ignored;
    const auto rows = ParseCsv(csv, ignored);
    const int channels = rows && !rows->empty() ? static_cast<int>(rows->size()) - 1 : 0;
    frame_.ShowStatusMessage(
        T(text::kStatusCsvExported, channels).arg(QDir::toNativeSeparators(full)));
    return true;
}

void CsvCommands::OnImport() {
    if (!frame_.ActiveChild())
        return;
    const QString path = AskOpenName(&frame_, T(text::kFileImportCsvTitle), recent_.StartFolder(),
                                     QString::fromUtf8(text::kCsvFilter));
    if (!path.isEmpty())
        ImportFrom(path);
}

bool CsvCommands::ImportFrom(const QString& path) {
    CProgramView* view = frame_.ActiveView();
    if (!view)
        return false;
    const QString full = CMyDocManager::NormalisePath(path);
    const QString unusable = T(text::kCsvUnusable).arg(QDir::toNativeSeparators(full));
    std::string csv;
    std::string reason;
    if (!ReadRegularFile(full.toStdString(), kCsvMaxBytes + 1, csv, &reason)) {
        ShowMessage(&frame_, unusable, QString::fromStdString(reason), QMessageBox::Warning);
        return false;
    }
    recent_.RememberFolder(full);
    if (csv.size() > kCsvMaxBytes) {
        ShowMessage(&frame_, unusable,
                    T(KESTRA_TEXT("kestra", "大于 %1 MiB，即本程序导入 CSV 文件的上限；"
                                            "kestra-cli import-csv 可导入至 %2 MiB"))
                        .arg(kCsvMaxBytes >> 20)
                        .arg(kMaxCsvBytes >> 20),
                    QMessageBox::Warning);
        return false;
    }
    view->ImageAsItStands(); // the import starts from it
    CsvImportOptions options;
    {
        CCsvImportDlg dialog(csv, state_.image, &frame_);
        if (!dialog.Preview().usable) {
            ShowMessage(&frame_, unusable, QString::fromStdString(dialog.Preview().error),
                        QMessageBox::Warning);
            return false;
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        options = dialog.Options();
    }
    CsvImportResult result;
    view->RunAsStep(
        text::kFileImportCsvTitle,
        [this, &csv, &options, &result] { result = ImportChannelCsv(csv, state_.image, options); },
        true);
    frame_.ShowStatusMessage(
        T(text::kStatusCsvImported)
            .arg(QDir::toNativeSeparators(full), QString::fromStdString(result.Summary())));
    return true;
}

} // namespace kestra
