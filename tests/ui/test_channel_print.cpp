// 文件 -> 打印..., 打印预览... and 导出 PDF... in the running application: the
// PDF holds every non-empty channel once, on as many pages as the layout
// counts, with the header and the page number on every page; the preview
// shows the same pages; the print dialog's printer receives them. The first
// page of the PDF and the preview are rendered into build/screenshots.
//
// The PDF's text and pages are read with pdftotext, pdfinfo and pdftoppm
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
        forms::WriteChannelName(rec, "CH" + std::to_string(n));
    }
}

QString Tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

// A tool's standard output; empty when it fails.
QString Run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Text from pdftotext, folded for comparing: spaces dropped, and the few
// ideographs a CJK font draws with the glyph of a radical, which pdftotext
// reads back as that radical (无 as U+2F46, 页 as U+2EDA), made ideographs
// again.
QString Folded(QString text) {
    text = text.normalized(QString::NormalizationForm_KC);
    text.replace(QChar(0x2EDA), QChar(0x9875));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.remove(space);
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
    pdf.setPageLayout(app.Printer().pageLayout());
    const ChannelPrintLayout layout(
        BuildChannelPrintTable(app.state().image, app.state().bandLimits), QStringLiteral("x"),
        QDate::currentDate());
    if (rowsPerPage)
        *rowsPerPage = layout.RowsPerPage(&pdf);
    return layout.PageCount(&pdf);
}

QString ScreenshotDir() {
    const QString out = QStringLiteral(KESTRA_SCREENSHOT_DIR);
    QDir().mkpath(out);
    return out;
}

} // namespace

class TestChannelPrint : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }
    void init() { QSettings().clear(); }

    void pdfHoldsEveryChannelOnce() {
        AppFixture f;
        QVERIFY(f.Start());
        FillChannels(f.app->state().image);
        f.view()->RenderGrid();
        const QString path = f.dir.file(QStringLiteral("list.pdf"));
        QVERIFY(f.app->ExportPdfTo(path));

        const QByteArray pdf = ReadAll(path);
        const QString kept = QDir(ScreenshotDir()).filePath(QStringLiteral("channel_list.pdf"));
        QFile::remove(kept);
        QFile::copy(path, kept);
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        int rowsPerPage = 0;
        const int pages = ExpectedPages(*f.app, &rowsPerPage);
        // A page of readable rows; 256 channels take several pages.
        QVERIFY2(rowsPerPage >= 30, qPrintable(QString::number(rowsPerPage)));
        QCOMPARE(pages, (256 + rowsPerPage - 1) / rowsPerPage);
        QVERIFY(pages >= 2);
        QCOMPARE(PageObjects(pdf), pages);

        if (!Tool("pdfinfo").isEmpty())
            QVERIFY(
                Run(Tool("pdfinfo"), {path})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));

        if (!Tool("pdftotext").isEmpty()) {
            // Every page: the title, the header and its number; every channel
            // label exactly once over all pages, in order.
            QString all;
            for (int page = 1; page <= pages; ++page) {
                const QString text =
                    Run(Tool("pdftotext"),
                        {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                         QStringLiteral("-l"), QString::number(page), path, QStringLiteral("-")});
                const QString folded = Folded(text);
                QVERIFY2(folded.contains(Folded(QStringLiteral("信道列表 — 无标题"))),
                         qPrintable(text));
                QVERIFY2(
                    folded.contains(Folded(QStringLiteral(
                        "信道 信道名字 接收频率 发射频率 接收信令 发射信令 功率 扫描 带宽 繁忙"))),
                    qPrintable(text));
                QVERIFY2(folded.contains(
                             Folded(QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(pages))),
                         qPrintable(text));
                all += folded;
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

        if (!Tool("pdftoppm").isEmpty()) {
            const QString png = QDir(ScreenshotDir()).filePath(QStringLiteral("channel_list_pdf"));
            Run(Tool("pdftoppm"),
                {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                 QStringLiteral("1"), QStringLiteral("-r"), QStringLiteral("110"),
                 QStringLiteral("-png"), QStringLiteral("-singlefile"), path, png});
            QVERIFY(QFile::exists(png + QStringLiteral(".png")));
        }
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
        const QString text =
            Folded(Run(Tool("pdftotext"), {QStringLiteral("-f"), QStringLiteral("1"),
                                           QStringLiteral("-l"), QStringLiteral("1"),
                                           QStringLiteral("-layout"), path, QStringLiteral("-")}));
        QVERIFY2(text.contains(QStringLiteral("信道列表—a5.dat2024-05-01")), qPrintable(text));
        QVERIFY2(text.contains(Folded(QStringLiteral(
                     "信道 信道名字 接收频率 发射频率 接收信令 发射信令 功率 扫描 带宽 繁忙"))),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("A002CH2144.02500144.62500")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("QT/DQT")), qPrintable(text));
        QVERIFY(!text.contains(QChar(0x2026))); // nothing elided
    }

    void emptyListSaysSo() {
        AppFixture f;
        QVERIFY(f.Start());
        for (int n = 1; n <= kChannelCount; ++n)
            ClearRecord(f.app->state().image, n);
        f.view()->RenderGrid();
        const QString path = f.dir.file(QStringLiteral("empty.pdf"));
        QVERIFY(f.app->ExportPdfTo(path));
        QCOMPARE(PageObjects(ReadAll(path)), 1);
        const QString kept =
            QDir(ScreenshotDir()).filePath(QStringLiteral("channel_list_empty.pdf"));
        QFile::remove(kept);
        QFile::copy(path, kept);
        if (!Tool("pdftotext").isEmpty()) {
            const QString text = Folded(
                Run(Tool("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")}));
            QVERIFY2(text.contains(QStringLiteral("繁忙没有信道第1页/共1页")), qPrintable(text));
        }
        if (!Tool("pdftoppm").isEmpty())
            Run(Tool("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"),
                 QStringLiteral("-singlefile"), path,
                 QDir(ScreenshotDir()).filePath(QStringLiteral("channel_list_pdf_empty"))});

        // A folder that does not exist: reported, nothing claimed.
        f.driver.ExpectMessage();
        QVERIFY(!f.app->ExportPdfTo(f.dir.file(QStringLiteral("missing/out.pdf"))));
        QCOMPARE(f.driver.messages().size(), 1);
        QVERIFY(f.driver.messages().front().startsWith(QStringLiteral("无法写入该 PDF 文件")));
        QCOMPARE(f.driver.unexpected(), 0);
    }

    void previewShowsTheSamePages() {
        AppFixture f;
        QVERIFY(f.Start());
        FillChannels(f.app->state().image);
        f.view()->RenderGrid();
        // An edit still open is printed too (GridToImage first).
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
            dialog->grab().save(
                QDir(ScreenshotDir()).filePath(QStringLiteral("channel_list_preview.png")));
            dialog->reject();
            return true;
        });
        f.Trigger(kIdFilePrintPreview);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(f.Cell(3, kColRx), std::string("145.50000"));
        QCOMPARE(shownPages, ExpectedPages(*f.app));
    }

    void printDialogThenThePrinterGetsThePages() {
        // 打印... (also Ctrl+P): the print dialog first; 取消 prints nothing,
        // 打印 prints the list on the printer chosen (here, to a PDF file).
        AppFixture f;
        QVERIFY(f.Start());
        FillChannels(f.app->state().image);
        f.view()->RenderGrid();
        QCOMPARE(f.frame()->action(kIdFilePrint)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+P")));
        const QString path = f.dir.file(QStringLiteral("printed.pdf"));
        f.driver.Expect([](QWidget* w) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            if (!dialog)
                return false;
            dialog->reject();
            return true;
        });
        f.Trigger(kIdFilePrint);
        QVERIFY(f.driver.AllHandled());
        QVERIFY(!QFile::exists(path));

        f.driver.Expect([&path](QWidget* w) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            if (!dialog)
                return false;
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(path);
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                name->setText(path);
            dialog->accept();
            return true;
        });
        f.Trigger(kIdFilePrint);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(f.driver.unexpected(), 0);
        QCOMPARE(PageObjects(ReadAll(path)), ExpectedPages(*f.app));
    }
};

QTEST_MAIN(TestChannelPrint)
#include "test_channel_print.moc"
