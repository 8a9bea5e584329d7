#pragma once

#include "platform/transportbuttons.h"

namespace orvane {

class MediaControl;
class MediaControlEvents;

// The media control's four transport buttons: each press raises its event and then, unless
// the handler set Cancel, does the button's own action on the control.
class MediaButtons : public TransportButtons
{
public:
    MediaButtons(MediaControl& control, MediaControlEvents& events);

    void press(MediaButton button) override;

private:
    MediaControl& m_control;
    MediaControlEvents& m_events;
};

} // namespace orvane
