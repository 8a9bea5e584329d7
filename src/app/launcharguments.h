#pragma once

#include <string>
#include <vector>

namespace orvane {

// What a named path is to the player.
enum class NamedPath { Music, Folder, Unplayable, NotAFile, Missing };

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

// What `path` names: a music file (.mid, .rmi, .wav in any case), a folder, a file no device
// plays, something that is no ordinary file (a device, a pipe), or nothing.
NamedPath classifyPath(const std::string& path);

// `name` with control characters and backslashes written as escapes ("\n", "\x1b", "\\").
std::string escapedName(const std::string& name);

} // namespace orvane
