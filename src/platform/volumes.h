#pragma once

#include <string>
#include <vector>

namespace orvane {

// The mounted file systems a user browses: the root, the home's, removable media.
class Volumes
{
public:
    virtual ~Volumes() = default;

    // Mount points offered as drives, in display order.
    virtual std::vector<std::string> drives() const = 0;
    // The offered drive that holds `path` (the longest mount point above it).
    virtual std::string driveOf(const std::string& path) const = 0;
};

} // namespace orvane
