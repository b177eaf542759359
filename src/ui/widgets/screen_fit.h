// SPDX-License-Identifier: GPL-3.0-or-later
// Windows that open no larger than the screen they are on (a 1024 x 768
// screen, or a large one scaled by two, has room for less than a dialog may
// want).
#pragma once

class QScrollArea;
class QSize;
class QWidget;

namespace kestra {

// Resizes window to want, or to the room its screen has where that is less.
void ResizeWithinScreen(QWidget* window, const QSize& want);

// A frameless scroll area for content that may not fit the screen: the
// window's layout takes it, and FitContent sizes the window.
QScrollArea* NewContentArea(QWidget* content, QWidget* window);
// Resizes window so that the area shows its whole content, within the
// screen (the area scrolls where the screen has less room).
void FitContent(QWidget* window, QScrollArea* area);

} // namespace kestra
