// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/lock_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kestra {

LockKeyState QueryLockKeys(const QKeyEvent* event, const LockKeyState& previous) {
#ifdef _WIN32
    Q_UNUSED(event);
    Q_UNUSED(previous);
    LockKeyState s;
    s.caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
    s.num = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    s.scroll = (GetKeyState(VK_SCROLL) & 1) != 0;
    return s;
#else
    LockKeyState s = previous;
    if (!event || event->type() != QEvent::KeyPress)
        return s;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"))) {
        // X11 and xkb modifier state: Lock (caps) and Mod2 (num lock). The
        // state is the one before this event, so a lock key flips it.
        const quint32 mods = event->nativeModifiers();
        s.caps = (mods & 0x02) != 0;
        s.num = (mods & 0x10) != 0;
        if (event->key() == Qt::Key_CapsLock)
            s.caps = !s.caps;
        else if (event->key() == Qt::Key_NumLock)
            s.num = !s.num;
    }
    if (event->key() == Qt::Key_ScrollLock && !event->isAutoRepeat())
        s.scroll = !previous.scroll;
    return s;
#endif
}

} // namespace kestra
