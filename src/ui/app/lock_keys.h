// SPDX-License-Identifier: GPL-3.0-or-later
// The state of the Caps Lock, Num Lock and Scroll Lock keys, for the status
// bar indicators. Where the platform tells only through key events, the state
// is taken from the last key event seen.
#pragma once

class QKeyEvent;

namespace kestra {

struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The current state; event (may be null) is the key event being delivered.
LockKeyState QueryLockKeys(const QKeyEvent* event, const LockKeyState& previous);

} // namespace kestra
