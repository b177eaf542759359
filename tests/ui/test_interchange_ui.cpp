// SPDX-License-Identifier: GPL-3.0-or-later
// The channel list leaving and entering the running application: 导出 CSV…,
// 导入 CSV… with its preview, 打印..., 打印预览... and 导出 PDF.... The PDF's
// text and pages are read with pdftotext and pdftoppm (poppler-utils) when
// they are installed; the page objects are counted in the file either way.
#include <QGraphicsView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableView>
#include <cerrno>
#include <cstring>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include "app_test_support.h"
#include "core/codec/codecs.h"
#include "core/forms/channel_edit_form.h"
#include "core/interchange/channel_csv.h"
#include "core/interchange/channel_print.h"
#include "ui/dialogs/csv_import_dlg.h"
#include "ui/widgets/channel_print.h"

using namespace kestra;
using namespace kestra::test;

namespace {

// 256 channels (both bands, every tone, names CH1..CH256); the VFO records
// are cleared.
void FillChannels(RadioImage& image) {
    const auto& tones = SignallingList();
    for (int n = 1; n <= kChannelCount; ++n) {
        ClearRecord(image, n);
        if (n > kMemoryChannels)
            continue;
        ChannelRecord rec(image, n);
        const std::uint32_t rx = (n <= 128 ? 14400000u : 43000000u) + 1250u * n;
        rec.SetRx(rx);
        rec.SetTx(n % 4 == 2 ? rx + 60000 : rx);
        if (n % 9 == 0)
            rec.SetTxNone();
        rec.SetRxTone(ToneTextToValue(tones[static_cast<std::size_t>(n) % tones.size()]));
        rec.SetTxTone(ToneTextToValue(tones[static_cast<std::size_t>(n * 7) % tones.size()]));
        rec.SetBusyLockout(n % 3);
        rec.SetWide(n % 2 == 0);
        WriteChannelName(rec, "CH" + std::to_string(n));
    }
}

QString Tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

// A poppler tool's standard output; empty when it fails.
QString Run(const char* tool, const QStringList& arguments) {
    QProcess p;
    p.start(Tool(tool), arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Text folded for comparing: spaces dropped, and the few ideographs a CJK
// font draws with the glyph of a radical, which pdftotext reads back as that
// radical (无 as U+2F46, 页 as U+2EDA), made ideographs again.
QString Folded(QString text) {
    text = text.normalized(QString::NormalizationForm_KC);
    text.replace(QChar(0x2EDA), QChar(0x9875));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.remove(space);
}

// The folded text of one page of a PDF (of all pages for 0).
QString PdfText(const QString& path, int page = 0) {
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    return Folded(Run("pdftotext", arguments << path << QStringLiteral("-")));
}

// Keeps a PDF in build/screenshots with its first page rendered beside it.
void KeepPdf(const QString& path, const QString& name, int dpi) {
    const QDir out(QStringLiteral(KESTRA_SCREENSHOT_DIR));
    QVERIFY(out.mkpath(QStringLiteral(".")));
    QFile::remove(out.filePath(name + QStringLiteral(".pdf")));
    QFile::copy(path, out.filePath(name + QStringLiteral(".pdf")));
    if (Tool("pdftoppm").isEmpty())
        return;
    const QString png = out.filePath(name + QStringLiteral("_pdf"));
    Run("pdftoppm", {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                     QStringLiteral("1"), QStringLiteral("-r"), QString::number(dpi),
                     QStringLiteral("-png"), QStringLiteral("-singlefile"), path, png});
    QVERIFY(QFile::exists(png + QStringLiteral(".png")));
}

// The page objects of a PDF as Qt writes it ("/Type /Page", not "/Pages").
int PageObjects(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

// The layout's pagination on the page setup the export uses.
int ExpectedPages(CProgramApp& app, int* rowsPerPage = nullptr) {
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageLayout(app.printing().Printer().pageLayout());
    const ChannelPrintLayout layout(
        BuildChannelPrintTable(app.state().image, app.state().bandLimits), QStringLiteral("x"),
        QDate::currentDate());
    if (rowsPerPage)
        *rowsPerPage = layout.RowsPerPage(&pdf);
    return layout.PageCount(&pdf);
}

const QString kHeader = Folded(
    QStringLiteral("信道 信道名字 接收频率 发射频率 接收信令 发射信令 功率 扫描 带宽 繁忙"));

// The CSV import preview's cells, as its view shows them.
struct Cells {
    QAbstractItemModel* model;
    explicit Cells(QWidget* dialog)
        : model(dialog->findChild<QTableView*>(QStringLiteral("csvReport"))->model()) {}
    int rows() const { return model->rowCount(); }
    QString operator()(int r, int c) const { return model->index(r, c).data().toString(); }
    QVariant Data(int r, int c, int role) const { return model->index(r, c).data(role); }
};

} // namespace

class TestInterchangeUi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }
    void init() { QSettings().clear(); }

    // 打印预览... shows the layout's pages, an edit still open included (the
    // grid goes into the image first); 打印... (Ctrl+P) opens the print
    // dialog, where 取消 prints nothing and 打印 prints on the printer chosen
    // (here, to a PDF file). 导出 PDF...: the document's name in the title,
    // the layout's pages on the page setup the export uses; an empty list
    // says so on one page; a folder that does not exist is reported with the
    // system's reason.
    void printingThroughTheApplication() {
        AppFixture f;
        QVERIFY(f.Start());
        FillChannels(f.app->state().image);
        f.view()->RenderGrid();
        QWidget* editor = f.view()->table()->StartEditAt(GridCell{3, kColRx});
        QTest::keyClicks(editor, QStringLiteral("145.5"));
        // The preview's own print button goes the way 打印 goes (here into a
        // PDF, through the safe save, said in the status bar), and the page
        // range chosen there is for that print only.
        const QString printed = f.dir.file(QStringLiteral("printed.pdf"));
        QList<int> shownPages;
        const auto preview = [&](bool printPageTwo) {
            f.driver.On<QPrintPreviewDialog>([&, printPageTwo](QPrintPreviewDialog* dialog) {
                auto* widget = dialog->findChild<QPrintPreviewWidget*>();
                QVERIFY(widget);
                shownPages << widget->pageCount();
                // The pages take the keys at once (Page Down, zoom).
                QTRY_VERIFY(qobject_cast<QGraphicsView*>(dialog->focusWidget()));
                if (printPageTwo) {
                    dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
                    dialog->printer()->setOutputFileName(printed);
                    dialog->printer()->setPrintRange(QPrinter::PageRange);
                    dialog->printer()->setFromTo(2, 2);
                    widget->print();
                } else {
                    dialog->resize(900, 760);
                    QTest::qWait(50);
                    SaveScreenshot(dialog, QStringLiteral("channel_list_preview.png"));
                }
                dialog->reject();
            });
            f.Trigger(kIdFilePrintPreview);
            QVERIFY(f.driver.AllHandled());
        };
        preview(true);
        QCOMPARE(PageObjects(ReadAll(printed)), 1);
        QVERIFY(f.frame()->status()->currentMessage().endsWith(QDir::toNativeSeparators(printed)));
        preview(false);
        QCOMPARE(f.Cell(3, kColRx), std::string("145.50000"));
        QCOMPARE(shownPages, QList<int>({ExpectedPages(*f.app), ExpectedPages(*f.app)}));

        // 打印: 取消 prints nothing; a reversed print does not leave the next
        // one reversed.
        QCOMPARE(f.frame()->action(kIdFilePrint)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+P")));
        QFile::remove(printed);
        for (bool print : {false, true, true}) {
            f.driver.On<QPrintDialog>([&printed, print](QPrintDialog* dialog) {
                QCOMPARE(dialog->printer()->pageOrder(), QPrinter::FirstPageFirst);
                if (!print)
                    return dialog->reject();
                dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
                dialog->printer()->setOutputFileName(printed);
                if (auto* reverse = dialog->findChild<QCheckBox*>(QStringLiteral("reverse")))
                    reverse->setChecked(true);
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                    name->setText(printed);
                dialog->accept();
            });
            f.Trigger(kIdFilePrint);
            QVERIFY(f.driver.AllHandled());
            QCOMPARE(QFile::exists(printed), print);
        }
        QVERIFY(f.frame()->status()->currentMessage().endsWith(QDir::toNativeSeparators(printed)));
        QCOMPARE(PageObjects(ReadAll(printed)), ExpectedPages(*f.app));

        const QString path = f.dir.file(QStringLiteral("list.pdf"));
        QVERIFY(f.app->printing().ExportPdfTo(path));
        QVERIFY2(f.frame()->status()->currentMessage().contains(QDir::toNativeSeparators(path)),
                 qPrintable(f.frame()->status()->currentMessage()));
        KeepPdf(path, QStringLiteral("channel_list"), 110);
        int rowsPerPage = 0;
        const int pages = ExpectedPages(*f.app, &rowsPerPage);
        // A page of readable rows; 256 channels take several pages.
        QVERIFY2(rowsPerPage >= 30, qPrintable(QString::number(rowsPerPage)));
        QCOMPARE(pages, (256 + rowsPerPage - 1) / rowsPerPage);
        QCOMPARE(PageObjects(ReadAll(path)), pages);
        if (!Tool("pdftotext").isEmpty())
            QVERIFY(PdfText(path, 1).contains(Folded(QStringLiteral("信道列表 — 无标题"))));

        for (int n = 1; n <= kChannelCount; ++n)
            ClearRecord(f.app->state().image, n);
        f.view()->RenderGrid();
        QVERIFY(f.app->printing().ExportPdfTo(path));
        KeepPdf(path, QStringLiteral("channel_list_empty"), 60);
        QCOMPARE(PageObjects(ReadAll(path)), 1);
        if (!Tool("pdftotext").isEmpty())
            QVERIFY2(PdfText(path).contains(QStringLiteral("繁忙没有信道第1页/共1页")),
                     qPrintable(PdfText(path)));

        f.driver.ExpectMessage();
        const QString missing = f.dir.file(QStringLiteral("missing/out.pdf"));
        QVERIFY(!f.app->printing().ExportPdfTo(missing));
        // The message, then the file and the system's reason.
        const QStringList message = f.driver.messages().value(0).split('\n');
        QCOMPARE(message.value(0), QStringLiteral("无法写入该 PDF 文件"));
        QCOMPARE(message.value(1).section(QStringLiteral(": "), 0, 0), missing);
        QVERIFY(!message.value(1).section(QStringLiteral(": "), 1).isEmpty());
#ifndef _WIN32
        // A full disk is a failure with its reason, never a cut-off PDF
        // reported as written: a /dev/full of its own (making one needs root).
        const QString full = f.dir.file(QStringLiteral("full"));
        if (::geteuid() == 0 &&
            ::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0) {
            f.driver.ExpectMessage();
            QVERIFY(!f.app->printing().ExportPdfTo(full));
            QVERIFY2(f.driver.messages().value(1).contains(
                         QString::fromLocal8Bit(std::strerror(ENOSPC))),
                     qPrintable(f.driver.messages().value(1)));
        }
#endif
    }

    // On an A5 page the font shrinks until all ten columns fit, nothing
    // elided; every page holds the title, the header and its number; every
    // channel is there once, in order, on the pages the layout counts.
    void layoutKeepsEveryColumnAndChannel() {
        RadioImage image = BuiltInImage();
        FillChannels(image);
        BandLimits limits;
        LoadBandLimitsFromImage(image, limits);
        const ChannelPrintLayout layout(BuildChannelPrintTable(image, limits),
                                        QStringLiteral("a5.dat"), QDate(2024, 5, 1));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a5.pdf"));
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(path);
        pdf.setPageSize(QPageSize(QPageSize::A5));
        // A5 holds every value; 40 mm side margins leave too little room.
        pdf.setPageMargins(QMarginsF(40, 10, 40, 10), QPageLayout::Millimeter);
        QVERIFY(!layout.FitsWidth(&pdf));
        // There a cut header keeps its start: RX and TX stay apart.
        QVERIFY(layout.Print(&pdf));
        if (!Tool("pdftotext").isEmpty()) {
            const QString cut = PdfText(path, 1);
            QVERIFY2(cut.contains(QStringLiteral("接收...")) &&
                         cut.contains(QStringLiteral("发射...")),
                     qPrintable(cut.left(200)));
        }
        pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        QVERIFY(layout.FitsWidth(&pdf));
        QVERIFY(layout.Print(&pdf));
        const int pages = layout.PageCount(&pdf);
        QVERIFY(pages >= 2);
        QCOMPARE(PageObjects(ReadAll(path)), pages);
        if (Tool("pdftotext").isEmpty())
            return;
        QString all;
        for (int page = 1; page <= pages; ++page) {
            const QString text = PdfText(path, page);
            QVERIFY2(text.contains(QStringLiteral("信道列表—a5.dat2024-05-01")) &&
                         text.contains(kHeader) &&
                         text.contains(QStringLiteral("第%1页/共%2页").arg(page).arg(pages)),
                     qPrintable(text));
            all += text;
        }
        // Every column shown (the last one's texts too).
        QVERIFY(all.contains(QStringLiteral("A002CH2144.02500144.62500")));
        QVERIFY(all.contains(QStringLiteral("QT/DQT")) && !all.contains(QChar(0x2026)));
        int from = 0;
        for (int n = 1; n <= kMemoryChannels; ++n) {
            const QString label = Folded(QString::fromStdString(GridRowLabel(n)));
            const int at = all.indexOf(label, from);
            QVERIFY2(at >= 0, qPrintable(label));
            QCOMPARE(all.count(label), 1);
            from = at;
        }
        QVERIFY(all.contains(QStringLiteral("CH256")));
        QVERIFY(!all.contains(QStringLiteral("VFO")));

        // The print dialog's page range; a long title gives up its middle to the date.
        const ChannelPrintLayout named(BuildChannelPrintTable(image, limits),
                                       QString(200, 'W') + QStringLiteral("end.dat"),
                                       QDate(2024, 5, 1));
        pdf.setPrintRange(QPrinter::PageRange);
        pdf.setFromTo(2, 2);
        QVERIFY(named.Print(&pdf));
        QCOMPARE(PageObjects(ReadAll(path)), 1);
        const QString second = PdfText(path, 1);
        QVERIFY2(second.contains(QStringLiteral("end.dat2024-05-01")) &&
                     !second.contains(QString(200, 'W')) &&
                     second.contains(QStringLiteral("第2页/共%1页").arg(pages)),
                 qPrintable(second));
    }

    // 导出 CSV… writes what the core writes; the import preview reports
    // without touching the image, 取消 changes nothing and 导入 lands the
    // rows in the grid.
    void csvExportAndImport() {
        AppFixture f;
        QVERIFY(f.Start());
        // An edit still open is exported too (GridToImage first).
        QWidget* editor = f.view()->table()->StartEditAt(GridCell{5, kColRx});
        QTest::keyClicks(editor, QStringLiteral("145.5"));
        const QString out = f.dir.file(QStringLiteral("out.csv"));
        QVERIFY(f.app->csv().ExportTo(out));
        const QByteArray written = ReadAll(out);
        QCOMPARE(written, QByteArray::fromStdString(ExportChannelCsv(f.app->state().image)));
        QVERIFY(written.contains("145.5"));
        QCOMPARE(f.frame()->status()->currentMessage(),
                 QStringLiteral("已导出 1 个信道到 %1").arg(QDir::toNativeSeparators(out)));
        // The next file dialog starts in that folder.
        QCOMPARE(f.app->recentFiles().StartFolder(), QFileInfo(out).absolutePath());

        // A folder that does not exist: reported, nothing claimed.
        f.driver.ExpectMessage();
        QVERIFY(!f.app->csv().ExportTo(f.dir.file(QStringLiteral("missing/out.csv"))));
        QCOMPARE(f.driver.messages().size(), 1);
        QVERIFY(f.driver.messages().first().contains(QStringLiteral("out.csv")));

        const QString path = f.dir.file(QStringLiteral("in.csv"));
        f.dir.Write(QStringLiteral("in.csv"), QByteArray("Location,Name,Frequency\r\n"
                                                         "1,HOME,146.52\r\n"
                                                         "2,B\x1B"
                                                         "D,abc\r\n"
                                                         "3,REP,439.125\r\n"));
        // A001 is in use.
        QTest::keyClicks(f.view()->table()->StartEditAt(GridCell{1, kColRx}), QStringLiteral("145.5"));
        // The command converts the grid into the image first (finalising it,
        // as every command around the channel records does); from there on
        // 取消 must leave every byte alone.
        f.view()->ConvertGridToImage();
        const QByteArray before = Bytes(f.app->state().image);

        // Preview, then 取消: every row is listed with the channel it lands in
        // (the skipped one with its label), and the image is untouched.
        QStringList report;
        f.driver.On<CCsvImportDlg>([&](CCsvImportDlg* dialog) {
            const Cells cell(dialog);
            for (int r = 0; r < cell.rows(); ++r)
                report << cell(r, CCsvImportDlg::kColumnChannel) +
                              (cell(r, CCsvImportDlg::kColumnResult).contains("已跳过")
                                   ? cell(r, CCsvImportDlg::kColumnLabel)
                                   : QString());
            // A result too long for its column is there in full as a tip;
            // Tab leaves the list (it went from cell to cell, for ever).
            const QModelIndex last = cell.model->index(0, CCsvImportDlg::kColumnResult);
            report << QString::number(last.data(Qt::ToolTipRole) == last.data());
            auto* list = dialog->findChild<QTableView*>(QStringLiteral("csvReport"));
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Tab);
            report << QString::number(dialog->focusWidget() != list);
            return ClickButton(dialog, QStringLiteral("取消"));
        });
        QVERIFY(!f.app->csv().ImportFrom(path));
        // Control characters shown.
        QCOMPARE(report, QStringList({"A002", "B\\x1BD", "A003", "1", "1"}));
        QCOMPARE(Bytes(f.app->state().image), before);

        // Options change the preview (the row that replaces A001 says so,
        // highlighted); 导入 lands the rows from A010 on.
        QString seen;
        f.driver.On<CCsvImportDlg>([&](CCsvImportDlg* dialog) {
            dialog->findChild<QCheckBox*>(QStringLiteral("csvOverwrite"))->setChecked(true);
            const Cells cell(dialog);
            seen = cell(0, CCsvImportDlg::kColumnReplaces) +
                   (cell.Data(0, 0, Qt::BackgroundRole) != cell.Data(2, 0, Qt::BackgroundRole)
                        ? " highlighted"
                        : "");
            dialog->findChild<QComboBox*>(QStringLiteral("csvStart"))->setCurrentIndex(9);
            seen += QStringLiteral(" %1 imported").arg(dialog->Preview().imported);
            return ClickButton(dialog, QStringLiteral("导入"));
        });
        QVERIFY(f.app->csv().ImportFrom(path));
        QCOMPARE(seen, QStringLiteral("145.50000 highlighted 2 imported"));
        QCOMPARE(f.Cell(10, kColRx) + " " + f.Cell(11, kColRx), std::string("146.52000 439.12500"));
        QVERIFY(Bytes(f.app->state().image) != before);
        QCOMPARE(f.frame()->status()->currentMessage(),
                 QStringLiteral("CSV 导入 %1：已导入 2 行，跳过 1 行")
                     .arg(QDir::toNativeSeparators(path)));

        // A file that is no CSV of channels is reported and changes nothing.
        const QByteArray afterImport = Bytes(f.app->state().image);
        f.dir.Write(QStringLiteral("bad.csv"), QByteArray("just,some,words\r\n"));
        f.driver.ExpectMessage();
        QVERIFY(!f.app->csv().ImportFrom(f.dir.file(QStringLiteral("bad.csv"))));
        QVERIFY(f.driver.messages().last().startsWith(
            QStringLiteral("无法导入 CSV 文件“%1”")
                .arg(QDir::toNativeSeparators(f.dir.file(QStringLiteral("bad.csv"))))));
        QCOMPARE(Bytes(f.app->state().image), afterImport);

        // A long file: its first rows are listed, and the summary says so.
        const CCsvImportDlg many("Frequency" + QByteArray("\n1").repeated(10001).toStdString(),
                                 f.app->state().image);
        QVERIFY(many.findChild<QLabel*>(QStringLiteral("csvSummary"))
                    ->text()
                    .endsWith(QStringLiteral("（列出前 10000 行）")));
    }
};

QTEST_MAIN(TestInterchangeUi)
#include "test_interchange_ui.moc"
