#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// What a path names: a music file (.mid, .rmi or .wav), a folder, a file no device plays,
// something that is no ordinary file (a device, a pipe), or nothing.
enum class PathKind { Music, Folder, Unplayable, NotAFile, Missing };

// What the program asks of the operating system and its own start.
class SystemInfo
{
public:
    virtual ~SystemInfo() = default;

    // Copies the computer's name and a terminating NUL into `buffer` of `size` chars; on
    // success sets `size` to the name's length and returns true; `buffer` is left alone
    // when the name does not fit.
    virtual bool computerName(char* buffer, std::uint32_t& size) const = 0;
    // The folder that holds the program's executable.
    virtual std::string applicationFolder() const = 0;
    // The process's current folder.
    virtual std::string currentFolder() const = 0;
    // Makes `path` the current folder; false when it cannot be entered.
    virtual bool setCurrentFolder(const std::string& path) = 0;
    // The arguments after the program's name that name no file or folder, joined by spaces.
    virtual std::string commandLine() const = 0;
    // The music files and folders the arguments name, as full paths, in argument order.
    virtual std::vector<std::string> namedPaths() const = 0;
    // What `path` names.
    virtual PathKind pathKind(const std::string& path) const = 0;
    // The names of the ordinary files of `folder` that match `pattern`, in the order the file
    // list shows them; none when the folder cannot be read.
    virtual std::vector<std::string> matchingFiles(const std::string& folder,
                                                   const std::string& pattern) const = 0;
    // The home computer's music folder ("C:\Sound" on Windows, ~/Sound elsewhere).
    virtual std::string homeMusicFolder() const = 0;
};

} // namespace orvane
