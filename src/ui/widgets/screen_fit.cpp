// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/screen_fit.h"

#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>

namespace kestra {

namespace {

// What the window manager's frame and a panel take, roughly: the room left
// for the window itself.
constexpr int kFrameRoom = 64;

// The room a window has on its screen.
QSize ScreenRoom(const QWidget* window, const QSize& want) {
    if (const QScreen* screen = window->screen())
        return screen->availableGeometry().size() - QSize(kFrameRoom / 2, kFrameRoom);
    return want;
}

} // namespace

void ResizeWithinScreen(QWidget* window, const QSize& want) {
    window->resize(want.boundedTo(ScreenRoom(window, want)).expandedTo(window->minimumSizeHint()));
}

QScrollArea* NewContentArea(QWidget* content, QWidget* window) {
    auto* area = new QScrollArea(window);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus); // its fields take the focus, not the area
    area->setWidgetResizable(true);
    area->setWidget(content);
    return area;
}

void FitContent(QWidget* window, QScrollArea* area) {
    // Sizes set a moment ago reach the layouts' hints only when they are
    // worked out again.
    for (QWidget* w : {area->widget(), window})
        if (QLayout* layout = w->layout()) {
            layout->invalidate();
            layout->activate();
        }
    // The window's own parts round the area, and the whole content.
    const QSize around = (window->sizeHint() - area->sizeHint()).expandedTo(QSize(0, 0));
    QSize want = around + area->widget()->sizeHint();
    // A scroll bar where the screen cuts the content takes room of its own.
    const QSize room = ScreenRoom(window, want);
    const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (want.width() > room.width())
        want.rheight() += bar;
    if (want.height() > room.height())
        want.rwidth() += bar;
    ResizeWithinScreen(window, want);
}

} // namespace kestra
