#pragma once

#include "platform/systeminfo.h"

#include <functional>
#include <string>

namespace orvane {

// The operating system as a POSIX system with /proc shows it. The current folder is kept here
// rather than as the process's own, which can stay out of a disk that may stop answering.
class PosixSystemInfo : public SystemInfo
{
public:
    // Whether a path names a folder.
    using FolderCheck = std::function<bool(const std::string&)>;

    // `commandLine`: the arguments after the program's name that name no file or folder,
    // joined by single spaces; `namedPaths`: the music files and folders they name;
    // `currentFolder`: the folder to start in, by default the process's current folder;
    // `isFolder` checks a folder to be made current.
    explicit PosixSystemInfo(std::string commandLine, std::vector<std::string> namedPaths = {},
                             std::string currentFolder = processFolder(),
                             FolderCheck isFolder = &isFolderOnDisk);

    bool computerName(char* buffer, std::uint32_t& size) const override;
    std::string applicationFolder() const override;
    std::string currentFolder() const override;
    bool setCurrentFolder(const std::string& path) override;
    std::string commandLine() const override { return m_commandLine; }
    std::vector<std::string> namedPaths() const override { return m_namedPaths; }
    std::string homeMusicFolder() const override;

    // The process's current folder; empty when it is gone. Asks no disk.
    static std::string processFolder();
    static bool isFolderOnDisk(const std::string& path);

private:
    std::string m_commandLine;
    std::vector<std::string> m_namedPaths;
    std::string m_currentFolder;
    FolderCheck m_isFolder;
};

// The folder the program started in; the process's own current folder becomes "/", so that
// nothing resolving a relative name (a library looking for a file) waits on the disk it was.
std::string leaveStartFolder();

// The user's home folder: $HOME, else the password database's entry, else "/".
std::string userHomeFolder();

// The user's login name: the password database's entry, else $USER, else empty.
std::string userName();

} // namespace orvane
