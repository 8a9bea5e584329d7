#include "platform/mediabuttons.h"

#include "platform/mediacontrol.h"

namespace orvane {

MediaButtons::MediaButtons(MediaControl& control, MediaControlEvents& events)
    : m_control(control), m_events(events)
{
}

void MediaButtons::press(Button button)
{
    bool cancel = false;
    switch (button) {
    case Button::Next:
        m_events.MMControl1_NextClick(cancel);
        // Next has no action of its own on a single-file device.
        break;
    case Button::Play:
        m_events.MMControl1_PlayClick(cancel);
        if (!cancel)
            m_control.setCommand(m_control.mode() == MediaMode::Paused ? "resume" : "play");
        break;
    case Button::Pause:
        m_events.MMControl1_PauseClick(cancel);
        if (!cancel) {
            if (m_control.mode() == MediaMode::Paused)
                m_control.setCommand("resume");
            else if (m_control.mode() == MediaMode::Playing)
                m_control.setCommand("pause");
        }
        break;
    case Button::Stop:
        m_events.MMControl1_StopClick(cancel);
        if (!cancel)
            m_control.setCommand("stop");
        break;
    }
}

} // namespace orvane
