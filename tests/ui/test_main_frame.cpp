// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame: commands built from the command table and run by their
// identifiers, with access keys; the document windows (maximised, each
// document with its own image, the 窗口 menu, the caption naming the
// current one), the navigation tree, the bars, the background, the
// new-document question, message boxes and Qt's own dialogs in Chinese;
// the factory unlock.
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "app_test_support.h"
#include "core/document/dat_file.h"
#include "ui/app/command_table.h"
#include "ui/app/message_box.h"
#include "ui/app/nav_tree_bar.h"
#include "ui/app/program_doc.h"
#include "ui/dialogs/password_dlg.h"
#include "ui/grid/channel_table_view.h"

using namespace kestra;
using namespace kestra::test;

namespace {

void ClickTreeItem(CMainFrame* frame, int command) {
    QTreeWidget* tree = frame->treeBar()->tree();
    QTreeWidgetItem* item = frame->treeBar()->item(command);
    QVERIFY(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                      tree->visualItemRect(item).center());
}

// The document commands a visible, active window enables.
const int kDocumentCommands[] = {kIdFileClose, kIdFileSave, kIdFileSaveAs,
                                 kIdRead,      kIdWrite,    kIdFilePrint};

// Answers the password dialog with text and "确定" (or "取消"); shown
// records what the field showed.
ModalDriver::Handler Password(const QString& text, const QString& button = QStringLiteral("确定"),
                              QString* shown = nullptr) {
    return [=](QWidget* w) {
        auto* dialog = qobject_cast<CPasswordDlg*>(w);
        if (!dialog)
            return false;
        QTest::keyClicks(dialog->passwordEdit(), text);
        if (shown)
            *shown = dialog->passwordEdit()->displayText() + QLatin1Char('|') +
                     dialog->passwordEdit()->text();
        return ClickButton(dialog, button);
    };
}

class KeySpy : public QObject {
public:
    int f11 = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F11)
            ++f11;
        return false;
    }
};

QList<int> EditMenu(CMainFrame* frame) {
    QList<int> ids;
    for (QAction* a : frame->editMenu()->actions())
        ids << a->data().toInt();
    return ids;
}

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    void commandsAreBuiltFromTheTable() {
        // Each row becomes one action, run by its identifier, in its menu
        // (factory rows only after the unlock), on the toolbar and in the
        // tree in row order; rows without a handler are there, disabled.
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        QList<QAction*> toolbar;
        QList<QTreeWidgetItem*> tree;
        for (const CommandRow& row : CommandTable()) {
            if (!FindCommand(row.id))
                continue;
            QAction* a = frame->action(row.id);
            QVERIFY(a);
            QCOMPARE(a->data().toInt(), row.id);
            QCOMPARE(a->shortcut().isEmpty(), row.shortcut == nullptr);
            if (!row.handler)
                QVERIFY(!a->isEnabled());
            if (row.menu != MenuId::None) {
                // An entry of a submenu (视图 → 语言) sits in that submenu.
                QList<QAction*> entries = frame->menu(row.menu)->actions();
                if (row.submenu)
                    for (QAction* item : frame->menu(row.menu)->actions())
                        if (item->menu())
                            entries += item->menu()->actions();
                QVERIFY2(entries.contains(a) == !row.factory, qPrintable(a->text()));
            }

            if (row.toolbarGroup) {
                toolbar << a;
                QVERIFY(!a->icon().isNull());
            }
            if (row.inTree)
                tree << frame->treeBar()->item(row.id);
        }
        QList<QAction*> shown = frame->toolBar()->actions();
        shown.erase(
            std::remove_if(shown.begin(), shown.end(), [](QAction* a) { return a->isSeparator(); }),
            shown.end());
        QCOMPARE(shown, toolbar);
        QTreeWidgetItem* root = frame->treeBar()->rootItem();
        QCOMPARE(root->childCount(), tree.size());
        for (int i = 0; i < tree.size(); ++i)
            QCOMPARE(root->child(i), tree[i]);
    }

    void documentWindowOpensMaximised() {
        AppFixture f;
        QVERIFY(f.Start());
        CChildFrame* child = f.child();
        QVERIFY(QTest::qWaitForWindowExposed(f.frame()));
        QVERIFY(child->isMaximized());
        // The caption stays the application title (the MDI area would add
        // the maximised document's name).
        QCOMPARE(f.frame()->windowTitle(), QStringLiteral("写频软件 - 无标题"));
        QCOMPARE(child->geometry(), f.frame()->mdiArea()->viewport()->rect());
        // Far more than twenty rows show in a 1400 x 860 frame.
        QTableView* table = f.view()->table();
        QVERIFY(table->rowAt(table->viewport()->height() - 1) > 25);
        // Restored, it is its form's size at most 1095 x 650, at the corner.
        child->showNormal();
        QVERIFY(child->width() <= CChildFrame::kInitialWidth);
        QVERIFY(child->height() <= CChildFrame::kInitialHeight);
        QCOMPARE(child->pos(), QPoint(0, 0));
        QCOMPARE(f.frame()->windowTitle(), QStringLiteral("写频软件 - 无标题"));
    }

    // A second document opens maximised beside the first, each with its own
    // image; 窗口 lists them and switches, cascades and tiles; the caption
    // names the current one; closing one hands over to the other.
    void documentsOpenSideBySide() {
        AppFixture f;
        RadioImage a;
        ApplyBuiltInDefaults(a);
        ChannelRecord(a, 1).SetRx(14550000);
        QVERIFY(SaveDatFile(f.dir.file(QStringLiteral("a.dat")).toStdString(), a, nullptr));
        QVERIFY(f.Start({f.dir.file(QStringLiteral("a.dat"))}));
        CMainFrame* frame = f.frame();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CChildFrame* first = f.child();
        const QByteArray aImage = Bytes(f.app->state().image);
        // 打开 with a document open asks nothing and opens beside it.
        ApplyBuiltInDefaults(a);
        QVERIFY(SaveDatFile(f.dir.file(QStringLiteral("b.dat")).toStdString(), a, nullptr));
        CChildFrame* fresh = f.app->documents().OpenFile(f.dir.file(QStringLiteral("b.dat")));
        QVERIFY(fresh && fresh != first);
        QCOMPARE(f.driver.unexpected(), 0);
        QCOMPARE(f.child(), fresh);
        QCOMPARE(frame->DocumentWindows().size(), 2);
        QVERIFY(fresh->isMaximized());
        QCOMPARE(fresh->geometry(), frame->mdiArea()->viewport()->rect());
        QCOMPARE(frame->windowTitle(), QStringLiteral("写频软件 - b.dat"));
        QVERIFY(f.Cell(1, 1).empty());

        // 窗口 lists the documents, the current one checked; Ctrl+Tab switches
        // and the image is the current document's.
        QMenu* window = frame->menu(MenuId::Window);
        emit window->aboutToShow();
        QStringList listed;
        for (QAction* act : window->actions())
            if (act->isCheckable())
                listed << act->text() + (act->isChecked() ? "*" : "");
        QCOMPARE(listed, QStringList({"&1 a.dat", "&2 b.dat*"}));
        QTest::keyClick(f.view()->table(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(f.child(), first);
        QCOMPARE(frame->windowTitle(), QStringLiteral("写频软件 - a.dat"));
        QCOMPARE(Bytes(f.app->state().image), aImage);
        QCOMPARE(f.Cell(1, 1), std::string("145.50000"));
        QTest::keyClick(f.view()->table(), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.child(), fresh);
        QCOMPARE(ConstChannelRecord(f.app->state().image, 1).Rx(),
                 ConstChannelRecord(f.app->state().image, 3).Rx());

        // 平铺 shows both side by side; 层叠 overlaps them.
        f.Trigger(kIdWindowTile);
        QVERIFY(!first->isMaximized() && !fresh->isMaximized());
        QVERIFY(!first->geometry().intersects(fresh->geometry()));
        f.Trigger(kIdWindowCascade);
        QVERIFY(first->geometry().intersects(fresh->geometry()));

        // Closing one: the other is current, with its own image.
        fresh->close();
        QCOMPARE(frame->DocumentWindows(), QList<CChildFrame*>({first}));
        QCOMPARE(f.child(), first);
        QCOMPARE(Bytes(f.app->state().image), aImage);
        QCOMPARE(frame->windowTitle(), QStringLiteral("写频软件 - a.dat"));
        // Closing a maximised window leaves the next one maximised.
        CChildFrame* third = f.app->documents().OpenFile(f.dir.file(QStringLiteral("b.dat")));
        QVERIFY(third->isMaximized());
        third->close();
        QVERIFY(first->isMaximized());
        f.Trigger(kIdFileClose);
        QVERIFY(frame->DocumentWindows().isEmpty());
        QCOMPARE(frame->windowTitle(), QStringLiteral("写频软件"));
        for (int id : kDocumentCommands)
            QVERIFY2(!frame->action(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(!frame->action(kIdEditChannels)->isEnabled());
    }

    // Every menu and entry has an access key, unique in its menu; F10 opens
    // the menu bar and Alt+F the 文件 menu; the texts stay exact.
    void everyMenuHasAccessKeys() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        frame->AppendFactoryMenuItems();
        QCOMPARE(frame->fileMenu()->title(), QStringLiteral("文件(&F)"));
        QCOMPARE(frame->action(kIdFileOpen)->text(), QStringLiteral("打开(&O)..."));
        QStringList bar;
        for (QAction* menu : frame->menuBar()->actions()) {
            bar << menu->text();
            QStringList keys;
            for (QAction* a : menu->menu()->actions()) {
                if (a->isSeparator() || !a->isVisible())
                    continue;
                const QString key = QKeySequence::mnemonic(a->text()).toString();
                QVERIFY2(!key.isEmpty(), qPrintable(a->text()));
                QVERIFY2(!keys.contains(key), qPrintable(a->text()));
                keys << key;
            }
        }
        QCOMPARE(bar, QStringList({"文件(&F)", "编辑(&E)", "编程(&P)", "设置(&S)", "视图(&V)",
                                   "窗口(&W)", "帮助(&H)"}));
        // The tree and the tool tips show the texts without the key.
        QCOMPARE(frame->treeBar()->item(kIdEditChannels)->text(0), QStringLiteral("信道信息"));
        QCOMPARE(frame->action(kIdRead)->toolTip(), QStringLiteral("读频 (Ctrl+R)"));
        // The view's buttons have theirs too.
        QCOMPARE(f.view()->channelEditButton()->text(), QStringLiteral("信道编辑(&C)"));

        QVERIFY(QTest::qWaitForWindowActive(frame));
        QTest::keyClick(f.view()->table(), Qt::Key_F10);
        QTRY_VERIFY(frame->menuBar()->activeAction());
        QCOMPARE(frame->menuBar()->activeAction()->text(), QStringLiteral("文件(&F)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        f.driver.Expect([](QWidget* w) {
            auto* menu = qobject_cast<QMenu*>(w);
            return menu && (menu->close(), true);
        });
        QTest::keyClick(f.view()->table(), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(frame->fileMenu()->isVisible() || f.driver.AllHandled());
        frame->fileMenu()->close();
    }

    // A message box is wide enough for its whole title.
    void messageBoxesFitTheirTitle() {
        AppFixture f;
        QVERIFY(f.Start());
        int width = 0;
        int needed = 0;
        f.driver.Expect([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box)
                return false;
            QFont bold = box->font();
            bold.setBold(true);
            needed = QFontMetrics(bold).horizontalAdvance(box->windowTitle()) +
                     3 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight);
            width = box->width();
            return ClickButton(box, QStringLiteral("确定"));
        });
        ShowMessage(f.frame(), QStringLiteral("通信出错"));
        QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
    }

    void treeItemsRunTheirCommands() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        CChildFrame* child = f.child();
        QTreeWidget* tree = frame->treeBar()->tree();
        QVERIFY(frame->treeBar()->rootItem()->isExpanded());
        QSignalSpy chosen(frame->treeBar(), &CNavTreeBar::commandChosen);
        // "信道信息" brings back the minimised window.
        child->showMinimized();
        QVERIFY(child->isMinimized());
        ClickTreeItem(frame, kIdEditChannels);
        QVERIFY(!child->isMinimized());
        QCOMPARE(tree->currentItem(), frame->treeBar()->rootItem());

        // The dialog items open their dialogs (closed here at once); Enter
        // chooses the current item as a click does.
        for (int i = 0; i < 2; ++i)
            f.driver.Expect([](QWidget* w) { return w->close(); });
        ClickTreeItem(frame, kIdEditOptional);
        tree->setCurrentItem(frame->treeBar()->item(kIdEditDtmf));
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(tree->currentItem(), frame->treeBar()->rootItem());
        QVERIFY(f.driver.AllHandled());
        const QList<int> ids = {kIdEditChannels, kIdEditOptional, kIdEditDtmf};
        QVERIFY(!QApplication::activeModalWidget());
        QList<int> seen;
        for (const QList<QVariant>& args : chosen)
            seen << args.first().toInt();
        QCOMPARE(seen, ids);
    }

    void barsAndTheirChecks() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CNavTreeBar* bar = frame->treeBar();
        QAction* splitter = frame->action(kIdViewSplitter);
        QVERIFY(splitter->isChecked());
        // The panel's close button unchecks "分隔栏"; Ctrl+B shows it again.
        bar->closeButton()->click();
        QVERIFY(bar->isHidden());
        QVERIFY(!splitter->isChecked());
        QTest::keyClick(frame, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(!bar->isHidden());
        QVERIFY(splitter->isChecked());

        for (int id : {kIdViewToolbar, kIdViewStatusBar}) {
            QWidget* w =
                id == kIdViewToolbar ? static_cast<QWidget*>(frame->toolBar()) : frame->status();
            QVERIFY(frame->action(id)->isChecked());
            f.Trigger(id);
            QVERIFY(w->isHidden());
            QVERIFY(!frame->action(id)->isChecked());
            f.Trigger(id);
            QVERIFY(!w->isHidden());
            QVERIFY(frame->action(id)->isChecked());
        }

        // The panel's width stays between 11 pixels and half the frame.
        frame->resizeDocks({bar}, {5}, Qt::Horizontal);
        QTRY_COMPARE_WITH_TIMEOUT(bar->width(), CNavTreeBar::kMinWidth, 2000);
        frame->resizeDocks({bar}, {5000}, Qt::Horizontal);
        QTRY_COMPARE_WITH_TIMEOUT(bar->width(), frame->width() / 2, 2000);
    }

    // Each dialog command opens its dialog (the factory ones once unlocked);
    // Enter does not close the FM, DTMF and factory dialogs.
    void commandsOpenTheirDialogs() {
        AppFixture f;
        QVERIFY(f.Start());
        f.frame()->AppendFactoryMenuItems();
        const struct {
            int id;
            const char* opens;
        } commands[] = {
            {kIdAppAbout, "kestra::CAboutDlg 关于"},
            {kIdPortSetup, "kestra::CPortSetupDlg"},
            {kIdFilePrintSetup, "QPrintDialog"},
            {kIdFilePrint, "QPrintDialog"},
            {kIdEditOptional, "kestra::COptionalFeaturesDlg 可选功能"},
            {kIdEditFmRadio, "kestra::CFmRadioDlg 收音机配置 stays"},
            {kIdEditDtmf, "kestra::CDtmfDlg DTMF stays"},
            {kIdParamTuning, "kestra::CParamTuningDlg 参数调节 stays"},
            {kIdDtmfInit, "kestra::CDtmfInitDlg DTMF 解码初始化 stays"},
        };
        for (const auto& c : commands) {
            const QString expected = QString::fromUtf8(c.opens);
            QString opened;
            f.driver.Expect([&](QWidget* w) {
                opened = QString::fromLatin1(w->metaObject()->className());
                if (expected.contains(' '))
                    opened += QLatin1Char(' ') + w->windowTitle();
                if (expected.endsWith(QStringLiteral(" stays"))) {
                    QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Return);
                    if (w->isVisible())
                        opened += QStringLiteral(" stays");
                }
                qobject_cast<QDialog*>(w)->reject();
                return true;
            });
            f.Trigger(c.id);
            QVERIFY(f.driver.AllHandled());
            QCOMPARE(opened, expected);
        }
        QCOMPARE(f.driver.unexpected(), 0);
    }

    void qtDialogsSpeakChinese() {
        AppFixture f;
        QVERIFY(f.Start());
        QStringList buttons;
        f.driver.Expect([&buttons](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog)
                return false;
            for (QPushButton* b :
                 dialog->findChild<QDialogButtonBox*>()->findChildren<QPushButton*>())
                buttons << b->text();
            dialog->reject();
            return true;
        });
        f.Trigger(kIdFileOpen);
        QVERIFY(f.driver.AllHandled());
        QVERIFY2(buttons.contains(QStringLiteral("取消")), qPrintable(buttons.join(',')));
    }

    void backgroundTile() {
        AppDir dir;
        {
            auto app = StartApp(dir);
            const QImage tile = app->frame()->mdiArea()->background().textureImage();
            QCOMPARE(tile.size(), QSize(238, 157));
            // Not a flat colour.
            QVERIFY(tile.pixel(0, 12) != tile.pixel(100, 30) ||
                    tile.pixel(5, 5) != tile.pixel(7, 90));
        }
        QImage own(20, 10, QImage::Format_RGB32);
        own.fill(Qt::darkGreen);
        QVERIFY(own.save(dir.file(QStringLiteral("BackGround.bmp")), "BMP"));
        auto app = StartApp(dir);
        const QImage tile = app->frame()->mdiArea()->background().textureImage();
        QCOMPARE(tile.size(), QSize(20, 10));
    }

    void newDocumentAsksFirst() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        CChildFrame* first = f.child();
        // (A document with unsaved changes is asked about those instead.)
        f.driver.ExpectMessage(QStringLiteral("取消"));
        f.Trigger(kIdFileNew);
        QCOMPARE(f.driver.messages(), QStringList({"所有数据将会被清除！"}));
        QCOMPARE(frame->DocumentWindows(), QList<CChildFrame*>({first}));

        // 确定: the new document replaces it.
        f.driver.ExpectMessage(QStringLiteral("确定"));
        f.Trigger(kIdFileNew);
        QCOMPARE(f.driver.messages().size(), 2);
        QCOMPARE(frame->DocumentWindows().size(), 1);
        CChildFrame* second = f.child();
        QVERIFY(second && second != first);
        // The new document starts from the defaults.
        QVERIFY(f.Cell(1, 1).empty());

        // With no document window open there is no question.
        frame->DestroyDocumentWindow(second);
        QVERIFY(frame->DocumentWindows().isEmpty());
        QVERIFY(!frame->action(kIdRead)->isEnabled());
        QVERIFY(!frame->action(kIdEditChannels)->isEnabled());
        f.Trigger(kIdFileNew);
        QCOMPARE(frame->DocumentWindows().size(), 1);
        QCOMPARE(f.driver.messages().size(), 2);
        QVERIFY(frame->action(kIdRead)->isEnabled());
        QCOMPARE(f.driver.unexpected(), 0);
    }

    // The factory unlock: Ctrl+F11 anywhere in the view, consumed before any
    // control sees it; the password dialog; what a correct password
    // changes, once.
    void factoryUnlock() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        CProgramView* view = f.view();
        ChannelTableView* table = view->table();
        const QList<int> locked = EditMenu(frame);
        QCOMPARE(locked.last(), int(kIdEditFmRadio));
        ModalDriver& driver = f.driver;

        // Other keys do nothing special.
        QTest::keyClick(table, Qt::Key_F11);
        QTest::keyClick(table, Qt::Key_F12, Qt::ControlModifier);
        QTest::qWait(50);
        QCOMPARE(driver.unexpected(), 0);

        // A wrong password (echoed hidden, 8 characters at most): no
        // message, still locked.
        QString shown;
        driver.Expect(Password(QStringLiteral("QDM538QDM"), QStringLiteral("确定"), &shown));
        QTest::keyClick(table, Qt::Key_F11, Qt::ControlModifier);
        QVERIFY(driver.AllHandled());
        QVERIFY2(shown.endsWith(QStringLiteral("|QDM538QD")) &&
                     !shown.startsWith(QStringLiteral("Q")),
                 qPrintable(shown));
        QVERIFY(!f.app->state().factoryMode);
        QVERIFY(view->initialiseButton()->isHidden());
        QCOMPARE(EditMenu(frame), locked);
        // Cancel: still locked.
        driver.Expect(Password(QStringLiteral("QDM537"), QStringLiteral("取消")));
        QTest::keyClick(table, Qt::Key_F11, Qt::ControlModifier);
        QVERIFY(driver.AllHandled());
        QVERIFY(!f.app->state().factoryMode);

        // The key is taken before the control that has the focus sees it, and
        // the password is compared ignoring letter case.
        QWidget* editor = table->StartEditAt(GridCell{1, 1});
        QVERIFY(editor);
        KeySpy spy;
        editor->installEventFilter(&spy);
        driver.Expect(Password(QStringLiteral("qdm537")));
        QTest::keyClick(editor, Qt::Key_F11, Qt::ControlModifier);
        QVERIFY(driver.AllHandled());
        QCOMPARE(spy.f11, 0);
        QVERIFY(f.app->state().factoryMode);
        QVERIFY(!view->initialiseButton()->isHidden());
        QList<int> unlocked = locked;
        unlocked << kIdParamTuning << kIdDtmfInit;
        QCOMPARE(EditMenu(frame), unlocked);
        QVERIFY(frame->action(kIdParamTuning)->isEnabled());
        QVERIFY(frame->action(kIdDtmfInit)->isEnabled());

        // A second unlock adds nothing.
        driver.Expect(Password(QStringLiteral("QDM537")));
        QTest::keyClick(table, Qt::Key_F11, Qt::ControlModifier);
        QVERIFY(driver.AllHandled());
        QCOMPARE(EditMenu(frame), unlocked);

        // Document windows opened later show "初始化" as well.
        frame->AddDocumentWindow(std::make_unique<CProgramDoc>(f.app->state()));
        QVERIFY(!frame->ActiveView()->initialiseButton()->isHidden());
        QCOMPARE(driver.unexpected(), 0);
    }
};

QTEST_MAIN(TestMainFrame)
#include "test_main_frame.moc"
