#include "app/launcharguments.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace orvane {

namespace fs = std::filesystem;

namespace {

bool isMusicName(const fs::path& path)
{
    std::string ending = path.extension().string();
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
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

std::string leftOutLine(const std::string& path, NamedPath kind)
{
    const char* why = kind == NamedPath::Unplayable ? "not a MIDI or WAV file (.mid, .rmi, .wav)"
                      : kind == NamedPath::NotAFile ? "not an ordinary file"
                                                    : "no such file";
    return "orvane: left out \"" + escapedName(path) + "\": " + why;
}

} // namespace

NamedPath classifyPath(const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status))
        return NamedPath::Missing;
    if (fs::is_directory(status))
        return NamedPath::Folder;
    if (!fs::is_regular_file(status))
        return NamedPath::NotAFile;
    return isMusicName(path) ? NamedPath::Music : NamedPath::Unplayable;
}

LaunchArguments splitLaunchArguments(const std::vector<std::string>& arguments,
                                     const std::string& currentFolder)
{
    LaunchArguments launch;
    for (const std::string& argument : arguments) {
        const std::string path =
            argument.empty() ? std::string() : fullPath(argument, currentFolder);
        const NamedPath kind = path.empty() ? NamedPath::Missing : classifyPath(path);
        if (kind == NamedPath::Music || kind == NamedPath::Folder) {
            launch.paths.push_back(path);
        } else if (kind != NamedPath::Missing || isMusicName(path)) {
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

std::string escapedName(const std::string& name)
{
    std::string escaped;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\t') {
            escaped += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            escaped += code;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

} // namespace orvane
