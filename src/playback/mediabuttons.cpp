#include "playback/mediabuttons.h"

#include "platform/mediacontrol.h"

namespace orvane {

MediaButtons::MediaButtons(MediaControl& control, MediaControlEvents& events)
    : m_control(control), m_events(events)
{
}

void MediaButtons::press(MediaButton button)
{
    bool cancel = false;
    switch (button) {
    case MediaButton::Next:
        m_events.MMControl1_NextClick(cancel);
        // Next has no action of its own on a single-file device.
        break;
    case MediaButton::Play:
        m_events.MMControl1_PlayClick(cancel);
        if (!cancel)
            m_control.setCommand(m_control.mode() == MediaMode::Paused ? "resume" : "play");
        break;
    case MediaButton::Pause:
        m_events.MMControl1_PauseClick(cancel);
        if (!cancel) {
            if (m_control.mode() == MediaMode::Paused)
                m_control.setCommand("resume");
            else if (m_control.mode() == MediaMode::Playing)
                m_control.setCommand("pause");
        }
        break;
    case MediaButton::Stop:
        m_events.MMControl1_StopClick(cancel);
        if (!cancel)
            m_control.setCommand("stop");
        break;
    }
}

} // namespace orvane
