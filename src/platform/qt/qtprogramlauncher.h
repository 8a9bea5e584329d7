#pragma once

#include "platform/programlauncher.h"

namespace orvane {

// Starts programs found on the PATH as processes of their own, with no shell in between.
class QtProgramLauncher : public ProgramLauncher
{
public:
    bool startDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override;
};

} // namespace orvane
