#include "platform/dbus/observedmediacontrol.h"

namespace orvane {

ObservedMediaControl::ObservedMediaControl(MediaControl& inner) : m_inner(inner)
{
    m_inner.setEvents(this);
}

ObservedMediaControl::~ObservedMediaControl()
{
    m_inner.setEvents(nullptr);
}

void ObservedMediaControl::setCommand(const std::string& command)
{
    if (command == "Open")
        m_openFile = m_fileName;
    m_inner.setCommand(command);
    if (command == "Close" || m_inner.mode() == MediaMode::NotOpen)
        m_openFile.clear();
    notify();
}

void ObservedMediaControl::setDeviceType(const std::string& deviceType)
{
    m_inner.setDeviceType(deviceType);
}

void ObservedMediaControl::setFileName(const std::string& fileName)
{
    m_fileName = fileName;
    m_inner.setFileName(fileName);
}

void ObservedMediaControl::setTimeFormat(std::int32_t format)
{
    m_inner.setTimeFormat(format);
}

void ObservedMediaControl::setUpdateInterval(std::int16_t milliseconds)
{
    m_inner.setUpdateInterval(milliseconds);
}

void ObservedMediaControl::MMControl1_Done(int NotifyCode)
{
    if (m_events)
        m_events->MMControl1_Done(NotifyCode);
    notify();
}

void ObservedMediaControl::MMControl1_StatusUpdate()
{
    if (m_events)
        m_events->MMControl1_StatusUpdate();
}

void ObservedMediaControl::MMControl1_PlayClick(bool& Cancel)
{
    if (m_events)
        m_events->MMControl1_PlayClick(Cancel);
}

void ObservedMediaControl::MMControl1_PauseClick(bool& Cancel)
{
    if (m_events)
        m_events->MMControl1_PauseClick(Cancel);
}

void ObservedMediaControl::MMControl1_StopClick(bool& Cancel)
{
    if (m_events)
        m_events->MMControl1_StopClick(Cancel);
}

void ObservedMediaControl::MMControl1_NextClick(bool& Cancel)
{
    if (m_events)
        m_events->MMControl1_NextClick(Cancel);
}

int ObservedMediaControl::addListener(std::function<void()> listener)
{
    m_listeners.emplace_back(++m_lastListener, std::move(listener));
    return m_lastListener;
}

void ObservedMediaControl::removeListener(int number)
{
    std::erase_if(m_listeners, [number](const auto& listener) { return listener.first == number; });
}

void ObservedMediaControl::notify() const
{
    for (const auto& [number, listener] : m_listeners)
        listener();
}

} // namespace orvane
