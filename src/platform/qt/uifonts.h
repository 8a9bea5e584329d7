#pragma once

#include <QFont>

namespace orvane {

// The program's faces are chosen once, for the screens' device pixel ratio when first asked
// (after the application object exists): "MS Sans Serif", a bitmap face, at a ratio of 1; a
// scalable sans face sized to match it at other ratios, where the bitmap would keep its 1x
// glyphs; the platform's sans when the bitmap face is not installed.

// The font of the controls (8.25 pt "MS Sans Serif").
QFont controlFont();
// The font of the now-playing text boxes (9.75 pt "MS Sans Serif").
QFont displayFont();

} // namespace orvane
