#pragma once

#include "platform/mediacontrol.h"

#include <string>
#include <vector>

namespace orvane {

// Records every command and setting and follows the commands' modes; the test sets what the
// device reports.
class FakeMediaControl : public MediaControl
{
public:
    void setCommand(const std::string& command) override;
    void setDeviceType(const std::string& deviceType) override;
    void setFileName(const std::string& fileName) override;
    void setTimeFormat(std::int32_t format) override;
    std::int32_t length() const override { return reportedLength; }
    std::int32_t position() const override { return reportedPosition; }
    std::int16_t updateInterval() const override { return m_updateInterval; }
    void setUpdateInterval(std::int16_t milliseconds) override;
    std::int16_t doneResult() const override { return reportedResult; }
    void setFlag(MediaFlag flag, bool value) override;
    MediaMode mode() const override { return m_mode; }
    void setEvents(MediaControlEvents* events) override { m_events = events; }

    // Raises Done with `result` as the control would.
    void finish(std::int16_t result = 1);
    const std::string& fileName() const { return m_fileName; }

    std::vector<std::string> log;      // "Close", "Open", "DeviceType=..", "FileName=..", ...
    std::vector<std::string> commands; // the commands alone
    std::int32_t reportedLength = 0;
    std::int32_t reportedPosition = 0;
    std::int16_t reportedResult = 0;
    int opens = 0;

private:
    MediaMode m_mode = MediaMode::NotOpen;
    std::string m_fileName;
    std::int16_t m_updateInterval = 0;
    MediaControlEvents* m_events = nullptr;
};

} // namespace orvane
