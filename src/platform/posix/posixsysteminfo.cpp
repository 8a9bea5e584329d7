#include "platform/posix/posixsysteminfo.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace orvane {

PosixSystemInfo::PosixSystemInfo(std::string commandLine, std::vector<std::string> namedPaths,
                                 std::string currentFolder, FolderCheck isFolder)
    : m_commandLine(std::move(commandLine)), m_namedPaths(std::move(namedPaths)),
      m_currentFolder(std::move(currentFolder)), m_isFolder(std::move(isFolder))
{
}

std::string PosixSystemInfo::processFolder()
{
    // The kernel answers from its own record of the path, without asking the disk.
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

bool PosixSystemInfo::isFolderOnDisk(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

std::string leaveStartFolder()
{
    const std::string folder = PosixSystemInfo::processFolder();
    // Should "/" be out of reach, the process stays where it was.
    [[maybe_unused]] const int left = chdir("/");
    return folder;
}

bool PosixSystemInfo::computerName(char* buffer, std::uint32_t& size) const
{
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return false;
    const std::size_t length = std::strlen(name);
    if (length + 1 > size)
        return false;
    std::memcpy(buffer, name, length + 1);
    size = static_cast<std::uint32_t>(length);
    return true;
}

std::string PosixSystemInfo::applicationFolder() const
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return currentFolder();
    return executable.parent_path().string();
}

std::string PosixSystemInfo::currentFolder() const
{
    return m_currentFolder;
}

bool PosixSystemInfo::setCurrentFolder(const std::string& path)
{
    if (path.empty())
        return false;
    const std::filesystem::path full =
        (std::filesystem::path(m_currentFolder) / path).lexically_normal();
    if (!m_isFolder(full.string()))
        return false;
    m_currentFolder = full.string();
    if (m_currentFolder.size() > 1 && m_currentFolder.back() == '/')
        m_currentFolder.pop_back();
    return true;
}

std::string PosixSystemInfo::homeMusicFolder() const
{
    const std::string home = userHomeFolder();
    return home.back() == '/' ? home + "Sound" : home + "/Sound";
}

std::string userHomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && *entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

std::string userName()
{
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name)
        return entry->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}

} // namespace orvane
