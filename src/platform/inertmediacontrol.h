#pragma once

#include "platform/mediacontrol.h"

#include <map>

namespace orvane {

// A media control that accepts every command, remembers its settings and plays nothing.
class InertMediaControl : public MediaControl
{
public:
    void setCommand(const std::string& command) override;
    void setDeviceType(const std::string& deviceType) override { m_deviceType = deviceType; }
    void setFileName(const std::string& fileName) override { m_fileName = fileName; }
    void setTimeFormat(std::int32_t format) override { m_timeFormat = format; }
    std::int32_t length() const override { return 0; }
    std::int32_t position() const override { return 0; }
    std::int16_t updateInterval() const override { return m_updateInterval; }
    void setUpdateInterval(std::int16_t milliseconds) override { m_updateInterval = milliseconds; }
    std::int16_t doneResult() const override { return 0; }
    void setFlag(MediaFlag flag, bool value) override { m_flags[flag] = value; }
    bool flag(MediaFlag flag) const override;
    MediaMode mode() const override { return m_mode; }
    void setEvents(MediaControlEvents* events) override { m_events = events; }

    const std::string& deviceType() const { return m_deviceType; }
    const std::string& fileName() const { return m_fileName; }
    std::int32_t timeFormat() const { return m_timeFormat; }

protected:
    MediaControlEvents* events() const { return m_events; }
    MediaMode m_mode = MediaMode::NotOpen;

private:
    std::string m_deviceType;
    std::string m_fileName;
    std::int32_t m_timeFormat = 0;
    std::int16_t m_updateInterval = 0;
    std::map<MediaFlag, bool> m_flags;
    MediaControlEvents* m_events = nullptr;
};

} // namespace orvane
