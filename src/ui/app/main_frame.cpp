// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "core/document/app_directory.h"
#include "ui/app/ini_file.h"
#include "ui/app/child_frame.h"
#include "ui/app/access_keys.h"
#include "ui/app/nav_tree_bar.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/document_history.h"
#include "ui/grid/program_view.h"

namespace kestra {

namespace {

// About how many characters of a path a recent-file entry shows.
constexpr int kRecentFileChars = 60;

} // namespace

QIcon CommandIcon(const char* name) {
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(QLatin1String(name)).arg(size),
                     QSize(size, size));
    return icon;
}

QIcon ApplicationIcon() {
    QIcon icon = CommandIcon("kestra");
    icon.addFile(QStringLiteral(":/icons/kestra-256.png"), QSize(256, 256));
    return icon;
}

CMainFrame::CMainFrame(AppState& state, QWidget* parent) : QMainWindow(parent), state_(state) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(T(text::kAppTitle));
    setWindowIcon(qApp->windowIcon());
    // .dat files dropped anywhere on the window open as documents.
    setAcceptDrops(true);

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    // Maximised, cascaded or tiled, the windows fit the area: a scroll bar
    // would only be left over from a window that went.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCentralWidget(mdi_);
    LoadBackground();
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        if (auto* child = qobject_cast<CChildFrame*>(w))
            MakeCurrent(child);
        UpdateCommands();
    });

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateTreeBar();
    UpdateCommands();
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // The parts report to the frame no more while they go.
    for (QObject* part : {static_cast<QObject*>(mdi_), static_cast<QObject*>(toolBar_),
                          static_cast<QObject*>(treeBar_)})
        disconnect(part, nullptr, this, nullptr);
    // Views convert their grids as they go, before the frame's parts vanish.
    for (CChildFrame* child : DocumentWindows())
        delete child;
}

QAction* CMainFrame::action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* CMainFrame::menu(MenuId id) const {
    const auto it = menus_.find(id);
    return it == menus_.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
    for (const CommandRow& row : CommandTable()) {
        if (!FindCommand(row.id))
            continue;
        auto* a = new QAction(WithAccessKey(T(row.text), CommandAccessKey(row.id)), this);
        a->setData(row.id);
        if (row.shortcut) {
            QList<QKeySequence> keys{
                QKeySequence(QLatin1String(row.shortcut), QKeySequence::PortableText)};
            if (row.altShortcut)
                keys.append(QKeySequence(QLatin1String(row.altShortcut), QKeySequence::PortableText));
            a->setShortcuts(keys);
            a->setShortcutContext(Qt::ApplicationShortcut);
        }
        if (row.icon)
            a->setIcon(CommandIcon(row.icon));
        a->setCheckable(row.checked != nullptr);
        const int id = row.id;
        connect(a, &QAction::triggered, this, [this, id] { emit commandTriggered(id); });
        // Shortcuts work whether or not the entry is in a visible menu.
        addAction(a);
        actions_[row.id] = a;
    }
}

void CMainFrame::CreateMenus() {
    for (const MenuRow& m : MenuTable())
        menus_[m.menu] = menuBar()->addMenu(WithAccessKey(T(m.text), MenuAccessKey(m.menu)));
    // F10 opens the menu bar on its first menu, as on other desktops.
    auto* f10 = new QAction(this);
    f10->setShortcut(QKeySequence(Qt::Key_F10));
    f10->setShortcutContext(Qt::WindowShortcut);
    connect(f10, &QAction::triggered, this, [this] {
        menuBar()->setFocus(Qt::ShortcutFocusReason);
        menuBar()->setActiveAction(menuBar()->actions().value(0));
    });
    addAction(f10);
    // F6 moves between the panes: the navigation tree and the grid.
    auto* f6 = new QAction(this);
    f6->setShortcut(QKeySequence(Qt::Key_F6));
    f6->setShortcutContext(Qt::WindowShortcut);
    connect(f6, &QAction::triggered, this, [this] {
        QTreeWidget* tree = treeBar_->tree();
        if (tree->hasFocus() || !treeBar_->isVisible()) {
            if (CChildFrame* child = ActiveChild())
                child->view()->table()->setFocus(Qt::ShortcutFocusReason);
        } else {
            tree->setFocus(Qt::ShortcutFocusReason);
        }
    });
    addAction(f6);
    connect(menu(MenuId::Window), &QMenu::aboutToShow, this, &CMainFrame::FillWindowMenu);
    for (const CommandRow& row : CommandTable()) {
        QMenu* m = menu(row.menu);
        if (!m || row.factory)
            continue;
        if (row.id == kIdSeparator) {
            m->addSeparator();
        } else if (row.id == kIdRecentFiles) {
            recentSeparator_ = m->addSeparator();
            for (int i = 0; i < kRecentFileCount; ++i) {
                auto* a = new QAction(this);
                a->setVisible(false);
                connect(a, &QAction::triggered, this,
                        [this, a] { emit recentFileChosen(a->data().toString()); });
                m->addAction(a);
                recentActions_.append(a);
            }
        } else if (row.submenu) {
            // A submenu's entries are one choice (radio items).
            QMenu*& sub = submenus_[row.submenu];
            if (!sub) {
                sub = m->addMenu(WithAccessKey(T(row.submenu), SubmenuAccessKey(row.submenu)));
                new QActionGroup(sub);
            }
            sub->findChild<QActionGroup*>()->addAction(action(row.id));
            sub->addAction(action(row.id));
        } else {
            m->addAction(action(row.id));
        }
    }
}

void CMainFrame::CreateToolBar() {
    toolBar_ = addToolBar(T(text::kViewToolbar));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The buttons by their group (new, open | save | read, write | print,
    // about | undo, redo), in the table's order within one.
    std::vector<const CommandRow*> buttons;
    for (const CommandRow& row : CommandTable())
        if (row.toolbarGroup != 0)
            buttons.push_back(&row);
    std::stable_sort(buttons.begin(), buttons.end(), [](const CommandRow* a, const CommandRow* b) {
        return a->toolbarGroup < b->toolbarGroup;
    });
    int group = 0;
    for (const CommandRow* button : buttons) {
        const CommandRow& row = *button;
        if (group != 0 && row.toolbarGroup != group)
            toolBar_->addSeparator();
        group = row.toolbarGroup;
        QAction* a = action(row.id);
        QString tip = WithoutAccessKey(a->text());
        tip.remove(QStringLiteral("..."));
        tip.remove(QStringLiteral("…"));
        if (!a->shortcut().isEmpty())
            tip += QStringLiteral(" (%1)").arg(a->shortcut().toString(QKeySequence::NativeText));
        a->setToolTip(tip);
        toolBar_->addAction(a);
    }
    connect(toolBar_, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateCommands);
}

void CMainFrame::CreateStatusBar() {
    status_ = statusBar();
    message_ = new QLabel(T(text::kReady), this);
    message_->setObjectName(QStringLiteral("messagePane"));
    message_->setIndent(4);
    status_->addWidget(message_, 1);
    virtualRadio_ = new QLabel(T(text::kVirtualRadioPane), this);
    virtualRadio_->setObjectName(QStringLiteral("virtualRadioPane"));
    virtualRadio_->setFrameShape(QFrame::StyledPanel);
    virtualRadio_->setFrameShadow(QFrame::Sunken);
    virtualRadio_->setIndent(4);
    status_->addPermanentWidget(virtualRadio_);
    virtualRadio_->hide();
    const char* names[3] = {text::kIndicatorCaps, text::kIndicatorNum, text::kIndicatorScroll};
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(T(names[i]), this);
        pane->setObjectName(QStringLiteral("indicator%1").arg(names[i]));
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 16);
        status_->addPermanentWidget(pane);
        indicators_[i] = pane;
    }
    UpdateIndicators(locks_);
}

void CMainFrame::ShowVirtualRadio(const QString& device) {
    virtualRadio_->setToolTip(T(text::kVirtualRadioPaneTip).arg(device));
    virtualRadio_->setAccessibleDescription(virtualRadio_->toolTip());
    virtualRadio_->setVisible(!device.isEmpty());
}

void CMainFrame::CreateTreeBar() {
    std::vector<CNavTreeBar::Item> items;
    for (const CommandRow& row : CommandTable())
        if (row.inTree)
            items.push_back({row.id, T(row.text)});
    treeBar_ = new CNavTreeBar(QString::fromStdString(state_.modelName), items, this);
    addDockWidget(Qt::LeftDockWidgetArea, treeBar_);
    resizeDocks({treeBar_}, {treeBar_->FittingWidth()}, Qt::Horizontal);
    connect(treeBar_, &CNavTreeBar::commandChosen, this, [this](int id) {
        if (action(id)->isEnabled())
            emit commandTriggered(id);
    });
    connect(treeBar_, &QDockWidget::visibilityChanged, this, &CMainFrame::UpdateCommands);
}

void CMainFrame::LoadBackground() {
    // The tile next to the program wins; otherwise the built-in one.
    // Only a regular file is loaded: a FIFO of that name would block start-up.
    const std::string path = FindProgramFile(ProgramFoldersFor(state_.appDirectory), text::kBackgroundFile);
    QPixmap tile = path.empty() ? QPixmap() : QPixmap(QString::fromStdString(path));
    if (tile.isNull())
        tile.load(QStringLiteral(":/background.png"));
    mdi_->setBackground(QBrush(tile));
}

CChildFrame* CMainFrame::AddDocumentWindow(std::unique_ptr<CProgramDoc> doc) {
    // The document's image goes into the AppState before its view renders
    // it; the current document keeps its own.
    LeaveCurrent(ActiveChild());
    doc->UnparkImage();
    auto* child = new CChildFrame(state_, std::move(doc));
    current_ = child;
    connect(child->view(), &CProgramView::factoryUnlocked, this,
            &CMainFrame::AppendFactoryMenuItems);
    connect(child->view(), &CProgramView::exchangeReported, this, &CMainFrame::ShowStatusMessage);
    connect(child, &CChildFrame::closeRequested, this, [this, child] {
        if (!closeGuard_ || closeGuard_(child))
            DestroyDocumentWindow(child);
    });
    connect(child, &QMdiSubWindow::windowTitleChanged, this, &CMainFrame::UpdateCaption);
    connect(child->document(), &CProgramDoc::titleChanged, this, &CMainFrame::NumberCopies);
    connect(child->view()->history(), &DocumentHistory::stateChanged, this,
            &CMainFrame::UpdateCommands);
    mdi_->addSubWindow(child);
    // The restored size fits the form, at the corner; the window opens
    // maximised over the whole area.
    child->setGeometry(0, 0, CChildFrame::kInitialWidth, CChildFrame::kInitialHeight);
    // (A new window may come up maximised already, as the others are: it is
    // sized in its normal state first, or it would stay maximised at the
    // size it was given.)
    child->show();
    child->showNormal();
    child->FitToForm();
    child->showMaximized();
    mdi_->setActiveSubWindow(child);
    child->view()->table()->setFocus();
    NumberCopies();
    UpdateCommands();
    return child;
}

void CMainFrame::MakeCurrent(CChildFrame* child) {
    CChildFrame* before = qobject_cast<CChildFrame*>(current_.data());
    if (child == before)
        return;
    LeaveCurrent(before);
    current_ = child;
    if (child)
        child->document()->UnparkImage();
}

// The documents share the application's image: the one that stops being
// current takes its image back, with the text of a cell still being edited
// (that text belongs to it; committed later, once the focus has moved, it
// went into the next document's image and its undo step).
void CMainFrame::LeaveCurrent(CChildFrame* before) {
    if (!before)
        return;
    before->view()->table()->CommitAndCloseEditor();
    before->document()->ParkImage();
}

void CMainFrame::DestroyDocumentWindow(CChildFrame* child) {
    if (!child)
        return;
    // The document is done with: its grid stays out of the image, which the
    // next current document takes over.
    child->view()->DiscardGridOnDestroy();
    const bool maximised = child->isMaximized();
    if (current_.data() == child)
        current_ = nullptr;
    mdi_->removeSubWindow(child);
    // The window may be closing from inside its own event handler (its
    // close box): it goes once that handler has returned.
    child->hide();
    child->deleteLater();
    if (!ActiveChild()) {
        const QList<QMdiSubWindow*> history =
            mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
        for (auto it = history.rbegin(); it != history.rend(); ++it) {
            if (auto* next = qobject_cast<CChildFrame*>(*it)) {
                ShowChild(next);
                break;
            }
        }
    }
    NumberCopies();
    // The window that takes over fills the area as the closed one did.
    if (CChildFrame* next = ActiveChild(); next && maximised) {
        next->showNormal();
        next->showMaximized();
    }
    UpdateCommands();
}

QList<CChildFrame*> CMainFrame::DocumentWindows() const {
    QList<CChildFrame*> list;
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (auto* child = qobject_cast<CChildFrame*>(w))
            list.append(child);
    return list;
}

CChildFrame* CMainFrame::ActiveChild() const {
    return qobject_cast<CChildFrame*>(current_.data());
}

CProgramView* CMainFrame::ActiveView() const {
    CChildFrame* child = ActiveChild();
    return child ? child->view() : nullptr;
}

void CMainFrame::ShowChannels() {
    ShowChild(ActiveChild());
}

void CMainFrame::ShowChild(CChildFrame* child) {
    if (!child)
        return;
    if (child->isMinimized()) {
        child->showNormal();
        child->showMaximized();
    } else {
        child->show();
    }
    MakeCurrent(child);
    mdi_->setActiveSubWindow(child);
    child->view()->table()->setFocus();
    UpdateCommands();
}

void CMainFrame::ArrangeDocumentWindows(bool tile) {
    if (!tile) {
        mdi_->cascadeSubWindows();
        return;
    }
    // The toolkit's tiling makes the main window larger, past the screen's
    // edge, when the tiles would be narrower than the windows can be: the
    // tiles share the area as it is, in as many columns as fit side by side
    // (rows may then overlap a little).
    QList<CChildFrame*> shown;
    for (CChildFrame* child : DocumentWindows())
        if (!child->isMinimized())
            shown.append(child);
    if (shown.isEmpty())
        return;
    const QRect area = mdi_->viewport()->rect();
    const int n = static_cast<int>(shown.size());
    const int narrowest = std::max(1, shown.front()->minimumSizeHint().width());
    const int columns =
        std::clamp(area.width() / narrowest, 1, static_cast<int>(std::ceil(std::sqrt(double(n)))));
    const int rows = (n + columns - 1) / columns;
    for (int i = 0; i < n; ++i) {
        const int row = i / columns, column = i % columns;
        const int left = area.width() * column / columns,
                  right = area.width() * (column + 1) / columns;
        const int top = area.height() * row / rows, bottom = area.height() * (row + 1) / rows;
        shown[i]->showNormal();
        shown[i]->setGeometry(left, top, right - left, bottom - top);
    }
}

void CMainFrame::ActivateNextDocument(int step) {
    const QList<CChildFrame*> list = DocumentWindows();
    if (list.isEmpty())
        return;
    const int at = std::max(0, static_cast<int>(list.indexOf(ActiveChild())));
    const int n = static_cast<int>(list.size());
    ShowChild(list[((at + step) % n + n) % n]);
}

void CMainFrame::FillWindowMenu() {
    QMenu* m = menu(MenuId::Window);
    for (QAction* a : windowActions_) {
        m->removeAction(a);
        a->deleteLater();
    }
    windowActions_.clear();
    const QList<CChildFrame*> list = DocumentWindows();
    if (!list.isEmpty())
        windowActions_.append(m->addSeparator());
    for (int i = 0; i < list.size(); ++i) {
        CChildFrame* child = list[i];
        QString name = child->windowTitle();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* a = m->addAction(i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(name) : name);
        a->setCheckable(true);
        a->setChecked(child == ActiveChild());
        connect(a, &QAction::triggered, this, [this, child] {
            if (DocumentWindows().contains(child))
                ShowChild(child);
        });
        windowActions_.append(a);
    }
}

void CMainFrame::AppendFactoryMenuItems() {
    for (CChildFrame* child : DocumentWindows())
        child->view()->ShowInitialiseButton();
    for (const CommandRow& row : CommandTable()) {
        QMenu* m = menu(row.menu);
        if (row.factory && m && !m->actions().contains(action(row.id)))
            m->addAction(action(row.id));
    }
    UpdateCommands();
}

void CMainFrame::SetRecentFiles(const QStringList& files) {
    menu(MenuId::File)->setToolTipsVisible(true); // the whole path of an entry
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* a = recentActions_[i];
        if (i < files.size()) {
            // A long path gives up its middle; an & in it is no access key.
            const QString path = QDir::toNativeSeparators(files[i]);
            const QFontMetrics metrics(menu(MenuId::File)->font());
            QString shown = metrics.elidedText(path, Qt::ElideMiddle,
                                               metrics.averageCharWidth() * kRecentFileChars);
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
            a->setToolTip(path);
            a->setData(files[i]);
            a->setVisible(true);
        } else {
            a->setVisible(false);
        }
    }
    recentSeparator_->setVisible(!files.isEmpty());
}

void CMainFrame::ShowStatusMessage(const QString& text) {
    status_->showMessage(text, kStatusMessageMs);
}

void CMainFrame::UpdateCommands() {
    UpdateCaption();
    for (const CommandRow& row : CommandTable()) {
        QAction* a = action(row.id);
        if (!a)
            continue;
        a->setEnabled(row.handler && row.enabled(*this));
        if (row.checked)
            a->setChecked(row.checked(*this));
    }
}

void CMainFrame::UpdateIndicators(const LockKeyState& state) {
    const bool on[3] = {state.caps, state.num, state.scroll};
    for (int i = 0; i < 3; ++i)
        indicators_[i]->setEnabled(on[i]);
}

QString CMainFrame::Caption() const {
    CChildFrame* child = ActiveChild();
    if (!child)
        return T(text::kAppTitle);
    return T(text::kCaptionWithDocument).arg(T(text::kAppTitle), child->windowTitle());
}

// Windows of the same file are told apart by a number ("a.dat:1", "a.dat:2").
void CMainFrame::NumberCopies() {
    const QList<CChildFrame*> list = DocumentWindows();
    for (CChildFrame* child : list) {
        const QString path = child->document()->PathName();
        int number = 0, copies = 0;
        for (CChildFrame* other : list) {
            if (!path.isEmpty() && other->document()->PathName() == path) {
                ++copies;
                if (other == child)
                    number = copies;
            }
        }
        child->SetCopyNumber(copies > 1 ? number : 0);
    }
}

void CMainFrame::UpdateCaption() {
    const QString caption = Caption();
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // A maximised document window puts its name into the caption in its own
    // way; the caption keeps the form above.
    if (event->type() == QEvent::WindowTitleChange)
        UpdateCaption();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (exitGuard_ && !exitGuard_()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const LockKeyState now = QueryLockKeys(static_cast<QKeyEvent*>(event), locks_);
        if (now.caps != locks_.caps || now.num != locks_.num || now.scroll != locks_.scroll) {
            locks_ = now;
            UpdateIndicators(locks_);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    treeBar_->SetFrameWidth(width());
}

namespace {

// The local files a drag carries that it lets us copy; empty when it
// carries anything else. A drop is always a copy: a file manager told of a
// move would remove the file.
QStringList DroppedFiles(const QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    QStringList paths;
    if (!data || !data->hasUrls() || !(event->possibleActions() & Qt::CopyAction))
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFiles(event).isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList paths = DroppedFiles(event);
    if (paths.isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Opened once the drag has ended: a message about a file must not wait
    // inside the drag of another program.
    QTimer::singleShot(0, this, [this, paths] { emit filesDropped(paths); });
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A dock's width set before the window is first laid out is lost to
    // that layout (a large font then cut the tree's texts).
    if (!treeSized_) {
        treeSized_ = true;
        resizeDocks({treeBar_}, {treeBar_->FittingWidth()}, Qt::Horizontal);
    }
}

} // namespace kestra
