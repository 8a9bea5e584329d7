#pragma once

#include <QFont>

namespace orvane {

// "MS Sans Serif" 8.25 pt, the font of the controls; the platform's sans when the font is
// not installed.
QFont controlFont();
// "MS Sans Serif" 9.75 pt, the font of the now-playing text boxes.
QFont displayFont();

} // namespace orvane
