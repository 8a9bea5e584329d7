#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

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
    // The current folder: where the program started, or where setCurrentFolder() went.
    virtual std::string currentFolder() const = 0;
    // Makes `path` the current folder; false when it cannot be entered.
    virtual bool setCurrentFolder(const std::string& path) = 0;
    // The arguments after the program's name that name no file or folder, joined by spaces.
    virtual std::string commandLine() const = 0;
    // The music files and folders the arguments name, as full paths, in argument order.
    virtual std::vector<std::string> namedPaths() const = 0;
    // The home computer's music folder ("C:\Sound" on Windows, ~/Sound elsewhere).
    virtual std::string homeMusicFolder() const = 0;
};

} // namespace orvane
