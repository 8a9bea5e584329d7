#pragma once

#include <optional>
#include <string>

namespace orvane {

// Why the windows could not be shown, in one line, when Qt would use X11 (QT_QPA_PLATFORM
// unset or "xcb") and no X server answers at DISPLAY, nor is a Wayland display named; nothing
// when a display is there or another platform is chosen. Qt itself would abort. Call before
// the application object is made.
std::optional<std::string> displayProblem();

} // namespace orvane
