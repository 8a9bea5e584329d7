#include "fakes/fakemediacontrol.h"

namespace orvane {

void FakeMediaControl::setCommand(const std::string& command)
{
    log.push_back(command);
    commands.push_back(command);
    if (command == "Open")
        ++opens;
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

void FakeMediaControl::setDeviceType(const std::string& deviceType)
{
    log.push_back("DeviceType=" + deviceType);
}

void FakeMediaControl::setFileName(const std::string& fileName)
{
    log.push_back("FileName=" + fileName);
    m_fileName = fileName;
}

void FakeMediaControl::setTimeFormat(std::int32_t format)
{
    log.push_back("TimeFormat=" + std::to_string(format));
}

void FakeMediaControl::setUpdateInterval(std::int16_t milliseconds)
{
    log.push_back("UpdateInterval=" + std::to_string(milliseconds));
    m_updateInterval = milliseconds;
}

void FakeMediaControl::setFlag(MediaFlag flag, bool value)
{
    log.push_back("Flag" + std::to_string(static_cast<int>(flag)) + "=" +
                  (value ? "true" : "false"));
}

void FakeMediaControl::finish(std::int16_t result)
{
    reportedResult = result;
    if (m_events)
        m_events->MMControl1_Done(result == 1 ? 1 : 4);
}

} // namespace orvane
