#pragma once

#include "platform/eventloop.h"
#include "platform/mediacontrol.h"

#include <string>
#include <vector>

namespace orvane {

// Records every command and setting and follows the commands' modes; the test sets what the
// device reports.
class FakeMediaControl : public MediaControl
{
public:
    FakeMediaControl() = default;
    explicit FakeMediaControl(EventLoop&) {} // in place of the real one, which runs on a loop

    void setCommand(const std::string& command) override
    {
        log.push_back(command);
        if (command == "Close")
            m_mode = MediaMode::NotOpen;
        else if (command == "Open") {
            ++opens;
            m_mode = MediaMode::Stopped;
        } else if (m_mode == MediaMode::NotOpen)
            return;
        else if (command == "play" || command == "resume")
            m_mode = MediaMode::Playing;
        else if (command == "pause" && m_mode == MediaMode::Playing)
            m_mode = MediaMode::Paused;
        else if (command == "stop")
            m_mode = MediaMode::Stopped;
    }
    void setDeviceType(const std::string& deviceType) override
    {
        log.push_back("DeviceType=" + deviceType);
    }
    void setFileName(const std::string& fileName) override
    {
        log.push_back("FileName=" + fileName);
        m_fileName = fileName;
    }
    void setTimeFormat(std::int32_t format) override
    {
        log.push_back("TimeFormat=" + std::to_string(format));
    }
    std::int32_t length() const override { return reportedLength; }
    std::int32_t position() const override { return reportedPosition; }
    std::int16_t updateInterval() const override { return m_updateInterval; }
    void setUpdateInterval(std::int16_t milliseconds) override
    {
        log.push_back("UpdateInterval=" + std::to_string(milliseconds));
        m_updateInterval = milliseconds;
    }
    std::int16_t doneResult() const override { return m_result; }
    void setFlag(MediaFlag flag, bool value) override
    {
        log.push_back("Flag" + std::to_string(static_cast<int>(flag)) + "=" +
                      (value ? "true" : "false"));
    }
    MediaMode mode() const override { return m_mode; }
    void setEvents(MediaControlEvents* events) override { m_events = events; }

    // Raises Done with `result` as the control would.
    void finish(std::int16_t result = 1)
    {
        m_result = result;
        if (m_events)
            m_events->MMControl1_Done(result == 1 ? 1 : 4);
    }
    const std::string& fileName() const { return m_fileName; }

    std::vector<std::string> log; // "Close", "Open", "DeviceType=..", "FileName=..", ...
    std::int32_t reportedLength = 0;
    std::int32_t reportedPosition = 0;
    int opens = 0;

private:
    MediaMode m_mode = MediaMode::NotOpen;
    std::string m_fileName;
    std::int16_t m_updateInterval = 0;
    std::int16_t m_result = 0;
    MediaControlEvents* m_events = nullptr;
};

} // namespace orvane
