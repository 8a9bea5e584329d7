#include "platform/posix/launcharguments.h"

#include "platform/posix/mountguard.h"
#include "text/lowercase.h"
#include "text/terminaltext.h"

#include <filesystem>
#include <system_error>

namespace orvane {

namespace fs = std::filesystem;

namespace {

bool isMusicName(const fs::path& path)
{
    const std::string ending = lowerCase(path.extension().string());
    return ending == ".mid" || ending == ".rmi" || ending == ".wav";
}

std::string fullPath(const std::string& argument, const std::string& currentFolder)
{
    const fs::path given(argument);
    fs::path full =
        (given.is_absolute() ? given : fs::path(currentFolder) / given).lexically_normal();
    // "Music/" names the folder "Music".
    if (full.has_relative_path() && !full.has_filename())
        full = full.parent_path();
    return full.string();
}

std::string leftOutLine(const std::string& path, PathKind kind)
{
    const char* why = kind == PathKind::Unplayable ? "not a MIDI or WAV file (.mid, .rmi, .wav)"
                      : kind == PathKind::NotAFile ? "not an ordinary file"
                      : kind == PathKind::NotReady ? "its disk or share does not answer"
                                                   : "no such file";
    return "orvane: left out \"" + escapedForTerminal(path) + "\": " + why;
}

} // namespace

PathKind classifyPath(const std::string& path)
{
    const std::optional<std::string> real = MountGuard::resolve(path);
    if (!real || !MountGuard::mayTouch(*real))
        return PathKind::NotReady;
    std::error_code error;
    const fs::file_status status = fs::status(*real, error);
    if (error || !fs::exists(status))
        return PathKind::Missing;
    if (fs::is_directory(status))
        return PathKind::Folder;
    if (!fs::is_regular_file(status))
        return PathKind::NotAFile;
    return isMusicName(path) ? PathKind::Music : PathKind::Unplayable;
}

LaunchArguments splitLaunchArguments(const std::vector<std::string>& arguments,
                                     const std::string& currentFolder,
                                     const std::function<PathKind(const std::string&)>& kindOf)
{
    LaunchArguments launch;
    for (const std::string& argument : arguments) {
        const std::string path =
            argument.empty() ? std::string() : fullPath(argument, currentFolder);
        const PathKind kind = path.empty() ? PathKind::Missing : kindOf(path);
        if (kind == PathKind::Music || kind == PathKind::Folder) {
            launch.paths.push_back(path);
        } else if (kind != PathKind::Missing || isMusicName(path)) {
            // A music name that names nothing is a file gone, not switch text.
            launch.leftOut.push_back(leftOutLine(path, kind));
        } else {
            if (!launch.switchText.empty())
                launch.switchText += ' ';
            launch.switchText += argument;
        }
    }
    return launch;
}

} // namespace orvane
