// SPDX-License-Identifier: GPL-3.0-or-later
// 文件 -> 打印..., 打印预览... and 导出 PDF... in the running application. The
// first page of the PDF and the preview are rendered into build/screenshots.
// The PDF's text and pages are read with pdftotext and pdftoppm
// (poppler-utils) when they are installed; the page objects are counted in
// the file either way.
#include <QDir>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QStatusBar>

#include "app_test_support.h"
#include "core/codec/codecs.h"
#include "core/forms/channel_edit_form.h"
#include "core/interchange/channel_print.h"
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

} // namespace

class TestChannelPrint : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }
    void init() { QSettings().clear(); }

    // 导出 PDF...: every page holds the title, the header and its number;
    // every channel is there once, in order, on the pages the layout counts.
    // An empty list says so on one page; a folder that does not exist is
    // reported.
    void pdfHoldsEveryChannelOnce() {
        AppFixture f;
        QVERIFY(f.Start());
        FillChannels(f.app->state().image);
        f.view()->RenderGrid();
        const QString path = f.dir.file(QStringLiteral("list.pdf"));
        QVERIFY(f.app->printing().ExportPdfTo(path));
        // The status bar says what was written.
        QVERIFY2(f.frame()->status()->currentMessage().contains(QDir::toNativeSeparators(path)),
                 qPrintable(f.frame()->status()->currentMessage()));
        KeepPdf(path, QStringLiteral("channel_list"), 110);
        int rowsPerPage = 0;
        const int pages = ExpectedPages(*f.app, &rowsPerPage);
        // A page of readable rows; 256 channels take several pages.
        QVERIFY2(rowsPerPage >= 30, qPrintable(QString::number(rowsPerPage)));
        QCOMPARE(pages, (256 + rowsPerPage - 1) / rowsPerPage);
        QVERIFY(pages >= 2);
        QCOMPARE(PageObjects(ReadAll(path)), pages);
        if (!Tool("pdftotext").isEmpty()) {
            QString all;
            for (int page = 1; page <= pages; ++page) {
                const QString text = PdfText(path, page);
                QVERIFY2(text.contains(Folded(QStringLiteral("信道列表 — 无标题"))), qPrintable(text));
                QVERIFY2(text.contains(kHeader), qPrintable(text));
                QVERIFY2(text.contains(Folded(QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(pages))),
                         qPrintable(text));
                all += text;
            }
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
        }

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
        QVERIFY(!f.app->printing().ExportPdfTo(f.dir.file(QStringLiteral("missing/out.pdf"))));
        QCOMPARE(f.driver.messages().size(), 1);
        QVERIFY(f.driver.messages().front().startsWith(QStringLiteral("无法写入该 PDF 文件")));
        QCOMPARE(f.driver.unexpected(), 0);
    }

    void narrowPageKeepsEveryColumn() {
        // On an A5 page the font shrinks until all ten columns fit, and the
        // rows are still broken over the pages the layout counts.
        RadioImage image;
        ApplyBuiltInDefaults(image);
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
        pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        QVERIFY(layout.Print(&pdf));
        QCOMPARE(PageObjects(ReadAll(path)), layout.PageCount(&pdf));
        if (Tool("pdftotext").isEmpty())
            return;
        const QString text = PdfText(path, 1);
        QVERIFY2(text.contains(QStringLiteral("信道列表—a5.dat2024-05-01")), qPrintable(text));
        QVERIFY2(text.contains(kHeader), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("A002CH2144.02500144.62500")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("QT/DQT")), qPrintable(text));
        QVERIFY(!text.contains(QChar(0x2026))); // nothing elided
    }

    // 打印预览... shows the layout's pages, an edit still open included (the
    // grid goes into the image first); 打印... (Ctrl+P) opens the print
    // dialog, where 取消 prints nothing and 打印 prints on the printer chosen
    // (here, to a PDF file).
    void previewAndPrinterGetThePages() {
        AppFixture f;
        QVERIFY(f.Start());
        FillChannels(f.app->state().image);
        f.view()->RenderGrid();
        QWidget* editor = f.view()->table()->StartEditAt(GridCell{3, kColRx});
        QTest::keyClicks(editor, QStringLiteral("145.5"));
        int shownPages = -1;
        f.driver.Expect([&](QWidget* w) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
            if (!dialog)
                return false;
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            shownPages = preview ? preview->pageCount() : -1;
            dialog->resize(900, 760);
            QTest::qWait(50);
            SaveScreenshot(dialog, QStringLiteral("channel_list_preview.png"));
            dialog->reject();
            return true;
        });
        f.Trigger(kIdFilePrintPreview);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(f.Cell(3, kColRx), std::string("145.50000"));
        QCOMPARE(shownPages, ExpectedPages(*f.app));

        QCOMPARE(f.frame()->action(kIdFilePrint)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+P")));
        const QString path = f.dir.file(QStringLiteral("printed.pdf"));
        for (bool print : {false, true}) {
            f.driver.Expect([&path, print](QWidget* w) {
                auto* dialog = qobject_cast<QPrintDialog*>(w);
                if (!dialog)
                    return false;
                if (!print) {
                    dialog->reject();
                    return true;
                }
                dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
                dialog->printer()->setOutputFileName(path);
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                    name->setText(path);
                dialog->accept();
                return true;
            });
            f.Trigger(kIdFilePrint);
            QVERIFY(f.driver.AllHandled());
            QCOMPARE(QFile::exists(path), print);
        }
        QCOMPARE(f.driver.unexpected(), 0);
        QCOMPARE(PageObjects(ReadAll(path)), ExpectedPages(*f.app));
    }
};

QTEST_MAIN(TestChannelPrint)
#include "test_channel_print.moc"
