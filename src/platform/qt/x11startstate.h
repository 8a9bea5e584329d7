#pragma once

class QWidget;

namespace orvane {

// Asks an X11 window manager to map `window` iconic from its first map, through the start
// state of its WM_HINTS: Qt maps a top-level window that is to start minimised as a normal
// one. Call before the window is first shown; false when the platform is not X11.
bool requestIconicStart(QWidget& window);

} // namespace orvane
