#pragma once

#include "platform/filesystem.h"

#include <functional>
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

// What `path` names; a music file is one whose name ends in .mid, .rmi or .wav in any case.
// Not ready when a mount on its way hangs (see MountGuard).
PathKind classifyPath(const std::string& path);

// Parts `arguments`; relative names are taken from `currentFolder` and each is classified by
// `kindOf`. An argument that names an existing file or folder, a music file that is missing,
// or anything whose disk does not answer is never switch text.
LaunchArguments
splitLaunchArguments(const std::vector<std::string>& arguments, const std::string& currentFolder,
                     const std::function<PathKind(const std::string&)>& kindOf = &classifyPath);

} // namespace orvane
