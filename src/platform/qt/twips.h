#pragma once

#include <QRect>

namespace orvane {

// The windows are designed in twips, 1440 to the inch: 15 to a pixel at 96 pixels per inch.
inline constexpr int kTwipsPerPixel = 15;

// A place and size given in twips, in pixels.
constexpr QRect fromTwips(int left, int top, int width, int height)
{
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

} // namespace orvane
