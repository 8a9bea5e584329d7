#pragma once

#include "platform/mediacontrol.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

// A media control that passes every call on to another and tells its listeners after every
// command and every Done, so that others can follow what plays without asking over and over.
class ObservedMediaControl : public MediaControl, private MediaControlEvents
{
public:
    explicit ObservedMediaControl(MediaControl& inner);
    ~ObservedMediaControl() override;

    // `listener` is called after every command and every Done from now on; returns its number,
    // for removeListener.
    int addListener(std::function<void()> listener);
    void removeListener(int number);
    // The file of the last "Open" while it is open; empty once closed.
    const std::string& openFile() const { return m_openFile; }

    void setCommand(const std::string& command) override;
    void setDeviceType(const std::string& deviceType) override;
    void prepare(const std::string& deviceType) override { m_inner.prepare(deviceType); }
    void setFileName(const std::string& fileName) override;
    void setTimeFormat(std::int32_t format) override;
    std::int32_t length() const override { return m_inner.length(); }
    std::int32_t position() const override { return m_inner.position(); }
    std::int16_t updateInterval() const override { return m_inner.updateInterval(); }
    void setUpdateInterval(std::int16_t milliseconds) override;
    std::int16_t doneResult() const override { return m_inner.doneResult(); }
    void setFlag(MediaFlag flag, bool value) override { m_inner.setFlag(flag, value); }
    MediaMode mode() const override { return m_inner.mode(); }
    void setEvents(MediaControlEvents* events) override { m_events = events; }

private:
    void MMControl1_Done(int NotifyCode) override;
    void MMControl1_StatusUpdate() override;
    void MMControl1_PlayClick(bool& Cancel) override;
    void MMControl1_PauseClick(bool& Cancel) override;
    void MMControl1_StopClick(bool& Cancel) override;
    void MMControl1_NextClick(bool& Cancel) override;
    void notify() const;

    MediaControl& m_inner;
    MediaControlEvents* m_events = nullptr;
    std::vector<std::pair<int, std::function<void()>>> m_listeners;
    int m_lastListener = 0;
    std::string m_fileName;
    std::string m_openFile;
};

} // namespace orvane
