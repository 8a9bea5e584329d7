#pragma once

#include "platform/filesystem.h"

#include <string>
#include <vector>

namespace orvane {

// A launch's arguments parted into the files and folders they name and the switch text.
struct LaunchArguments
{
    // Full paths of the named music files and folders, in argument order.
    std::vector<std::string> paths;
    // One line for each named file left out, saying why (control characters escaped).
    std::vector<std::string> leftOut;
    // The arguments that name nothing, joined by single spaces: where switches are searched.
    std::string switchText;
};

// Parts `arguments`; relative names are taken from `currentFolder`. An argument that names an
// existing file or folder, or a music file that is missing, is never switch text.
LaunchArguments splitLaunchArguments(const std::vector<std::string>& arguments,
                                     const std::string& currentFolder);

// What `path` names; a music file is one whose name ends in .mid, .rmi or .wav in any case.
PathKind classifyPath(const std::string& path);

} // namespace orvane
