#include "fakes/fakemediacontrol.h"

namespace orvane {

void FakeMediaControl::setCommand(const std::string& command)
{
    log.push_back(command);
    commands.push_back(command);
    if (command == "Open")
        ++opens;
    InertMediaControl::setCommand(command);
}

void FakeMediaControl::setDeviceType(const std::string& deviceType)
{
    log.push_back("DeviceType=" + deviceType);
    InertMediaControl::setDeviceType(deviceType);
}

void FakeMediaControl::setFileName(const std::string& fileName)
{
    log.push_back("FileName=" + fileName);
    InertMediaControl::setFileName(fileName);
}

void FakeMediaControl::setTimeFormat(std::int32_t format)
{
    log.push_back("TimeFormat=" + std::to_string(format));
    InertMediaControl::setTimeFormat(format);
}

void FakeMediaControl::setUpdateInterval(std::int16_t milliseconds)
{
    log.push_back("UpdateInterval=" + std::to_string(milliseconds));
    InertMediaControl::setUpdateInterval(milliseconds);
}

void FakeMediaControl::setFlag(MediaFlag flag, bool value)
{
    log.push_back("Flag" + std::to_string(static_cast<int>(flag)) + "=" +
                  (value ? "true" : "false"));
    InertMediaControl::setFlag(flag, value);
}

void FakeMediaControl::finish(std::int16_t result)
{
    reportedResult = result;
    if (events())
        events()->MMControl1_Done(result == 1 ? 1 : 4);
}

} // namespace orvane
