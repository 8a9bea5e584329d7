#include "platform/inertmediacontrol.h"

namespace orvane {

void InertMediaControl::setCommand(const std::string& command)
{
    if (command == "Close")
        m_mode = MediaMode::NotOpen;
    else if (command == "Open")
        m_mode = MediaMode::Stopped;
    else if (m_mode == MediaMode::NotOpen)
        return;
    else if (command == "play" || command == "resume")
        m_mode = MediaMode::Playing;
    else if (command == "pause" && m_mode == MediaMode::Playing)
        m_mode = MediaMode::Paused;
    else if (command == "stop")
        m_mode = MediaMode::Stopped;
}

bool InertMediaControl::flag(MediaFlag flag) const
{
    const auto found = m_flags.find(flag);
    return found != m_flags.end() && found->second;
}

} // namespace orvane
