#include "platform/qt/x11startstate.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace orvane {

namespace {

// WM_HINTS as the ICCCM lays it out: nine 32-bit fields, the first a set of flags.
constexpr int kHintFields = 9;
constexpr std::uint32_t kStateHint = 1u << 1;
constexpr int kFlagsField = 0;
constexpr int kInitialStateField = 2;
constexpr std::uint32_t kIconicState = 3;

} // namespace

bool requestIconicStart(QWidget& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr)
        return false;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    // Keep the hints Qt has set (input, window group); add the start state.
    std::uint32_t hints[kHintFields] = {};
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, kHintFields);
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        const int bytes =
            std::min(xcb_get_property_value_length(reply), static_cast<int>(sizeof hints));
        if (reply->format == 32 && bytes > 0)
            std::memcpy(hints, xcb_get_property_value(reply), static_cast<std::size_t>(bytes));
        std::free(reply);
    }
    hints[kFlagsField] |= kStateHint;
    hints[kInitialStateField] = kIconicState;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS,
                        32, kHintFields, hints);
    return true;
}

} // namespace orvane
