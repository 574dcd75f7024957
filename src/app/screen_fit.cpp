#include "app/screen_fit.h"

#include <algorithm>

namespace vek::app {

ScreenFit fitForm(const QSize& form, const QRect& available, const QMargins& frame, int bar) {
    const int maxWidth = available.width() - frame.left() - frame.right();
    const int maxHeight = available.height() - frame.top() - frame.bottom();
    ScreenFit fit;
    fit.across = form.width() > maxWidth;
    fit.down = form.height() > maxHeight;
    // One scroll bar takes room the other side may then lack.
    if (fit.down && form.width() + bar > maxWidth) fit.across = true;
    if (fit.across && form.height() + bar > maxHeight) fit.down = true;
    fit.window = QSize(std::min(form.width() + (fit.down ? bar : 0), maxWidth),
                       std::min(form.height() + (fit.across ? bar : 0), maxHeight));
    return fit;
}

}  // namespace vek::app
