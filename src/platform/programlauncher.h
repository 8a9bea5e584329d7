#pragma once

#include <string>
#include <vector>

namespace orvane {

// Starts other programs.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;

    // Starts `program`, found through the program search, with `arguments` and no shell,
    // detached and not waited for; false when it could not be started.
    virtual bool startDetached(const std::string& program,
                               const std::vector<std::string>& arguments) = 0;
};

} // namespace orvane
