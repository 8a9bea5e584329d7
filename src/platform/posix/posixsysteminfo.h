#pragma once

#include "platform/systeminfo.h"

#include <string>

namespace orvane {

// The operating system as a POSIX system with /proc shows it.
class PosixSystemInfo : public SystemInfo
{
public:
    // `commandLine`: the arguments after the program's name that name no file or folder,
    // joined by single spaces; `namedPaths`: the music files and folders they name.
    explicit PosixSystemInfo(std::string commandLine, std::vector<std::string> namedPaths = {});

    bool computerName(char* buffer, std::uint32_t& size) const override;
    std::string applicationFolder() const override;
    std::string currentFolder() const override;
    bool setCurrentFolder(const std::string& path) override;
    std::string commandLine() const override { return m_commandLine; }
    std::vector<std::string> namedPaths() const override { return m_namedPaths; }
    std::string homeMusicFolder() const override;

private:
    std::string m_commandLine;
    std::vector<std::string> m_namedPaths;
};

// The user's home folder: $HOME, else the password database's entry, else "/".
std::string userHomeFolder();

// The user's login name: the password database's entry, else $USER, else empty.
std::string userName();

} // namespace orvane
