// SPDX-License-Identifier: GPL-3.0-or-later
// CSplashWnd: the splash screen "startup.bmp" from the program's directory,
// shown while the program starts. It hides after 1000 ms, or at once on any
// key or mouse button press, which it consumes. Without the bitmap there is
// no splash (and no pause).
#pragma once

#include <QPointer>
#include <QSplashScreen>

namespace kestra {

class CSplashWnd : public QSplashScreen {
    Q_OBJECT
public:
    static constexpr int kShowMs = 1000;

    // Shows the splash when its bitmap can be loaded; returns it (or null).
    static CSplashWnd* ShowSplashScreen(const QString& appDirectory);
    // The splash that is up, if any.
    static CSplashWnd* Current();
    // Start-up's pause while the splash is up (at most kShowMs).
    static void PauseWhileShown();
    static void HideSplashScreen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CSplashWnd(const QPixmap& pixmap);
    ~CSplashWnd() override;

    static QPointer<CSplashWnd> current_;
};

} // namespace kestra
