#include "ui/app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include "core/document/app_directory.h"
#include "ui/app/child_frame.h"
#include "ui/app/ini_file.h"
#include "ui/app/nav_tree_bar.h"
#include "ui/dialogs/port_setup_dlg.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/program_view.h"

namespace kestra {

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

CMainFrame::CMainFrame(AppState& state, CIniFile& ini, QWidget* parent)
    : QMainWindow(parent), state_(state), ini_(ini) {
    setObjectName(QStringLiteral("mainFrame"));
    // The caption is the application title only, never a document name.
    setWindowTitle(T(text::kAppTitle));
    setWindowIcon(qApp->windowIcon());

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    LoadBackground();
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        if (qobject_cast<CChildFrame*>(w))
            current_ = w;
        UpdateCommands();
    });

    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateTreeBar();
    UpdateCommands();
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    disconnect(mdi_, nullptr, this, nullptr);
    // Views convert their grids as they go, before the frame's parts vanish.
    for (CChildFrame* child : DocumentWindows())
        delete child;
}

QAction* CMainFrame::action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QAction* CMainFrame::AddAction(QMenu* menu, int id, const char* text, const QKeySequence& key,
                               const char* icon) {
    auto* a = new QAction(T(text), this);
    a->setData(id);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::ApplicationShortcut);
    }
    if (icon)
        a->setIcon(CommandIcon(icon));
    if (menu)
        menu->addAction(a);
    actions_[id] = a;
    return a;
}

void CMainFrame::CreateMenus() {
    fileMenu_ = menuBar()->addMenu(T(text::kMenuFile));
    AddAction(fileMenu_, kIdFileNew, text::kFileNew, QKeySequence(Qt::CTRL | Qt::Key_N), "new");
    AddAction(fileMenu_, kIdFileOpen, text::kFileOpen, QKeySequence(Qt::CTRL | Qt::Key_O), "open");
    AddAction(fileMenu_, kIdFileClose, text::kFileClose);
    AddAction(fileMenu_, kIdFileSave, text::kFileSave, QKeySequence(Qt::CTRL | Qt::Key_S), "save");
    AddAction(fileMenu_, kIdFileSaveAs, text::kFileSaveAs);
    recentSeparator_ = fileMenu_->addSeparator();
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* a = new QAction(this);
        a->setVisible(false);
        connect(a, &QAction::triggered, this,
                [this, a] { emit recentFileChosen(a->data().toString()); });
        fileMenu_->addAction(a);
        recentActions_.append(a);
    }
    fileMenu_->addSeparator();
    AddAction(fileMenu_, kIdFilePrintSetup, text::kFilePrintSetup);
    fileMenu_->addSeparator();
    QAction* exit = AddAction(fileMenu_, kIdAppExit, text::kFileExit);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    AddAction(nullptr, kIdFilePrint, text::kFilePrint, QKeySequence(), "print");

    editMenu_ = menuBar()->addMenu(T(text::kMenuEdit));
    QAction* channels = AddAction(editMenu_, kIdEditChannels, text::kEditChannels);
    connect(channels, &QAction::triggered, this, &CMainFrame::ShowChannels);
    // Their dialogs come with later work.
    AddAction(editMenu_, kIdEditOptional, text::kEditOptional)->setEnabled(false);
    AddAction(editMenu_, kIdEditDtmf, text::kEditDtmf)->setEnabled(false);
    AddAction(editMenu_, kIdEditModel, text::kEditModel)->setEnabled(false);
    AddAction(editMenu_, kIdEditFmRadio, text::kEditFmRadio)->setEnabled(false);

    QMenu* program = menuBar()->addMenu(T(text::kMenuProgram));
    QAction* read =
        AddAction(program, kIdRead, text::kProgramRead, QKeySequence(Qt::CTRL | Qt::Key_R), "read");
    QAction* write = AddAction(program, kIdWrite, text::kProgramWrite,
                               QKeySequence(Qt::CTRL | Qt::Key_W), "write");
    connect(read, &QAction::triggered, this, [this] {
        if (CProgramView* view = ActiveView())
            view->OnRead();
    });
    connect(write, &QAction::triggered, this, [this] {
        if (CProgramView* view = ActiveView())
            view->OnWrite();
    });

    QMenu* setup = menuBar()->addMenu(T(text::kMenuSetup));
    QAction* port = AddAction(setup, kIdPortSetup, text::kSetupPort);
    connect(port, &QAction::triggered, this, &CMainFrame::OnPortSetup);

    // "视图" is filled once the bars exist.
    menuBar()->addMenu(T(text::kMenuView))->setObjectName(QStringLiteral("viewMenu"));

    QMenu* help = menuBar()->addMenu(T(text::kMenuHelp));
    AddAction(help, kIdAppAbout, text::kHelpAbout, QKeySequence(), "about");
}

void CMainFrame::CreateToolBar() {
    toolBar_ = addToolBar(T(text::kViewToolbar));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const struct {
        int id;
        const char* tip;
    } buttons[] = {
        {kIdFileNew, text::kFileNew},    {kIdFileOpen, nullptr}, {0, nullptr},
        {kIdFileSave, text::kFileSave},  {0, nullptr},           {kIdRead, text::kProgramRead},
        {kIdWrite, text::kProgramWrite}, {0, nullptr},           {kIdFilePrint, text::kFilePrint},
        {kIdAppAbout, nullptr}};
    for (const auto& b : buttons) {
        if (b.id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* a = action(b.id);
        QString tip = b.tip ? T(b.tip) : a->text();
        tip.remove(QStringLiteral("..."));
        if (!a->shortcut().isEmpty())
            tip += QStringLiteral(" (%1)").arg(a->shortcut().toString(QKeySequence::NativeText));
        a->setToolTip(tip);
        toolBar_->addAction(a);
    }
}

void CMainFrame::CreateStatusBar() {
    message_ = new QLabel(T(text::kReady), this);
    message_->setObjectName(QStringLiteral("messagePane"));
    message_->setIndent(4);
    statusBar()->addWidget(message_, 1);
    const char* names[3] = {text::kIndicatorCaps, text::kIndicatorNum, text::kIndicatorScroll};
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(T(names[i]), this);
        pane->setObjectName(QStringLiteral("indicator%1").arg(names[i]));
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 16);
        statusBar()->addPermanentWidget(pane);
        indicators_[i] = pane;
    }
    UpdateIndicators(locks_);
}

void CMainFrame::CreateTreeBar() {
    treeBar_ = new CNavTreeBar(QString::fromStdString(state_.modelName), this);
    addDockWidget(Qt::LeftDockWidgetArea, treeBar_);
    resizeDocks({treeBar_}, {CNavTreeBar::kInitialWidth}, Qt::Horizontal);
    connect(treeBar_, &CNavTreeBar::itemChosen, this, &CMainFrame::OnTreeItem);

    QAction* splitter = treeBar_->toggleViewAction();
    splitter->setText(T(text::kViewSplitter));
    splitter->setData(int(kIdViewSplitter));
    splitter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    splitter->setShortcutContext(Qt::ApplicationShortcut);
    addAction(splitter);
    actions_[kIdViewSplitter] = splitter;

    QAction* toolbar = toolBar_->toggleViewAction();
    toolbar->setText(T(text::kViewToolbar));
    toolbar->setData(int(kIdViewToolbar));
    actions_[kIdViewToolbar] = toolbar;

    auto* status = new QAction(T(text::kViewStatusBar), this);
    status->setCheckable(true);
    status->setChecked(true);
    status->setData(int(kIdViewStatusBar));
    connect(status, &QAction::toggled, statusBar(), &QWidget::setVisible);
    actions_[kIdViewStatusBar] = status;

    QMenu* view = menuBar()->findChild<QMenu*>(QStringLiteral("viewMenu"));
    view->addAction(toolbar);
    view->addAction(status);
    view->addAction(splitter);
}

void CMainFrame::LoadBackground() {
    // The tile next to the program wins; otherwise the built-in one.
    // Only a regular file is loaded: a FIFO of that name would block start-up.
    const std::string path = StartupFilePath(state_.appDirectory, text::kBackgroundFile);
    QPixmap tile = path.empty() ? QPixmap() : QPixmap(QString::fromStdString(path));
    if (tile.isNull())
        tile.load(QStringLiteral(":/background.png"));
    mdi_->setBackground(QBrush(tile));
}

CChildFrame* CMainFrame::AddDocumentWindow(std::unique_ptr<CProgramDoc> doc) {
    auto* child = new CChildFrame(state_, std::move(doc));
    mdi_->addSubWindow(child);
    child->move(0, 0);
    connect(child->view(), &CProgramView::factoryUnlocked, this,
            &CMainFrame::AppendFactoryMenuItems);
    child->show();
    child->FitToForm();
    mdi_->setActiveSubWindow(child);
    current_ = child;
    child->view()->table()->setFocus();
    UpdateCommands();
    return child;
}

void CMainFrame::DestroyDocumentWindow(CChildFrame* child) {
    if (!child)
        return;
    mdi_->removeSubWindow(child);
    delete child;
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
    if (auto* child = qobject_cast<CChildFrame*>(current_.data()))
        return child;
    const QList<CChildFrame*> list = DocumentWindows();
    return list.isEmpty() ? nullptr : list.last();
}

CProgramView* CMainFrame::ActiveView() const {
    CChildFrame* child = ActiveChild();
    return child ? child->view() : nullptr;
}

void CMainFrame::ShowChannels() {
    CChildFrame* child = ActiveChild();
    if (!child)
        return;
    child->showNormal();
    mdi_->setActiveSubWindow(child);
    child->view()->table()->setFocus();
}

void CMainFrame::AppendFactoryMenuItems() {
    for (CChildFrame* child : DocumentWindows())
        child->view()->ShowInitialiseButton();
    const QList<QAction*> items = editMenu_->actions();
    if (!items.isEmpty() && items.last()->data().toInt() == kIdDtmfInit)
        return;
    // Their dialogs come with later work.
    AddAction(editMenu_, kIdParamTuning, text::kEditParamTuning)->setEnabled(false);
    AddAction(editMenu_, kIdDtmfInit, text::kEditDtmfInit)->setEnabled(false);
}

void CMainFrame::SetRecentFiles(const QStringList& files) {
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* a = recentActions_[i];
        if (i < files.size()) {
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])));
            a->setData(files[i]);
            a->setVisible(true);
        } else {
            a->setVisible(false);
        }
    }
    recentSeparator_->setVisible(!files.isEmpty());
}

void CMainFrame::OnTreeItem(const QString& label) {
    if (label == T(text::kTreeChannels)) {
        ShowChannels();
    } else if (label == T(text::kTreeOptional)) {
        if (action(kIdEditOptional)->isEnabled())
            action(kIdEditOptional)->trigger();
    } else if (label == T(text::kTreeDtmf)) {
        if (action(kIdEditDtmf)->isEnabled())
            action(kIdEditDtmf)->trigger();
    }
}

void CMainFrame::OnPortSetup() {
    CPortSetupDlg dialog(state_, ini_, this);
    dialog.exec();
}

void CMainFrame::UpdateCommands() {
    const bool haveDocument = ActiveChild() != nullptr;
    for (int id : {kIdFileClose, kIdFileSave, kIdFileSaveAs, kIdRead, kIdWrite, kIdFilePrint,
                   kIdEditChannels})
        action(id)->setEnabled(haveDocument);
}

void CMainFrame::UpdateIndicators(const LockKeyState& state) {
    const bool on[3] = {state.caps, state.num, state.scroll};
    for (int i = 0; i < 3; ++i)
        indicators_[i]->setEnabled(on[i]);
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

} // namespace kestra
