#pragma once

#include "platform/mediacontrol.h"

namespace orvane {

// What a media control is told and keeps until its next "Open": device, file, time format,
// update interval and the receiver of its events. The flags are written as given and mean
// nothing to the sound, so none is kept.
class MediaControlSettings : public MediaControl
{
public:
    void setDeviceType(const std::string& deviceType) override { m_deviceType = deviceType; }
    void setFileName(const std::string& fileName) override { m_fileName = fileName; }
    void setTimeFormat(std::int32_t format) override { m_timeFormat = format; }
    std::int16_t updateInterval() const override { return m_updateInterval; }
    void setUpdateInterval(std::int16_t milliseconds) override { m_updateInterval = milliseconds; }
    void setFlag(MediaFlag, bool) override {}
    MediaMode mode() const override { return m_mode; }
    void setEvents(MediaControlEvents* events) override { m_events = events; }

    const std::string& deviceType() const { return m_deviceType; }
    const std::string& fileName() const { return m_fileName; }

protected:
    MediaControlEvents* events() const { return m_events; }

    MediaMode m_mode = MediaMode::NotOpen;

private:
    std::string m_deviceType;
    std::string m_fileName;
    std::int32_t m_timeFormat = 0;
    std::int16_t m_updateInterval = 0;
    MediaControlEvents* m_events = nullptr;
};

} // namespace orvane
