#pragma once

#include "platform/inertmediacontrol.h"

#include <string>
#include <vector>

namespace orvane {

// Records every command and setting; the test sets what the device reports.
class FakeMediaControl : public InertMediaControl
{
public:
    void setCommand(const std::string& command) override;
    void setDeviceType(const std::string& deviceType) override;
    void setFileName(const std::string& fileName) override;
    void setTimeFormat(std::int32_t format) override;
    void setUpdateInterval(std::int16_t milliseconds) override;
    void setFlag(MediaFlag flag, bool value) override;
    std::int32_t length() const override { return reportedLength; }
    std::int32_t position() const override { return reportedPosition; }
    std::int16_t doneResult() const override { return reportedResult; }

    // Raises Done with `result` as the control would.
    void finish(std::int16_t result = 1);

    std::vector<std::string> log;      // "Close", "Open", "DeviceType=..", "FileName=..", ...
    std::vector<std::string> commands; // the commands alone
    std::int32_t reportedLength = 0;
    std::int32_t reportedPosition = 0;
    std::int16_t reportedResult = 0;
    int opens = 0;
};

} // namespace orvane
