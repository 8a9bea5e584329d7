#pragma once

namespace orvane {

class MediaControl;
class MediaControlEvents;

// The media control's four transport buttons: each press raises its event and then, unless
// the handler set Cancel, does the button's own action on the control.
class MediaButtons
{
public:
    enum class Button { Next, Play, Pause, Stop };

    MediaButtons(MediaControl& control, MediaControlEvents& events);

    void press(Button button);

private:
    MediaControl& m_control;
    MediaControlEvents& m_events;
};

} // namespace orvane
