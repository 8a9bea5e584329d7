#pragma once

namespace orvane {

// The media control's four transport buttons.
enum class MediaButton { Next, Play, Pause, Stop };

// Presses the transport buttons, from the window's button bar or from outside it.
class TransportButtons
{
public:
    virtual ~TransportButtons() = default;

    // Raises the button's click event and then, unless its handler set Cancel, does the
    // button's own action on the media control.
    virtual void press(MediaButton button) = 0;
};

} // namespace orvane
