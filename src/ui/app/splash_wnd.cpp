// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/splash_wnd.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>

#include "core/document/app_directory.h"
#include "ui/app/ini_file.h"
#include "ui/app/ui_texts.h"

namespace kestra {

QPointer<CSplashWnd> CSplashWnd::current_;

CSplashWnd::CSplashWnd(const QPixmap& pixmap)
    : QSplashScreen(pixmap, Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    qApp->installEventFilter(this);
}

CSplashWnd::~CSplashWnd() {
    qApp->removeEventFilter(this);
}

CSplashWnd* CSplashWnd::ShowSplashScreen(const QString& appDirectory) {
    if (current_)
        return current_;
    // Only a regular file is loaded: a FIFO of that name would block start-up.
    const std::string path = FindProgramFile(ProgramFoldersFor(appDirectory.toStdString()), text::kSplashFile);
    const QPixmap pixmap = path.empty() ? QPixmap() : QPixmap(QString::fromStdString(path));
    if (pixmap.isNull())
        return nullptr;
    auto* splash = new CSplashWnd(pixmap);
    current_ = splash;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        splash->move(screen->geometry().center() - splash->rect().center());
    splash->show();
    splash->repaint();
    QTimer::singleShot(kShowMs, splash, &CSplashWnd::HideSplashScreen);
    return splash;
}

CSplashWnd* CSplashWnd::Current() {
    return current_.data();
}

void CSplashWnd::PauseWhileShown() {
    if (!current_)
        return;
    QEventLoop loop;
    QTimer::singleShot(kShowMs, &loop, &QEventLoop::quit);
    connect(current_.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
}

void CSplashWnd::HideSplashScreen() {
    if (CSplashWnd* splash = current_.data()) {
        current_.clear();
        splash->close();
    }
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        if (current_ == this && watched->isWidgetType()) {
            HideSplashScreen();
            return true;
        }
        break;
    default:
        break;
    }
    return QSplashScreen::eventFilter(watched, event);
}

} // namespace kestra
