#pragma once

class QApplication;

namespace orvane {

// Pins the widget style (Fusion) and its own palette, so the windows look the same on every
// desktop and in screenshots, and loads the program's font.
void applyOrvaneStyle(QApplication& app);

} // namespace orvane
