// SPDX-License-Identifier: GPL-3.0-or-later
// Never losing work in the application: the modified mark, undo and redo of
// every kind of change (byte for byte), and the question asked before a
// command would replace or close unsaved changes, with each of its answers.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

#include "app_test_support.h"
#include "core/document/dat_file.h"
#include "core/forms/batch_channel_form.h"
#include "core/forms/optional_features_form.h"
#include "ui/app/command_table.h"
#include "ui/dialogs/csv_import_dlg.h"
#include "ui/dialogs/optional_features_dlg.h"
#include "ui/grid/document_history.h"

using namespace kestra;
using namespace kestra::test;
using forms::BatchChannelForm;

namespace {

// The bytes a save would write from a snapshot (the grid converted into the
// image), with the grid texts: what a step must give back exactly.
QByteArray Saved(DocumentSnapshot s) {
    ChannelGrid grid = s.grid;
    GridToImage(grid, s.image, s.limits);
    QByteArray out = Bytes(s.image);
    for (int r = 1; r < kGridRows; ++r)
        for (int c = 1; c < kGridCols; ++c)
            out += QByteArray::fromStdString(s.grid.Text(r, c)) + '\t';
    return out;
}

// The document window's caption, then whether the document is modified and
// which of undo and redo are enabled.
QString Mark(const AppFixture& f) {
    return f.child()->windowTitle() +
           QLatin1String(f.view()->history()->IsModified() ? " modified" : "") +
           QLatin1String(f.frame()->action(kIdEditUndo)->isEnabled() ? " undo" : "") +
           QLatin1String(f.frame()->action(kIdEditRedo)->isEnabled() ? " redo" : "");
}

// The prompt about unsaved changes, answered with button; named receives
// the document it names.
ModalDriver::Handler AnswerSavePrompt(const QString& button, int* asked, QString* named = nullptr) {
    return [button, asked, named](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || box->text() != QStringLiteral("文件已修改，是否保存？"))
            return false;
        ++*asked;
        if (named)
            *named = box->informativeText();
        return ClickButton(box, button);
    };
}

void CloseCommDialog(ModalDriver& driver, bool* shown) {
    driver.On<CCommDlg>([shown](CCommDlg* dialog) {
        *shown = true;
        dialog->reject();
    });
}

} // namespace

class TestHistoryUi : public QObject {
    Q_OBJECT

    enum Command { CloseWindow, CloseBox, Exit, New, Read };

private slots:
    void initTestCase() {
        InitTestApplication();
        // The tests close the main window and go on.
        QApplication::setQuitOnLastWindowClosed(false);
    }

    // Each kind of change is one step that marks the document modified,
    // undo gives back the exact bytes before it and redo those after it;
    // undoing to the saved state clears the mark; a change that changes
    // nothing makes no step.
    void everyChangeIsOneExactStep() {
        AppFixture f;
        QVERIFY(f.Start());
        DocumentHistory* h = f.view()->history();
        QCOMPARE(Mark(f), QStringLiteral("无标题"));

        QList<DocumentSnapshot> states{h->Take()};
        auto stepped = [&](const char* what) {
            const DocumentSnapshot now = h->Take();
            if (now == states.last())
                QFAIL(what);
            states.append(now);
        };

        f.Type(5, 1, QStringLiteral("145.5"));
        stepped("cell");
        QCOMPARE(Mark(f), QStringLiteral("无标题* modified undo"));
        QCOMPARE(f.frame()->windowTitle(), QStringLiteral("写频软件 - 无标题*"));

        // A cell committed with the text it had is no step.
        f.Type(5, 1, QStringLiteral("145.5"));
        QCOMPARE(h->stack()->count(), 1);

        QGuiApplication::clipboard()->setText(QStringLiteral("146.52\t146.52\n147.0"));
        f.view()->table()->SetCurrentCell(GridCell{10, 1});
        f.view()->table()->PasteClipboard();
        stepped("paste");

        // A settings dialog that changed the image when it closed; one that
        // changed nothing is no step.
        ExpectDialog<COptionalFeaturesDlg>(f, [](COptionalFeaturesDlg* d) {
            auto* beep = static_cast<QComboBox*>(
                d->binder().Widget(forms::OptionalFeaturesForm::kKeyBeep));
            beep->setCurrentIndex(beep->findText(QStringLiteral("关")));
            QTest::keyClick(beep, Qt::Key_Escape);
        });
        f.Trigger(kIdEditOptional);
        QVERIFY(f.driver.AllHandled());
        stepped("dialog");
        ExpectDialog<COptionalFeaturesDlg>(f, [](COptionalFeaturesDlg* d) { d->reject(); });
        f.Trigger(kIdEditOptional);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(h->stack()->count(), 3);

        // Two "应用" of the batch dialog are two steps.
        ExpectDialog<CBatchChannelDlg>(f, [&](CBatchChannelDlg* d) {
            FillBatchRange(d, QStringLiteral("2"), QStringLiteral("CH"));
            d->applyButton()->click();
            stepped("batch 1");
            TypeInto(d->binder().Widget(BatchChannelForm::kTo), QStringLiteral("6"));
            d->applyButton()->click();
            stepped("batch 2");
            d->cancelButton()->click();
        });
        f.view()->batchButton()->click();
        QVERIFY(f.driver.AllHandled());

        const QString csv = f.dir.file(QStringLiteral("in.csv"));
        f.dir.Write(QStringLiteral("in.csv"), "Location,Name,Frequency\r\n1,REP,438.5\r\n");
        f.driver.On<CCsvImportDlg>([](CCsvImportDlg* d) {
            d->findChild<QCheckBox*>(QStringLiteral("csvOverwrite"))->setChecked(true);
            return ClickButton(d, QStringLiteral("导入"));
        });
        QVERIFY(f.app->csv().ImportFrom(csv));
        stepped("csv import");
        QCOMPARE(h->stack()->count(), states.size() - 1);

        // Undo walks back through every state byte for byte, redo forward.
        for (int i = states.size() - 2; i >= 0; --i) {
            f.Trigger(kIdEditUndo);
            QVERIFY2(Saved(h->Take()) == Saved(states[i]), qPrintable(QString::number(i)));
        }
        QCOMPARE(Mark(f), QStringLiteral("无标题 redo"));
        for (int i = 1; i < states.size(); ++i) {
            f.Trigger(kIdEditRedo);
            QVERIFY2(Saved(h->Take()) == Saved(states[i]), qPrintable(QString::number(i)));
        }
        // What the grid shows follows the image.
        QCOMPARE(f.Cell(1, 1), RenderRow(states.last().image, states.last().limits, 1)[0]);

        // Saving is the new clean point, under the new name.
        QVERIFY(f.app->documents().SaveAs(f.dir.file(QStringLiteral("saved.dat"))));
        QCOMPARE(Mark(f), QStringLiteral("saved.dat undo"));
        QCOMPARE(f.frame()->windowTitle(), QStringLiteral("写频软件 - saved.dat"));
    }

    // The keys: Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo; 撤销 is the first
    // entry of 编辑.
    void undoRedoKeys() {
        AppFixture f;
        QVERIFY(f.Start());
        QVERIFY(QTest::qWaitForWindowActive(f.frame()));
        ChannelTableView* table = f.view()->table();
        const std::string before = f.Cell(7, 1);
        RunKeys(table, QStringLiteral("@7,1 <Return> 440.1 <Return> <Ctrl+Z>"));
        QCOMPARE(f.Cell(7, 1), before);
        RunKeys(table, QStringLiteral("<Ctrl+Y>"));
        QCOMPARE(f.Cell(7, 1), std::string("440.10000"));
        RunKeys(table, QStringLiteral("<Ctrl+Z> <Ctrl+Shift+Z>"));
        QCOMPARE(f.Cell(7, 1), std::string("440.10000"));
        // 撤销 from the toolbar while an editor is open takes back its text.
        RunKeys(table, QStringLiteral("@7,1 <Return> 145.5"));
        f.Trigger(kIdEditUndo);
        QCOMPARE(f.Cell(7, 1), std::string("440.10000"));
        f.Trigger(kIdEditRedo);
        QCOMPARE(f.Cell(7, 1), std::string("145.50000"));
        // Text left in an editor when a command (Ctrl+W) takes the image as
        // it stands is a step of its own.
        RunKeys(table, QStringLiteral("@7,1 <Return> 146.5"));
        f.view()->ImageAsItStands();
        QCOMPARE(f.Cell(7, 1), std::string("146.50000"));
        f.Trigger(kIdEditUndo);
        QCOMPARE(f.Cell(7, 1), std::string("145.50000"));
        QCOMPARE(f.frame()->editMenu()->actions().first(), f.frame()->action(kIdEditUndo));
    }

    // kestra --simulate: Ctrl+R reads from the virtual radio, one step and
    // the new clean point: undo gives back the document it replaced byte for
    // byte (modified), redo the radio's memory (clean). An edit goes back
    // with Ctrl+W; a write leaves the mark as it is. The status bar tells the
    // outcome.
    void simulatedReadIsAStepAndTheCleanPoint() {
        AppFixture f;
        QVERIFY(f.Start({QStringLiteral("--simulate")}));
        VirtualRadio* radio = f.app->virtualRadio();
        QVERIFY(QTest::qWaitForWindowActive(f.frame()));
        // The status bar says where the exchanges go.
        auto* pane = f.frame()->findChild<QLabel*>(QStringLiteral("virtualRadioPane"));
        QVERIFY(pane->isVisible() &&
                pane->toolTip().contains(QString::fromStdString(radio->Device())));
        DocumentHistory* h = f.view()->history();
        f.Type(3, 1, QStringLiteral("439.0125"));
        const DocumentSnapshot edited = h->Take();

        // The edit is unsaved: 不保存 lets the read go on.
        int asked = 0;
        f.driver.Expect(AnswerSavePrompt(QStringLiteral("不保存"), &asked));
        f.driver.ExpectStart();
        QTest::keyClick(f.view()->table(), Qt::Key_R, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(f.driver.AllHandled() && !QApplication::activeModalWidget(),
                                 20000);
        QCOMPARE(asked, 1);
        QCOMPARE(f.frame()->status()->currentMessage(), QStringLiteral("读频完成"));
        const DocumentSnapshot read = h->Take();
        QCOMPARE(f.Cell(3, 3), std::string("D023N")); // the radio's channel
        QCOMPARE(Mark(f), QStringLiteral("无标题 undo"));
        f.Trigger(kIdEditUndo);
        QVERIFY(h->Take() == edited);
        QCOMPARE(Mark(f), QStringLiteral("无标题* modified undo redo"));
        f.Trigger(kIdEditRedo);
        QVERIFY(h->Take() == read);
        QCOMPARE(Mark(f), QStringLiteral("无标题 undo"));

        // Edited after the read, then written: still modified. (The window
        // manager gives the focus back after a dialog; offscreen nothing does.)
        f.frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.frame()));
        f.Type(4, 1, QStringLiteral("145.0"));
        f.driver.ExpectStart();
        QTest::keyClick(f.view()->table(), Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(f.driver.AllHandled() && !QApplication::activeModalWidget(),
                                 20000);
        QCOMPARE(ConstChannelRecord(radio->Memory(), 4).Rx(), 14500000u);
        QVERIFY(h->IsModified());
        QCOMPARE(f.driver.unexpected() + f.driver.messages().size(), 0);
    }

    // Every guarded command with every answer. The document holds an
    // unsaved edit of a file. 保存 saves it and the command goes on; a save
    // that fails is reported, the command stops and the edit is still there;
    // 不保存 goes on; 取消 stops. Nothing unsaved is ever lost silently.
    void guardedCommandsWithEachAnswer_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("answer");
        const char* const commands[] = {"关闭", "close box", "退出", "新建", "读频"};
        for (int c = CloseWindow; c <= Read; ++c)
            for (const char* answer : {"保存", "保存 fails", "不保存", "取消"})
                QTest::addRow("%s / %s", commands[c], answer) << c << QString::fromUtf8(answer);
    }
    void guardedCommandsWithEachAnswer() {
        QFETCH(int, command);
        QFETCH(QString, answer);
        AppFixture f;
        const QString file = f.dir.Dat(QStringLiteral("plan.dat"), BuiltInImage());
        QStringList arguments{file};
        if (command == Read)
            arguments << QStringLiteral("--simulate");
        QVERIFY(f.Start(arguments));
        CChildFrame* child = f.child();
        f.Type(9, 1, QStringLiteral("433.5"));
        const std::string edit = f.Cell(9, 1);
        QVERIFY(child->IsModified());
        const QByteArray fileBefore = ReadAll(file);
        const bool fails = answer.endsWith(QStringLiteral("fails"));
        if (fails) // the file's folder is gone: the save cannot succeed
            child->document()->SetPathName(f.dir.file(QStringLiteral("gone/plan.dat")));

        int asked = 0;
        QString named;
        f.driver.Expect(AnswerSavePrompt(answer.section(QLatin1Char(' '), 0, 0), &asked, &named));
        const QString path = QDir::toNativeSeparators(child->document()->PathName());
        if (fails)
            f.driver.ExpectMessage();
        const bool goesOn = answer == QStringLiteral("保存") || answer == QStringLiteral("不保存");
        bool commDialogShown = false;
        bool exited = false;
        const int windowsBefore = f.frame()->DocumentWindows().size();
        if (command == Read && goesOn)
            CloseCommDialog(f.driver, &commDialogShown);
        if (command == CloseBox)
            child->close();
        else if (command == Exit)
            exited = f.frame()->close();
        else
            f.Trigger(command == CloseWindow ? kIdFileClose
                      : command == New       ? kIdFileNew
                                             : kIdRead);
        QTRY_VERIFY_WITH_TIMEOUT(f.driver.AllHandled(), 10000);
        QCOMPARE(asked, 1);
        QCOMPARE(named, path);
        const bool closed = !f.frame()->DocumentWindows().contains(child);
        const bool wentOn = command == Exit   ? exited
                            : command == Read ? commDialogShown
                            : command == New
                                ? closed || f.frame()->DocumentWindows().size() != windowsBefore
                                : closed;
        QCOMPARE(wentOn, goesOn);

        // Nothing lost: saved, or still in the document.
        if (answer == QStringLiteral("保存")) {
            RadioImage saved;
            QVERIFY(LoadDatFile(file.toStdString(), saved, nullptr));
            QCOMPARE(RenderRow(saved, f.app->state().bandLimits, 9)[0], edit);
        } else {
            QCOMPARE(ReadAll(file), fileBefore);
        }
        if (!goesOn) {
            QVERIFY(!closed);
            QVERIFY(child->IsModified());
            QCOMPARE(child->view()->model()->grid().Text(9, 1), edit);
        }
    }

    // 不保存 on 关闭 closes the document for good: another open document
    // (of the same file) keeps its own image, 信道信息 cannot bring the
    // edit back, and the program exits without a question. A 不保存 for a read that then did not happen
    // leaves the edits asked about at exit, whatever undo, save and redo did.
    void discardedIsGoneForGood() {
        AppFixture f;
        const QString file = f.dir.Dat(QStringLiteral("plan.dat"), BuiltInImage());
        QVERIFY(f.Start({file, QStringLiteral("--simulate")}));
        CChildFrame* child = f.child();
        CChildFrame* other = f.app->documents().OpenFile(file);
        f.frame()->ShowChild(child);
        f.Type(2, 1, QStringLiteral("145.25"));
        int asked = 0;
        f.driver.Expect(AnswerSavePrompt(QStringLiteral("不保存"), &asked));
        f.Trigger(kIdFileClose);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(f.frame()->DocumentWindows(), QList<CChildFrame*>({other}));
        f.Trigger(kIdEditChannels);
        QCOMPARE(f.child(), other);
        QVERIFY(f.Cell(2, 1).empty());
        QCOMPARE(Bytes(f.app->state().image), ReadAll(file));
        f.Trigger(kIdFileClose);
        QVERIFY(f.frame()->close());
        QCOMPARE(asked, 1);

        AppFixture g;
        QVERIFY(g.Start({QStringLiteral("--simulate")}));
        g.Type(2, 1, QStringLiteral("145.25"));
        g.Type(3, 1, QStringLiteral("145.5"));
        bool shown = false;
        g.driver.Expect(AnswerSavePrompt(QStringLiteral("不保存"), &asked));
        CloseCommDialog(g.driver, &shown);
        g.Trigger(kIdRead);
        QTRY_VERIFY(g.driver.AllHandled());
        QVERIFY(shown);
        g.Trigger(kIdEditUndo);
        QVERIFY(g.app->documents().SaveAs(g.dir.file(QStringLiteral("half.dat"))));
        g.Trigger(kIdEditRedo);
        g.driver.Expect(AnswerSavePrompt(QStringLiteral("取消"), &asked));
        QVERIFY(!g.frame()->close());
        QCOMPARE(asked, 3);
    }

    // A cell still being edited belongs to its document: going to another
    // window commits it there, and undo there brings back that document's
    // own image, not the other one's.
    void anOpenCellStaysWithItsDocument() {
        AppFixture f;
        RadioImage p = BuiltInImage(), q = BuiltInImage();
        p[0x3E10] = 0x12; // outside the grid
        QVERIFY(f.Start({f.dir.Dat(QStringLiteral("p.dat"), p)}));
        QVERIFY(f.app->documents().OpenFile(f.dir.Dat(QStringLiteral("q.dat"), q)));
        const QByteArray qAsItStands = Bytes(f.view()->ImageAsItStands());
        QWidget* editor = f.view()->table()->StartEditAt(GridCell{3, 1});
        QTest::keyClicks(editor, QStringLiteral("145.5"));
        f.Trigger(kIdWindowNext);
        QCOMPARE(Bytes(f.app->state().image), Bytes(p));
        f.Trigger(kIdWindowNext);
        QCOMPARE(f.Cell(3, 1), std::string("145.50000"));
        f.Trigger(kIdEditUndo);
        QCOMPARE(Bytes(f.view()->ImageAsItStands()), qAsItStands);
    }

    // An untitled document: the prompt offers 保存, 不保存 and 取消; 保存 asks
    // for a name, and cancelling that stops the command. (The prompt is
    // rendered into build/screenshots.)
    void untitledSaveCancelledStops() {
        AppFixture f;
        QVERIFY(f.Start());
        f.Type(2, 1, QStringLiteral("145.25"));
        QStringList buttons;
        f.driver.On<QMessageBox>([&buttons](QMessageBox* box) {
            SaveScreenshot(box, QStringLiteral("save_prompt.png"));
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            return ClickButton(box, QStringLiteral("保存"));
        });
        f.driver.ExpectFileDialog(QString());
        QVERIFY(!f.frame()->close());
        QVERIFY(f.driver.AllHandled());
        QVERIFY(f.child()->IsModified());
        buttons.sort();
        QCOMPARE(buttons, QStringList({"不保存(&N)", "保存(&S)", "取消"}));

        // Named: saved, and the program may close.
        int asked = 0;
        const QString name = f.dir.file(QStringLiteral("named.dat"));
        f.driver.Expect(AnswerSavePrompt(QStringLiteral("保存"), &asked));
        f.driver.ExpectFileDialog(name);
        QVERIFY(f.frame()->close());
        QVERIFY(QFileInfo::exists(name));
        QCOMPARE(asked, 1);
    }
};

QTEST_MAIN(TestHistoryUi)
#include "test_history_ui.moc"
