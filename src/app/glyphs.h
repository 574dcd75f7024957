#pragma once
#include <QIcon>
#include <QPixmap>

namespace vek::app {

// The connect button's two 51 x 51 glyphs: 0 while connected (plug in the
// socket), 1 while disconnected (plug out).
QPixmap connectGlyph(int index);
QIcon windowIcon();

}  // namespace vek::app
