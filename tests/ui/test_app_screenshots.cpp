// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window (a loaded image in a maximised document window; the
// status bar after a read from the virtual radio) and the dialogs offscreen
// into PNG files under build/screenshots (Chinese) and build/screenshots/en
// (English), for a person to look at; checks what a picture would show wrong:
// tab orders, fields cut off, grid rows out of sight.
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>
#include <QTabWidget>

#include "app_test_support.h"
#include "core/image/settings_layout.h"
#include "ui/app/ini_file.h"
#include "ui/app/translation.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/channel_edit_dlg.h"
#include "ui/dialogs/compare_dlg.h"
#include "ui/dialogs/csv_import_dlg.h"
#include "ui/dialogs/dtmf_dlg.h"
#include "ui/dialogs/dtmf_init_dlg.h"
#include "ui/dialogs/fm_radio_dlg.h"
#include "ui/dialogs/model_info_dlg.h"
#include "ui/dialogs/optional_features_dlg.h"
#include "ui/dialogs/param_tuning_dlg.h"
#include "ui/dialogs/password_dlg.h"
#include "ui/dialogs/port_setup_dlg.h"

using namespace kestra;
using namespace kestra::test;

class TestScreenshots : public QObject {
    Q_OBJECT

    QString out_ = QStringLiteral(KESTRA_SCREENSHOT_DIR);
    QString folder_; // out_, or its "en" folder for English

    void Save(QWidget* w, const QString& name) {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::qWait(50);
        // Labels are not cut off.
        for (QLabel* label : w->findChildren<QLabel*>())
            if (label->isVisible() && !label->wordWrap() && !label->text().isEmpty())
                QVERIFY2(label->width() >= label->minimumSizeHint().width(),
                         qPrintable(name + QLatin1String(": ") + label->text()));
        const QString path = QDir(folder_).filePath(name);
        QVERIFY2(w->grab().save(path), qPrintable(path));
        qInfo("%s", qPrintable(path));
    }

    // Saves a form dialog and checks its tab order: from the first field, Tab
    // visits every field once, top to bottom and each row left to right, and
    // nothing is cut off.
    void SaveForm(CFormDialog* dialog, const QString& name) {
        Save(dialog, name);
        QWidget* first = dialog->binder().Widget(0);
        if (!first->isEnabled())
            first = first->nextInFocusChain();
        QWidget* w = first;
        QPoint last(-1, -1);
        int visited = 0;
        do {
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
                w->parentWidget() == dialog) {
                const QPoint at = w->geometry().center();
                QVERIFY2(at.y() > last.y() + 4 ||
                             (std::abs(at.y() - last.y()) <= 12 && at.x() > last.x()),
                         qPrintable(name + QStringLiteral(": tab order")));
                last = at;
                ++visited;
                QVERIFY2(dialog->rect().contains(w->geometry()), qPrintable(name));
                QVERIFY2(w->width() >= w->minimumSizeHint().width(),
                         qPrintable(name + QLatin1Char(' ') + w->metaObject()->className() +
                                    QString::number(w->width())));
            }
            w = w->nextInFocusChain();
        } while (w != first && w != dialog);
        QVERIFY(visited >= 4);
    }

private slots:
    void initTestCase() {
        InitTestApplication();
        QVERIFY(QDir().mkpath(out_));
    }
    void cleanupTestCase() { InstallLanguage(Language::Chinese); }

    // Every picture in both languages.
    void initTestCase_data() {
        QTest::addColumn<bool>("english");
        QTest::newRow("zh") << false;
        QTest::newRow("en") << true;
    }
    void init() {
        QFETCH_GLOBAL(bool, english);
        // Without the English catalogue the "English" pictures would be Chinese.
        QVERIFY(InstallLanguage(english ? Language::English : Language::Chinese) || !english);
        folder_ = english ? QDir(out_).filePath(QStringLiteral("en")) : out_;
        QVERIFY(QDir().mkpath(folder_));
    }

    void mainWindowWithImage() {
        AppDir dir;
        dir.Write(QStringLiteral("Program.ini"),
                  "[Setup]\nType=QVN-K52\nCOM=1\n[About]\nVersion=写频软件 V1.0\n"
                  "Copyright=Copyright (C) 2024\nCompany=Kestra\n");
        auto app = StartApp(dir, {dir.Dat(QStringLiteral("example.dat"), ExampleRadioMemory())});
        QVERIFY(app);
        CMainFrame* frame = app->frame();
        frame->resize(1360, 820);
        CProgramView* view = frame->ActiveView();
        view->table()->SetCurrentCell(GridCell{2, 2});
        Save(frame, QStringLiteral("main_window.png"));
        // The grid with an open tone editor.
        view->table()->StartEditAt(GridCell{2, 4});
        Save(frame, QStringLiteral("main_window_editing.png"));
        view->table()->CommitAndCloseEditor();

        CAboutDlg about(app->ini(), frame);
        Save(&about, QStringLiteral("about_dialog.png"));
        // The compare dialog on a changed copy, and the CSV import preview.
        RadioImage changed = ExampleRadioMemory();
        changed.SetByte(RecordOffset(2) + 24, 'Q');
        CCompareDlg compare(app->state(), dir.path(), frame);
        QVERIFY(compare.CompareWith(dir.Dat(QStringLiteral("other.dat"), changed)));
        Save(&compare, QStringLiteral("compare_dialog.png"));
        CCsvImportDlg csv("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                          "DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment\n"
                          "1,RPT1,145.600000,-,0.600000,Tone,88.5,88.5,023,NN,FM,12.5,,\n"
                          "2,BAD,1.000000,,0.000000,,88.5,88.5,023,NN,FM,12.5,,\n",
                          changed, frame);
        Save(&csv, QStringLiteral("csv_import_dialog.png"));
    }

    void mainWindowAfterRead() {
        AppFixture f;
        f.dir.Write(QStringLiteral("Program.ini"), "[Setup]\nType=QVN-K52\n");
        QVERIFY(f.Start({QStringLiteral("--simulate")}));
        f.frame()->resize(1360, 820);
        f.driver.ExpectStart();
        f.Trigger(kIdRead);
        QVERIFY(f.driver.AllHandled());
        Save(f.frame(), QStringLiteral("main_window_after_read.png"));
    }

    void dialogs() {
        AppDir dir;
        AppState state;
        state.portName = PortDeviceName(1);
        CIniFile ini(dir.path());
        // Port 1 is the selected device and the only one that opens.
        PortTable table;
        table.probe = [&state](const std::string& selected) {
            PortProbe probe;
            probe.available[1] = true;
            probe.selected = selected == state.portName ? 1 : 0;
            return probe;
        };
        CPortSetupDlg port(state, ini, nullptr, table);
        Save(&port, QStringLiteral("port_dialog.png"));
        CPasswordDlg password;
        QTest::keyClicks(password.passwordEdit(), QStringLiteral("abc"));
        Save(&password, QStringLiteral("password_dialog.png"));
        CCommDlg comm(state, TransferKind::Read);
        comm.progressBar()->setValue(160);
        comm.percentLabel()->setText(QStringLiteral("41%"));
        Save(&comm, QStringLiteral("progress_dialog.png"));

        state.image = ExampleRadioMemory();
        state.modelName = "QVN-K52";
        CChannelEditDlg channel(state, 2);
        SaveForm(&channel, QStringLiteral("channel_edit_dialog.png"));
        CBatchChannelDlg batch(state, nullptr);
        SaveForm(&batch, QStringLiteral("batch_channel_dialog.png"));
        CModelInfoDlg model(state);
        SaveForm(&model, QStringLiteral("model_info_dialog.png"));
    }

    void settingsAndFactoryDialogs() {
        AppState state;
        state.image = ExampleRadioMemory();
        state.image.SetBcd(fm::kCurrentFrequency, 3, 88100);
        state.image.SetBcd(fm::Channel(1), 3, 87500);
        state.image.SetBcd(fm::Channel(2), 3, 101700);
        COptionalFeaturesDlg options(state);
        Save(&options, QStringLiteral("optional_features_dialog.png"));
        CFmRadioDlg fm(state);
        fm.table()->setCurrentCell(1, 0);
        Save(&fm, QStringLiteral("fm_radio_dialog.png"));
        fm.table()->edit(fm.table()->currentIndex());
        Save(&fm, QStringLiteral("fm_radio_editor.png"));
        CDtmfDlg dtmf(state);
        const char* names[] = {"dtmf_encode.png", "dtmf_decode.png", "dtmf_code_list.png"};
        for (int page = 0; page < forms::DtmfDialog::kPageCount; ++page) {
            dtmf.tabs()->setCurrentIndex(page);
            Save(&dtmf, QString::fromLatin1(names[page]));
        }

        for (int i = 0x3E00; i < 0x3F70; ++i)
            state.image.SetByte(i, std::uint8_t(i * 37));
        CParamTuningDlg tuning(state);
        CDtmfInitDlg decoder(state);
        Save(&tuning, tuning.objectName() + QStringLiteral(".png"));
        Save(&decoder, decoder.objectName() + QStringLiteral(".png"));
        // The in-place editor over a cell of the power grid.
        QTableWidget* power = tuning.grid(1);
        QTest::mousePress(power->viewport(), Qt::LeftButton, {},
                          power->visualRect(power->model()->index(1, 1)).center());
        Save(&tuning, QStringLiteral("paramTuningDialog_editing.png"));
        // Nothing of a grid is scrolled out of sight.
        for (int g = 0; g < 3; ++g) {
            QTableWidget* t = tuning.grid(g);
            const QRect last =
                t->visualRect(t->model()->index(t->rowCount() - 1, t->columnCount() - 1));
            QVERIFY(t->viewport()->rect().contains(last));
        }
    }
};

QTEST_MAIN(TestScreenshots)
#include "test_app_screenshots.moc"
