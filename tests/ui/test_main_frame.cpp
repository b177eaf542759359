// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame: the commands of the command table, the document windows,
// the navigation tree, the bars and the background, the new-document
// question and the factory unlock.
#include <QDockWidget>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComplex>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "app_test_support.h"
#include "core/image/settings_layout.h"
#include "ui/app/access_keys.h"
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

// The caption, then each document window's title, the current one marked
// "*" ("*+" when maximised).
QString Windows(const AppFixture& f) {
    QStringList out{f.frame()->windowTitle()};
    for (CChildFrame* c : f.frame()->DocumentWindows())
        out << c->windowTitle() +
                   QLatin1String(c != f.child() ? "" : c->isMaximized() ? "*+" : "*");
    return out.join(QLatin1Char('|'));
}

class KeySpy : public QObject {
public:
    int f11 = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        f11 += event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_F11;
        return false;
    }
};

// Factory mode, whether 初始化 shows, and the 编辑 entries after 收音机配置
// (a disabled one marked "-").
QString Factory(const AppFixture& f) {
    QStringList s{QString::number(f.app->state().factoryMode),
                  QString::number(!f.view()->initialiseButton()->isHidden())};
    bool after = false;
    for (QAction* a : f.frame()->editMenu()->actions()) {
        if (after)
            s << WithoutAccessKey(a->text()) + QLatin1String(a->isEnabled() ? "" : "-");
        after = after || a->data().toInt() == kIdEditFmRadio;
    }
    return s.join(QLatin1Char(' '));
}

// Presses Ctrl+F11 on a widget and answers the password dialog with text
// and "确定" (or "取消"); shown records what the field showed. Returns what
// Factory shows then.
QString Unlock(AppFixture& f, QWidget* at, const QString& text,
               const QString& button = QStringLiteral("确定"), QString* shown = nullptr) {
    f.driver.On<CPasswordDlg>([=](CPasswordDlg* dialog) {
        QTest::keyClicks(dialog->passwordEdit(), text);
        if (shown)
            *shown = dialog->passwordEdit()->displayText() + QLatin1Char('|') +
                     dialog->passwordEdit()->text();
        return ClickButton(dialog, button);
    });
    QTest::keyClick(at, Qt::Key_F11, Qt::ControlModifier);
    return f.driver.AllHandled() ? Factory(f) : QStringLiteral("no password dialog");
}

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InitTestApplication(); }

    // Each row becomes one action, run by its identifier, in its menu (or
    // submenu, as 视图 → 语言; factory rows only after the unlock), on the
    // toolbar by groups (new, open | save | read, write | print, about |
    // undo, redo) and in the tree in row order; rows without a handler are
    // there, disabled.
    void commandsAreBuiltFromTheTable() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        QList<QTreeWidgetItem*> tree;
        for (const CommandRow& row : CommandTable()) {
            if (!FindCommand(row.id))
                continue;
            QAction* a = frame->action(row.id);
            QVERIFY(a);
            QCOMPARE(a->data().toInt(), row.id);
            QCOMPARE(a->shortcut().isEmpty(), row.shortcut == nullptr);
            QVERIFY(row.handler || !a->isEnabled());
            if (row.menu != MenuId::None) {
                QList<QAction*> entries = frame->menu(row.menu)->actions();
                for (QAction* item : frame->menu(row.menu)->actions())
                    if (row.submenu && item->menu())
                        entries += item->menu()->actions();
                QVERIFY2(entries.contains(a) == !row.factory, qPrintable(a->text()));
            }
            if (row.toolbarGroup)
                QVERIFY(!a->icon().isNull());
            if (row.inTree)
                tree << frame->treeBar()->item(row.id);
        }
        QList<int> shown; // 0: a separator
        for (QAction* a : frame->toolBar()->actions())
            shown << (a->isSeparator() ? 0 : a->data().toInt());
        QCOMPARE(shown, QList<int>({kIdFileNew, kIdFileOpen, 0, kIdFileSave, 0, kIdRead, kIdWrite,
                                    0, kIdFilePrint, kIdAppAbout, 0, kIdEditUndo, kIdEditRedo}));
        // A real port: no virtual radio pane.
        QVERIFY(!frame->findChild<QLabel*>(QStringLiteral("virtualRadioPane"))->isVisible());
        QList<QTreeWidgetItem*> children;
        for (int i = 0; i < frame->treeBar()->rootItem()->childCount(); ++i)
            children << frame->treeBar()->rootItem()->child(i);
        QCOMPARE(children, tree);
    }

    // A document opens maximised, far more than twenty rows showing; the
    // caption names it (the MDI area would add the maximised document's
    // name). A second one opens maximised beside it, each with its own
    // image; 窗口 lists them and switches, cascades and tiles; closing one
    // hands over to the other; restored, a window is its form's size at most,
    // at the corner.
    void documentWindows() {
        AppFixture f;
        RadioImage a = BuiltInImage();
        const QString b = f.dir.Dat(QStringLiteral("b.dat"), a);
        ChannelRecord(a, 1).SetRx(14550000);
        QVERIFY(f.Start({f.dir.Dat(QStringLiteral("a.dat"), a)}));
        CMainFrame* frame = f.frame();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CChildFrame* first = f.child();
        const QRect area = frame->mdiArea()->viewport()->rect();
        QCOMPARE(first->geometry(), area);
        QTableView* table = f.view()->table();
        QVERIFY(table->rowAt(table->viewport()->height() - 1) > 25);
        const QByteArray aImage = Bytes(f.app->state().image);
        // 打开 with a document open asks nothing and opens beside it.
        CChildFrame* second = f.app->documents().OpenFile(b);
        QVERIFY(second && second != first);
        QCOMPARE(Windows(f), QStringLiteral("写频软件 - b.dat|a.dat|b.dat*+"));
        QCOMPARE(second->geometry(), area);
        QVERIFY(f.Cell(1, 1).empty());
        // A change to b's image (as a settings dialog makes) outlives a switch
        // away and back.
        RadioImage& image = f.app->state().image;
        image.Set(settings::kKeyBeep, 1 - image.Get(settings::kKeyBeep));
        const QByteArray bImage = Bytes(image);

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
        QCOMPARE(Windows(f), QStringLiteral("写频软件 - a.dat|a.dat*+|b.dat"));
        QCOMPARE(Bytes(f.app->state().image), aImage);
        QCOMPARE(f.Cell(1, 1), std::string("145.50000"));
        QTest::keyClick(f.view()->table(), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.child(), second);
        QCOMPARE(Bytes(f.app->state().image), bImage);

        // 平铺 shows both side by side; 层叠 overlaps them.
        f.Trigger(kIdWindowTile);
        QVERIFY(!first->isMaximized() && !second->isMaximized());
        QVERIFY(!first->geometry().intersects(second->geometry()));
        f.Trigger(kIdWindowCascade);
        QVERIFY(first->geometry().intersects(second->geometry()));
        // Many windows tile within the area: the main window keeps its size.
        const QSize frameSize = frame->size();
        QList<CChildFrame*> more;
        for (int i = 0; i < 23; ++i)
            more << f.app->documents().OpenFile(f.dir.file(QStringLiteral("a.dat")));
        f.Trigger(kIdWindowTile);
        QCOMPARE(frame->size(), frameSize);
        // Windows of one file are told apart by a number.
        QCOMPARE(first->windowTitle() + " " + more.back()->windowTitle(),
                 QStringLiteral("a.dat:1 a.dat:24"));
        for (CChildFrame* w : more)
            frame->DestroyDocumentWindow(w);
        QCOMPARE(first->windowTitle(), QStringLiteral("a.dat"));
        f.frame()->ShowChild(second);

        // Closing one: the other is current, with its own image.
        second->close();
        QCOMPARE(Windows(f), QStringLiteral("写频软件 - a.dat|a.dat*"));
        QCOMPARE(Bytes(f.app->state().image), aImage);
        // Closing a maximised window leaves the next one maximised.
        // Its close box in the menu bar closes it too.
        CChildFrame* third = f.app->documents().OpenFile(b);
        QVERIFY(third->isMaximized());
        QWidget* controls = frame->menuBar()->cornerWidget(Qt::TopRightCorner);
        QVERIFY(controls);
        QStyleOptionComplex box;
        box.initFrom(controls);
        box.subControls =
            QStyle::SC_MdiMinButton | QStyle::SC_MdiNormalButton | QStyle::SC_MdiCloseButton;
        const QPoint closeBox =
            controls->style()
                ->subControlRect(QStyle::CC_MdiControls, &box, QStyle::SC_MdiCloseButton, controls)
                .center();
        QTest::mouseClick(controls, Qt::LeftButton, Qt::NoModifier, closeBox);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(Windows(f), QStringLiteral("写频软件 - a.dat|a.dat*+"));
        first->showNormal();
        QVERIFY(first->width() <= CChildFrame::kInitialWidth);
        QVERIFY(first->height() <= CChildFrame::kInitialHeight);
        QCOMPARE(first->pos(), QPoint(0, 0));
        QCOMPARE(frame->windowTitle(), QStringLiteral("写频软件 - a.dat"));
        f.Trigger(kIdFileClose);
        QCOMPARE(Windows(f), QStringLiteral("写频软件"));
        for (int id : {kIdFileClose, kIdFileSave, kIdFileSaveAs, kIdRead, kIdWrite, kIdFilePrint,
                       kIdEditChannels, kIdEditOptional, kIdEditDtmf, kIdParamTuning, kIdDtmfInit})
            QVERIFY2(!frame->action(id)->isEnabled(), qPrintable(QString::number(id)));
    }

    // Every menu and entry has an access key, unique in its menu; F10 opens
    // the menu bar and Alt+F the 文件 menu; the view's buttons' keys work from
    // the tree too; the texts stay exact, the tree and the tool tips show
    // them without the key.
    void everyMenuHasAccessKeys() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        frame->AppendFactoryMenuItems();
        QCOMPARE(frame->action(kIdFileOpen)->text(), QStringLiteral("打开(&O)..."));
        QStringList bar;
        for (QAction* menu : frame->menuBar()->actions()) {
            bar << menu->text();
            QStringList keys;
            for (QAction* a : menu->menu()->actions()) {
                if (a->isSeparator() || !a->isVisible())
                    continue;
                const QString key = QKeySequence::mnemonic(a->text()).toString();
                QVERIFY2(!key.isEmpty() && !keys.contains(key), qPrintable(a->text()));
                keys << key;
            }
        }
        QCOMPARE(bar, QStringList({"文件(&F)", "编辑(&E)", "编程(&P)", "设置(&S)", "视图(&V)",
                                   "窗口(&W)", "帮助(&H)"}));
        QCOMPARE(frame->treeBar()->item(kIdEditChannels)->text(0), QStringLiteral("信道信息"));
        QCOMPARE(frame->action(kIdRead)->toolTip(), QStringLiteral("读频 (Ctrl+R)"));
        QCOMPARE(f.view()->channelEditButton()->text(), QStringLiteral("信道编辑(&C)"));
        // A dialog's buttons: a Latin text without a free letter of its own
        // stays without a key; a Chinese one takes any free letter.
        QWidget buttons;
        for (const char* text : {"Ab", "Ba", "AB", "通"})
            new QPushButton(QString::fromUtf8(text), &buttons);
        GiveAccessKeys(&buttons);
        QStringList given;
        for (QPushButton* b : buttons.findChildren<QPushButton*>())
            given << b->text();
        QCOMPARE(given, QStringList({"&Ab", "&Ba", "AB", "通(&C)"}));

        QVERIFY(QTest::qWaitForWindowActive(frame));
        // F6 goes to the navigation tree and back to the grid; the view's
        // buttons' keys work from the tree as well.
        QTest::keyClick(f.view()->table(), Qt::Key_F6);
        QTRY_COMPARE(QApplication::focusWidget(), frame->treeBar()->tree());
        QTest::keyClick(frame->treeBar()->tree(), Qt::Key_F6);
        QTRY_COMPARE(QApplication::focusWidget(), f.view()->table());
        QTest::keyClick(f.view()->table(), Qt::Key_F6);
        QString opened;
        f.driver.On<QDialog>([&opened](QDialog* d) {
            opened = d->windowTitle();
            d->reject();
        });
        QTest::keyClick(frame->treeBar()->tree(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(opened, QStringLiteral("信道编辑"));
        QApplication::setActiveWindow(frame);
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QTest::keyClick(f.view()->table(), Qt::Key_F10);
        QTRY_VERIFY(frame->menuBar()->activeAction());
        QCOMPARE(frame->menuBar()->activeAction()->text(), QStringLiteral("文件(&F)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        f.driver.On<QMenu>([](QMenu* menu) { menu->close(); });
        QTest::keyClick(f.view()->table(), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(frame->fileMenu()->isVisible() || f.driver.AllHandled());
        frame->fileMenu()->close();
    }

    // Each bar shows with its 视图 check: the panel's close button unchecks
    // "分隔栏" and Ctrl+B shows it again; the panel's width stays between 11
    // pixels and half the frame.
    void barsAndTheirChecks() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CNavTreeBar* bar = frame->treeBar();
        const auto bars = [frame, bar] {
            const std::pair<int, QWidget*> shown[] = {{kIdViewSplitter, bar},
                                                      {kIdViewToolbar, frame->toolBar()},
                                                      {kIdViewStatusBar, frame->status()}};
            QString s;
            for (const auto& [id, w] : shown)
                s += QString::number(!w->isHidden()) + QString::number(frame->action(id)->isChecked());
            return s;
        };
        QCOMPARE(bars(), QStringLiteral("111111"));
        bar->closeButton()->click();
        QCOMPARE(bars(), QStringLiteral("001111"));
        QTest::keyClick(frame, Qt::Key_B, Qt::ControlModifier);
        f.Trigger(kIdViewToolbar);
        QCOMPARE(bars(), QStringLiteral("110011"));
        f.Trigger(kIdViewStatusBar);
        QCOMPARE(bars(), QStringLiteral("110000"));
        f.Trigger(kIdViewToolbar);
        f.Trigger(kIdViewStatusBar);
        QCOMPARE(bars(), QStringLiteral("111111"));

        frame->resizeDocks({bar}, {5}, Qt::Horizontal);
        QTRY_COMPARE_WITH_TIMEOUT(bar->width(), CNavTreeBar::kMinWidth, 2000);
        frame->resizeDocks({bar}, {5000}, Qt::Horizontal);
        QTRY_COMPARE_WITH_TIMEOUT(bar->width(), frame->width() / 2, 2000);
    }

    // Each dialog command opens its dialog (the factory ones once unlocked),
    // from its action or its tree item (clicked, or Enter on it); Enter does
    // not close the FM, DTMF and factory dialogs. The tree's current item
    // goes back to the root after a choice; "信道信息" brings back the
    // minimised window. A message box is wide enough for its whole title;
    // Qt's own dialogs speak Chinese.
    void commandsOpenTheirDialogs() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        frame->AppendFactoryMenuItems();
        QTreeWidget* tree = frame->treeBar()->tree();
        enum Via { Action, TreeClick, TreeEnter };
        const struct {
            int id;
            const char* opens;
            Via via = Action;
        } commands[] = {
            {kIdAppAbout, "kestra::CAboutDlg 关于"},
            {kIdPortSetup, "kestra::CPortSetupDlg"},
            {kIdFilePrintSetup, "QPrintDialog"},
            {kIdFilePrint, "QPrintDialog"},
            {kIdEditOptional, "kestra::COptionalFeaturesDlg 可选功能", TreeClick},
            {kIdEditFmRadio, "kestra::CFmRadioDlg 收音机配置 stays"},
            {kIdEditDtmf, "kestra::CDtmfDlg DTMF stays", TreeEnter},
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
            if (c.via == TreeClick) {
                ClickTreeItem(frame, c.id);
            } else if (c.via == TreeEnter) {
                tree->setCurrentItem(frame->treeBar()->item(c.id));
                QTest::keyClick(tree, Qt::Key_Return);
            } else {
                f.Trigger(c.id);
            }
            QVERIFY(f.driver.AllHandled());
            QCOMPARE(opened, expected);
        }
        QVERIFY(frame->treeBar()->rootItem()->isExpanded());
        f.child()->showMinimized();
        QVERIFY(f.child()->isMinimized());
        ClickTreeItem(frame, kIdEditChannels);
        QVERIFY(!f.child()->isMinimized());
        QCOMPARE(tree->currentItem(), frame->treeBar()->rootItem());

        int width = 0;
        int needed = 0;
        f.driver.On<QMessageBox>([&](QMessageBox* box) {
            QFont bold = box->font();
            bold.setBold(true);
            needed = QFontMetrics(bold).horizontalAdvance(box->windowTitle()) +
                     3 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight);
            width = box->width();
            return ClickButton(box, QStringLiteral("确定"));
        });
        ShowMessage(frame, QStringLiteral("通信出错"));
        QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
        f.driver.On<QFileDialog>(
            [](QFileDialog* dialog) { return ClickButton(dialog, QStringLiteral("取消")); });
        f.Trigger(kIdFileOpen);
        QVERIFY(f.driver.AllHandled());
    }

    // The built-in tile, not a flat colour; a BackGround.bmp beside the
    // program replaces it.
    void backgroundTile() {
        AppDir dir;
        {
            auto app = StartApp(dir);
            const QImage tile = app->frame()->mdiArea()->background().textureImage();
            QCOMPARE(tile.size(), QSize(238, 157));
            QVERIFY(tile.pixel(0, 12) != tile.pixel(100, 30) ||
                    tile.pixel(5, 5) != tile.pixel(7, 90));
        }
        QImage own(20, 10, QImage::Format_RGB32);
        own.fill(Qt::darkGreen);
        QVERIFY(own.save(dir.file(QStringLiteral("BackGround.bmp")), "BMP"));
        auto app = StartApp(dir);
        QCOMPARE(app->frame()->mdiArea()->background().textureImage().size(), QSize(20, 10));
    }

    // 新建 asks first (a document with unsaved changes is asked about those
    // instead): 取消 keeps the document, 确定 replaces it with one from the
    // defaults; with no document window open there is no question.
    void newDocumentAsksFirst() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        CChildFrame* first = f.child();
        f.driver.ExpectMessage(QStringLiteral("取消"));
        f.Trigger(kIdFileNew);
        QCOMPARE(f.driver.messages(), QStringList({"所有数据将会被清除！"}));
        QCOMPARE(frame->DocumentWindows(), QList<CChildFrame*>({first}));

        f.driver.ExpectMessage(QStringLiteral("确定"));
        f.Trigger(kIdFileNew);
        QCOMPARE(f.driver.messages().size(), 2);
        CChildFrame* second = f.child();
        QCOMPARE(frame->DocumentWindows(), QList<CChildFrame*>({second}));
        QVERIFY(second != first);
        QVERIFY(f.Cell(1, 1).empty());

        frame->DestroyDocumentWindow(second);
        QVERIFY(!frame->action(kIdRead)->isEnabled());
        f.Trigger(kIdFileNew);
        QCOMPARE(frame->DocumentWindows().size(), 1);
        QCOMPARE(f.driver.messages().size(), 2);
        QVERIFY(frame->action(kIdRead)->isEnabled());
    }

    // The factory unlock: Ctrl+F11 anywhere in the view, consumed before any
    // control sees it; the password dialog; what a correct password
    // changes, once.
    void factoryUnlock() {
        AppFixture f;
        QVERIFY(f.Start());
        CMainFrame* frame = f.frame();
        ChannelTableView* table = f.view()->table();
        QCOMPARE(Factory(f), QStringLiteral("0 0"));

        // Other keys do nothing special (a dialog would be unexpected).
        RunKeys(table, QStringLiteral("<F11> <Ctrl+F12>"));

        // A wrong password (echoed hidden, 8 characters at most) and 取消
        // leave it locked, without a message.
        QString shown;
        QCOMPARE(Unlock(f, table, "QDM538QDM", "确定", &shown), QStringLiteral("0 0"));
        QVERIFY2(shown.endsWith(QStringLiteral("|QDM538QD")) &&
                     !shown.startsWith(QStringLiteral("Q")),
                 qPrintable(shown));
        QCOMPARE(Unlock(f, table, "QDM537", "取消"), QStringLiteral("0 0"));

        // The key is taken before the control that has the focus sees it, and
        // the password is compared ignoring letter case. A second unlock adds
        // nothing.
        QWidget* editor = table->StartEditAt(GridCell{1, 1});
        QVERIFY(editor);
        KeySpy spy;
        editor->installEventFilter(&spy);
        const QString unlocked = QStringLiteral("1 1 参数调节 DTMF 初始化");
        QCOMPARE(Unlock(f, editor, "qdm537"), unlocked);
        QCOMPARE(spy.f11, 0);
        QCOMPARE(Unlock(f, table, "QDM537"), unlocked);

        // Document windows opened later show "初始化" as well.
        frame->AddDocumentWindow(std::make_unique<CProgramDoc>(f.app->state()));
        QVERIFY(!frame->ActiveView()->initialiseButton()->isHidden());
    }
};

QTEST_MAIN(TestMainFrame)
#include "test_main_frame.moc"
