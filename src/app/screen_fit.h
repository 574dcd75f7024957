#pragma once
// How much of the form a window can show on a screen: all of it at its own
// size when it fits, else as much as the screen's free area takes, with
// scroll bars along the sides that do not fit.

#include <QMargins>
#include <QRect>
#include <QSize>

namespace vek::app {

struct ScreenFit {
    QSize window;         // the window's client size
    bool across = false;  // a horizontal scroll bar is needed
    bool down = false;    // a vertical one
};

// `form` at its own size; `available` the screen's free area; `frame` what
// the window system puts around the client area; `bar` a scroll bar's width.
ScreenFit fitForm(const QSize& form, const QRect& available, const QMargins& frame, int bar);

}  // namespace vek::app
