// SPDX-License-Identifier: GPL-3.0-or-later
// Shared helpers of the desktop application's widget tests: a temporary
// program directory, a driver for modal dialogs, and a started application
// with both.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "core/document/dat_file.h"
#include "core/document/default_image.h"
#include "core/image/finalize.h"
#include "link/virtual_radio.h"
#include "support/form_images.h"
#include "support/image_bytes.h"
#include "ui/app/access_keys.h"
#include "ui/app/backup_folder.h"
#include "ui/app/child_frame.h"
#include "ui/app/main_frame.h"
#include "ui/app/program_app.h"
#include "ui/dialogs/batch_channel_dlg.h"
#include "ui/dialogs/comm_dlg.h"
#include "ui/grid/cell_delegates.h"
#include "ui/grid/channel_table_model.h"
#include "ui/grid/channel_table_view.h"
#include "ui/grid/program_view.h"

namespace kestra::test {

// Application names, per-user settings and the backup folder of this test
// process alone, so that test executables running side by side do not see
// each other's recent-file lists, settings or backups; a home of its own, so
// that Qt's test locations (~/.qttest) and caches never reach the real one.
inline void InitTestApplication() {
    static QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("KestraTest"));
    QCoreApplication::setApplicationName(
        QStringLiteral("kestra-test-%1").arg(QCoreApplication::applicationPid()));
    QApplication::setWindowIcon(ApplicationIcon());
    static QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
}

// The backups of the exchanges stay out of the user's data folder too: the
// states of a test keep them here unless they name a folder of their own.
inline QString TestBackupFolder() {
    static QTemporaryDir dataDir;
    return dataDir.filePath(QStringLiteral("backups"));
}

// A program directory of its own for each test: Program.ini, Default.dat and
// the bitmaps are looked for there.
struct AppDir {
    QTemporaryDir dir;
    QString path() const { return dir.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return dir.filePath(name); }
    // Writes a file of the directory (Program.ini, a .dat file, ...).
    void Write(const QString& name, const QByteArray& bytes) const {
        QVERIFY(WriteAll(file(name), bytes));
    }
    // Saves image as the .dat file name of the directory; returns its path.
    QString Dat(const QString& name, const RadioImage& image) const {
        const QString path = file(name);
        if (!SaveDatFile(path.toStdString(), image, nullptr))
            qWarning("cannot save %s", qPrintable(path));
        return path;
    }
};

// Clicks the button of a dialog that shows text (its access key aside).
inline bool ClickButton(QWidget* dialog, const QString& text) {
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
        if (WithoutAccessKey(b->text()) == text && b->isVisible() && b->isEnabled()) {
            b->click();
            return true;
        }
    }
    return false;
}

// Focuses a field and types text over what it holds, as a user does.
inline void TypeInto(QWidget* widget, const QString& text) {
    widget->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
    QTest::keyClicks(widget, text);
}

// Drives a grid with the keyboard from a script of words separated by spaces:
// "@row,col" gives the grid the focus on that cell, "<key>" presses a key as
// QKeySequence names it ("<Return>", "<Ctrl+Z>"), any other word is typed
// character by character. Keys go to whatever has the focus in the grid (its
// editor, say), else to the grid. Returns the current cell, "row,col", and
// the open editor's text after a '|'.
inline QString RunKeys(ChannelTableView* table, const QString& script) {
    const auto target = [table] {
        QWidget* focus = QApplication::focusWidget();
        return focus && table->isAncestorOf(focus) ? focus : table;
    };
    for (const QString& word : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.startsWith(QLatin1Char('@'))) {
            const QStringList at = word.mid(1).split(QLatin1Char(','));
            table->setFocus();
            table->SetCurrentCell(GridCell{at[0].toInt(), at[1].toInt()});
        } else if (word.startsWith(QLatin1Char('<'))) {
            const QKeyCombination key = QKeySequence::fromString(word.mid(1).chopped(1))[0];
            QTest::keyClick(target(), key.key(), key.keyboardModifiers());
        } else {
            for (QChar c : word)
                QTest::keyClick(target(), c.toLatin1());
        }
    }
    const GridCell at = table->CurrentCell();
    QString state = QStringLiteral("%1,%2").arg(at.row).arg(at.col);
    if (QWidget* editor = table->OpenEditor())
        state += QLatin1Char('|') + GridCellDelegate::EditorText(editor);
    return state;
}

// Sets the batch dialog to fill channels 1 to "to", named name and numbered.
inline void FillBatchRange(CBatchChannelDlg* d, const QString& to, const QString& name) {
    using forms::BatchChannelForm;
    d->binder().RadioButtons(BatchChannelForm::kRange)[BatchChannelForm::kFromChannel]->click();
    TypeInto(d->binder().Widget(BatchChannelForm::kTo), to);
    TypeInto(d->binder().Widget(BatchChannelForm::kName), name);
    d->binder().Widget(BatchChannelForm::kByNumber)->setFocus();
    static_cast<QCheckBox*>(d->binder().Widget(BatchChannelForm::kByNumber))->click();
}

// Types a file name into a file dialog's name field, as a user does.
inline void TypeFileName(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->setFocus();
    edit->setText(name);
}

// Saves what w shows into build/screenshots/name, for a person to look at.
inline void SaveScreenshot(QWidget* w, const QString& name) {
#ifdef KESTRA_SCREENSHOT_DIR
    const QDir out(QStringLiteral(KESTRA_SCREENSHOT_DIR));
    QVERIFY(out.mkpath(QStringLiteral(".")));
    QVERIFY2(w->grab().save(out.filePath(name)), qPrintable(name));
#else
    Q_UNUSED(w);
    Q_UNUSED(name);
#endif
}

// Handles modal dialogs as they appear, in order. Each handler receives the
// active modal widget and returns true once it has dealt with it; a handler
// that returns false is asked again with the next modal widget. A modal
// widget that no handler takes within the time limit is closed and counted
// as unexpected, so no test can hang on a dialog.
class ModalDriver : public QObject {
public:
    using Handler = std::function<bool(QWidget*)>;

    explicit ModalDriver(int limitMs = 20000) : limitMs_(limitMs) {
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(10);
    }

    void Expect(Handler handler) { handlers_.push_back(std::move(handler)); }
    // The next modal widget that is a D: act runs on it. An act that returns
    // false leaves it to be asked again.
    template <class D, class F> void On(F act) {
        Expect([act](QWidget* w) {
            auto* d = qobject_cast<D*>(w);
            if (!d)
                return false;
            if constexpr (std::is_void_v<std::invoke_result_t<F, D*>>) {
                act(d);
                return true;
            } else {
                return bool(act(d));
            }
        });
    }
    bool AllHandled() const { return handlers_.empty(); }
    int unexpected() const { return unexpected_; }
    const QStringList& messages() const { return messages_; }

    // A message box: records its text and presses the button showing
    // buttonText.
    void ExpectMessage(const QString& buttonText = QStringLiteral("确定")) {
        On<QMessageBox>([this, buttonText](QMessageBox* box) {
            messages_.append(box->text());
            return ClickButton(box, buttonText);
        });
    }

    // A file dialog: records the folder it starts in and its title, then
    // accepts the name typed into its name field, or cancels when name is empty.
    void ExpectFileDialog(const QString& name, QString* folder = nullptr,
                          QString* title = nullptr) {
        On<QFileDialog>([name, folder, title](QFileDialog* dialog) {
            if (folder)
                *folder = dialog->directory().absolutePath();
            if (title)
                *title = dialog->windowTitle();
            if (name.isEmpty()) {
                dialog->reject();
            } else {
                TypeFileName(dialog, name);
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            }
        });
    }

    // The progress dialog: records its title and presses "开始".
    void ExpectStart(QString* title = nullptr) {
        On<CCommDlg>([title](CCommDlg* dialog) {
            if (!dialog->startButton()->isEnabled())
                return false;
            if (title)
                *title = dialog->windowTitle();
            dialog->startButton()->click();
            return true;
        });
    }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            seen_.clear();
            return;
        }
        if (modal != seen_.data()) {
            seen_ = modal;
            since_.start();
            handled_ = false;
        }
        if (!handled_ && !handlers_.empty() && handlers_.front()(modal)) {
            handlers_.pop_front();
            handled_ = true;
            return;
        }
        if (since_.elapsed() > limitMs_) {
            ++unexpected_;
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                messages_.append(QStringLiteral("unexpected: ") + box->text());
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
            since_.start();
        }
    }

    QTimer timer_;
    std::deque<Handler> handlers_;
    QPointer<QWidget> seen_;
    QElapsedTimer since_;
    bool handled_ = false;
    int limitMs_;
    int unexpected_ = 0;
    QStringList messages_;
};

// Starts the application in a test program directory; the main frame is
// shown in its normal state.
inline std::unique_ptr<CProgramApp> StartApp(const AppDir& dir,
                                             QStringList arguments = QStringList()) {
    auto app = std::make_unique<CProgramApp>();
    StartOptions options;
    options.appDirectory = dir.path();
    arguments.prepend(QStringLiteral("kestra"));
    options.arguments = arguments;
    options.maximised = false;
    options.backupFolder = TestBackupFolder();
    if (app->InitInstance(options) >= 0)
        return nullptr;
    app->frame()->resize(1400, 860);
    return app;
}

// A started application in a program directory of its own, with a modal
// driver that is ready before start-up (for messages start-up shows).
//
//   AppFixture f;
//   QVERIFY(f.Start());
//   f.Trigger(kIdFileNew); // a dialog left unexpected fails the test
struct AppFixture {
    AppDir dir;
    ModalDriver driver;
    std::unique_ptr<CProgramApp> app;
    // No test leaves a dialog unexpected.
    ~AppFixture() { QCOMPARE(driver.unexpected(), 0); }

    bool Start(const QStringList& arguments = QStringList()) {
        app = StartApp(dir, arguments);
        return app != nullptr;
    }
    CMainFrame* frame() const { return app->frame(); }
    CChildFrame* child() const { return frame()->ActiveChild(); }
    CProgramView* view() const { return frame()->ActiveView(); }
    // The cell text of the active view's grid.
    std::string Cell(int row, int col) const { return view()->model()->grid().Text(row, col); }
    // Chooses a command as a menu entry does.
    void Trigger(int id) const { frame()->action(id)->trigger(); }
    // Types text into a grid cell's editor and commits it, as Enter does.
    void Type(int row, int col, const QString& text) const {
        QWidget* editor = view()->table()->StartEditAt(GridCell{row, col});
        QVERIFY(editor);
        QTest::keyClicks(editor, text);
        view()->table()->CommitAndCloseEditor();
    }
};

// A document view of its own over the built-in defaults, shown; its cells
// are driven as a user drives them.
struct ViewFixture {
    AppState state;
    std::unique_ptr<CProgramView> view;

    ViewFixture() {
        state.backupFolder = TestBackupFolder().toStdString();
        ApplyBuiltInDefaults(state.image);
        FinalizeImage(state.image, state.bandLimits);
        view = std::make_unique<CProgramView>(state);
        view->resize(760, 560);
        view->show();
        view->activateWindow();
    }
    ChannelTableView* table() const { return view->table(); }
    ChannelGrid& grid() const { return view->model()->grid(); }
    const std::string& Text(int row, int col) const { return grid().Text(row, col); }

    // A left click on a cell; returns the editor it opened.
    QWidget* Click(int row, int col) const {
        const QModelIndex index = view->model()->IndexOf(GridCell{row, col});
        table()->scrollTo(index);
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          table()->visualRect(index).center());
        return table()->OpenEditor();
    }
    // Clicks a cell, types text (replacing the selected text the editor
    // opens with) and presses Enter.
    void Type(int row, int col, const QString& text) const {
        QWidget* editor = Click(row, col);
        QVERIFY(editor);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!table()->OpenEditor());
    }
};

// Expects the next modal dialog to be a D, activates it and runs act on it.
template <class D> void ExpectDialog(AppFixture& f, std::function<void(D*)> act) {
    f.driver.On<D>([act](D* dialog) {
        QApplication::setActiveWindow(dialog);
        act(dialog);
    });
}

} // namespace kestra::test
