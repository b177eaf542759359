// SPDX-License-Identifier: GPL-3.0-or-later
// Never losing work in the application: the modified mark, undo and redo of
// every kind of change (byte for byte), and the question asked before a
// command would replace or close unsaved changes, with each of its answers.
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

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

DocumentHistory* History(const AppFixture& f) {
    return f.view()->history();
}

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

// Types text into a grid cell's editor and commits it, as Enter does.
void TypeCell(const AppFixture& f, int row, int col, const QString& text) {
    QWidget* editor = f.view()->table()->StartEditAt(GridCell{row, col});
    QVERIFY(editor);
    QTest::keyClicks(editor, text);
    f.view()->table()->CommitAndCloseEditor();
}

// The prompt about unsaved changes, answered with button.
ModalDriver::Handler AnswerSavePrompt(const QString& button, int* asked) {
    return [button, asked](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || box->text() != QStringLiteral("文件已修改，是否保存？"))
            return false;
        ++*asked;
        return ClickButton(box, button);
    };
}

ModalDriver::Handler CloseCommDialog(bool* shown) {
    return [shown](QWidget* w) {
        auto* dialog = qobject_cast<CCommDlg*>(w);
        if (!dialog)
            return false;
        *shown = true;
        dialog->reject();
        return true;
    };
}

} // namespace

class TestHistoryUi : public QObject {
    Q_OBJECT

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
        DocumentHistory* h = History(f);
        QAction* undo = f.frame()->action(kIdEditUndo);
        QAction* redo = f.frame()->action(kIdEditRedo);
        QVERIFY(!h->IsModified());
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(f.child()->windowTitle(), QStringLiteral("无标题"));

        QList<DocumentSnapshot> states{h->Take()};
        auto stepped = [&](const char* what) {
            const DocumentSnapshot now = h->Take();
            if (now == states.last())
                QFAIL(what);
            states.append(now);
        };

        // A committed cell.
        TypeCell(f, 5, 1, QStringLiteral("145.5"));
        stepped("cell");
        QVERIFY(h->IsModified());
        QCOMPARE(f.child()->windowTitle(), QStringLiteral("无标题*"));
        QCOMPARE(f.frame()->windowTitle(), QStringLiteral("写频软件 - 无标题*"));
        QVERIFY(undo->isEnabled() && !redo->isEnabled());

        // A cell committed with the text it had is no step.
        TypeCell(f, 5, 1, QStringLiteral("145.5"));
        QCOMPARE(h->stack()->count(), 1);

        // A paste.
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

        // A CSV import.
        const QString csv = f.dir.file(QStringLiteral("in.csv"));
        f.dir.Write(QStringLiteral("in.csv"), "Location,Name,Frequency\r\n1,REP,438.5\r\n");
        f.driver.Expect([](QWidget* w) {
            auto* d = qobject_cast<CCsvImportDlg*>(w);
            if (!d)
                return false;
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
        QVERIFY(!h->IsModified());
        QCOMPARE(f.child()->windowTitle(), QStringLiteral("无标题"));
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        for (int i = 1; i < states.size(); ++i) {
            f.Trigger(kIdEditRedo);
            QVERIFY2(Saved(h->Take()) == Saved(states[i]), qPrintable(QString::number(i)));
        }
        // What the grid shows follows the image.
        QCOMPARE(f.Cell(1, 1), RenderRow(states.last().image, states.last().limits, 1)[0]);

        // Saving is the new clean point; undoing past it and redoing back to
        // it marks and clears.
        QVERIFY(f.app->documents().SaveAs(f.dir.file(QStringLiteral("saved.dat"))));
        QVERIFY(!h->IsModified());
        QCOMPARE(f.child()->windowTitle(), QStringLiteral("saved.dat"));
        f.Trigger(kIdEditUndo);
        QVERIFY(h->IsModified());
        QCOMPARE(f.child()->windowTitle(), QStringLiteral("saved.dat*"));
        f.Trigger(kIdEditRedo);
        QVERIFY(!h->IsModified());
        QCOMPARE(f.frame()->windowTitle(), QStringLiteral("写频软件 - saved.dat"));
        QCOMPARE(f.driver.unexpected(), 0);
    }

    // The keys: Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo; the toolbar
    // carries both commands.
    void undoRedoKeysAndToolbar() {
        AppFixture f;
        QVERIFY(f.Start());
        QVERIFY(QTest::qWaitForWindowActive(f.frame()));
        const std::string before = f.Cell(7, 1);
        TypeCell(f, 7, 1, QStringLiteral("440.1"));
        const std::string after = f.Cell(7, 1);
        QVERIFY(before != after);
        QWidget* table = f.view()->table();
        QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.Cell(7, 1), before);
        QTest::keyClick(table, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.Cell(7, 1), after);
        QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.Cell(7, 1), after);
        const QList<QAction*> tools = f.frame()->toolBar()->actions();
        QVERIFY(tools.contains(f.frame()->action(kIdEditUndo)));
        QVERIFY(tools.contains(f.frame()->action(kIdEditRedo)));
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
        QVERIFY(radio && radio->IsRunning());
        QCOMPARE(f.app->state().portName, radio->Device());
        QVERIFY(QTest::qWaitForWindowActive(f.frame()));
        DocumentHistory* h = History(f);
        TypeCell(f, 3, 1, QStringLiteral("439.0125"));
        const DocumentSnapshot edited = h->Take();

        // The edit is unsaved: 不保存 lets the read go on.
        int asked = 0;
        QString title;
        f.driver.Expect(AnswerSavePrompt(QStringLiteral("不保存"), &asked));
        f.driver.ExpectStart(&title);
        QTest::keyClick(f.view()->table(), Qt::Key_R, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(f.driver.AllHandled() && !QApplication::activeModalWidget(),
                                 20000);
        QCOMPARE(asked, 1);
        QCOMPARE(title, QStringLiteral("读数据"));
        QCOMPARE(f.frame()->status()->currentMessage(), QStringLiteral("读频完成"));
        const DocumentSnapshot read = h->Take();
        // The channels are the radio's.
        QCOMPARE(f.Cell(3, 3), std::string("D023N"));
        QVERIFY(std::equal(read.image.data(), read.image.data() + 0x1000, radio->Memory().data()));
        QVERIFY(!h->IsModified());

        f.Trigger(kIdEditUndo);
        QVERIFY(h->Take() == edited);
        QVERIFY(h->IsModified());
        f.Trigger(kIdEditRedo);
        QVERIFY(h->Take() == read);
        QVERIFY(!h->IsModified());

        // Edited after the read, then written: still modified. (The window
        // manager gives the focus back after a dialog; offscreen nothing does.)
        f.frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.frame()));
        TypeCell(f, 4, 1, QStringLiteral("145.0"));
        f.driver.ExpectStart(&title);
        QTest::keyClick(f.view()->table(), Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(f.driver.AllHandled() && !QApplication::activeModalWidget(),
                                 20000);
        QCOMPARE(title, QStringLiteral("写数据"));
        QCOMPARE(f.frame()->status()->currentMessage(), QStringLiteral("写频完成，已校验"));
        QCOMPARE(ConstChannelRecord(radio->Memory(), 4).Rx(), 14500000u);
        QVERIFY(h->IsModified());
        QCOMPARE(f.driver.unexpected(), 0);
        QVERIFY(f.driver.messages().isEmpty());
    }

    // Every guarded command with every answer. The document holds an
    // unsaved edit of a file. 保存 saves it and the command goes on; a save
    // that fails is reported, the command stops and the edit is still there;
    // 不保存 goes on; 取消 stops. Nothing unsaved is ever lost silently.
    void guardedCommandsWithEachAnswer() {
        enum Command { CloseWindow, CloseBox, Exit, New, Read };
        enum Answer { Save, SaveFails, Discard, Cancel };
        const char* const commandNames[] = {"关闭", "close box", "退出", "新建", "读频"};
        const char* const answerNames[] = {"保存", "保存 fails", "不保存", "取消"};
        for (int c = CloseWindow; c <= Read; ++c) {
            for (int a = Save; a <= Cancel; ++a) {
                const QString label =
                    QStringLiteral("%1 / %2").arg(QString::fromUtf8(commandNames[c]),
                                                  QString::fromUtf8(answerNames[a]));
                AppFixture f;
                const QString file = f.dir.file(QStringLiteral("plan.dat"));
                RadioImage otherImage;
                ApplyBuiltInDefaults(otherImage);
                QVERIFY(SaveDatFile(file.toStdString(), otherImage, nullptr));
                QStringList arguments{file};
                if (c == Read)
                    arguments << QStringLiteral("--simulate");
                QVERIFY(f.Start(arguments));
                CChildFrame* child = f.child();
                TypeCell(f, 9, 1, QStringLiteral("433.5"));
                const std::string edit = f.Cell(9, 1);
                QVERIFY(child->IsModified());
                const QByteArray fileBefore = ReadAll(file);
                if (a == SaveFails) {
                    // The file's folder is gone: the save cannot succeed.
                    child->document()->SetPathName(f.dir.file(QStringLiteral("gone/plan.dat")));
                }

                int asked = 0;
                const QString button = a == Save || a == SaveFails ? QStringLiteral("保存")
                                       : a == Discard              ? QStringLiteral("不保存")
                                                                   : QStringLiteral("取消");
                f.driver.Expect(AnswerSavePrompt(button, &asked));
                if (a == SaveFails)
                    f.driver.ExpectMessage();
                const bool goesOn = a == Save || a == Discard;
                bool commDialogShown = false;
                bool exited = false;
                int windowsBefore = f.frame()->DocumentWindows().size();
                if (c == Read && goesOn)
                    f.driver.Expect(CloseCommDialog(&commDialogShown));
                switch (c) {
                case CloseWindow:
                    f.Trigger(kIdFileClose);
                    break;
                case CloseBox:
                    child->close();
                    break;
                case Exit:
                    exited = f.frame()->close();
                    break;
                case New:
                    f.Trigger(kIdFileNew);
                    break;
                case Read:
                    f.Trigger(kIdRead);
                    break;
                }
                QTRY_VERIFY_WITH_TIMEOUT(f.driver.AllHandled(), 10000);
                QVERIFY2(asked == 1, qPrintable(label));
                QVERIFY2(f.driver.unexpected() == 0, qPrintable(label));

                // What the command did.
                bool wentOn = false;
                switch (c) {
                case CloseWindow:
                case CloseBox:
                    wentOn = !f.frame()->DocumentWindows().contains(child);
                    break;
                case Exit:
                    wentOn = exited;
                    break;
                case New:
                    wentOn = !f.frame()->DocumentWindows().contains(child) ||
                             f.frame()->DocumentWindows().size() != windowsBefore;
                    break;
                case Read:
                    wentOn = commDialogShown;
                    break;
                }
                QVERIFY2(wentOn == goesOn, qPrintable(label));

                // Nothing lost: saved, or still in the document.
                if (a == Save) {
                    QVERIFY2(ReadAll(file) != fileBefore, qPrintable(label));
                    RadioImage saved;
                    QVERIFY(LoadDatFile(file.toStdString(), saved, nullptr));
                    QVERIFY2(RenderRow(saved, f.app->state().bandLimits, 9)[0] == edit,
                             qPrintable(label));
                } else {
                    QVERIFY2(ReadAll(file) == fileBefore, qPrintable(label));
                }
                if (!goesOn) {
                    QVERIFY2(f.frame()->DocumentWindows().contains(child), qPrintable(label));
                    QVERIFY2(child->IsModified(), qPrintable(label));
                    QVERIFY2(child->view()->model()->grid().Text(9, 1) == edit, qPrintable(label));
                }
            }
        }
    }

    // 不保存 on 关闭 closes the document for good: another open document
    // (of the same file) keeps its own image, 信道信息 cannot bring the
    // edit back, 写频 has nothing to send once none is open, and the program
    // exits without a question. A 不保存 for a read that then did not happen
    // leaves the edits asked about at exit, whatever undo, save and redo did.
    void discardedIsGoneForGood() {
        AppFixture f;
        const QString file = f.dir.file(QStringLiteral("plan.dat"));
        RadioImage image;
        ApplyBuiltInDefaults(image);
        QVERIFY(SaveDatFile(file.toStdString(), image, nullptr));
        QVERIFY(f.Start({file, QStringLiteral("--simulate")}));
        CChildFrame* child = f.child();
        CChildFrame* other = f.app->documents().OpenFile(file);
        f.frame()->ShowChild(child);
        TypeCell(f, 2, 1, QStringLiteral("145.25"));
        int asked = 0;
        f.driver.Expect(AnswerSavePrompt(QStringLiteral("不保存"), &asked));
        f.Trigger(kIdFileClose);
        QVERIFY(f.driver.AllHandled());
        QCOMPARE(f.frame()->DocumentWindows(), QList<CChildFrame*>({other}));
        f.Trigger(kIdEditChannels);
        QCOMPARE(f.child(), other);
        QVERIFY(f.Cell(2, 1).empty());
        QCOMPARE(Bytes(f.app->state().image), ReadAll(file));
        QCOMPARE(f.frame()->windowTitle(), QStringLiteral("写频软件 - plan.dat"));
        f.Trigger(kIdFileClose);
        QVERIFY(!f.frame()->action(kIdWrite)->isEnabled());
        QVERIFY(!f.frame()->action(kIdEditChannels)->isEnabled());
        QVERIFY(f.frame()->close());
        QCOMPARE(asked, 1);

        AppFixture g;
        QVERIFY(g.Start({QStringLiteral("--simulate")}));
        TypeCell(g, 2, 1, QStringLiteral("145.25"));
        TypeCell(g, 3, 1, QStringLiteral("145.5"));
        bool shown = false;
        g.driver.Expect(AnswerSavePrompt(QStringLiteral("不保存"), &asked));
        g.driver.Expect(CloseCommDialog(&shown));
        g.Trigger(kIdRead);
        QTRY_VERIFY(g.driver.AllHandled());
        QVERIFY(shown);
        g.Trigger(kIdEditUndo);
        QVERIFY(g.app->documents().SaveAs(g.dir.file(QStringLiteral("half.dat"))));
        g.Trigger(kIdEditRedo);
        g.driver.Expect(AnswerSavePrompt(QStringLiteral("取消"), &asked));
        QVERIFY(!g.frame()->close());
        QCOMPARE(asked, 3);
        QCOMPARE(g.driver.unexpected() + f.driver.unexpected(), 0);
    }

    // An untitled document: the prompt offers 保存, 不保存 and 取消; 保存 asks
    // for a name, and cancelling that stops the command. (The prompt is
    // rendered into build/screenshots.)
    void untitledSaveCancelledStops() {
        AppFixture f;
        QVERIFY(f.Start());
        TypeCell(f, 2, 1, QStringLiteral("145.25"));
        QStringList buttons;
        f.driver.Expect([&buttons](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box)
                return false;
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
        QCOMPARE(f.driver.unexpected(), 0);
    }
};

QTEST_MAIN(TestHistoryUi)
#include "test_history_ui.moc"
