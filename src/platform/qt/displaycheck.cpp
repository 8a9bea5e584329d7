#include "platform/qt/displaycheck.h"

#include <cstdlib>
#include <string_view>
#include <xcb/xcb.h>

namespace orvane {

namespace {

std::string_view environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::optional<std::string> displayProblem()
{
    const std::string_view platform = environment("QT_QPA_PLATFORM");
    if (!platform.empty() && platform != "xcb")
        return std::nullopt; // Wayland, offscreen, or a list of them: Qt's choice
    if (platform.empty() && !environment("WAYLAND_DISPLAY").empty())
        return std::nullopt;
    const std::string_view display = environment("DISPLAY");
    if (display.empty())
        return std::string("no display: DISPLAY is not set; start it in a desktop session");
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (answers)
        return std::nullopt;
    return "no display: no X server answers at DISPLAY=" + std::string(display);
}

} // namespace orvane
