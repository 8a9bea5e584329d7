#include "platform/posix/posixsysteminfo.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace orvane {

PosixSystemInfo::PosixSystemInfo(std::string commandLine, std::vector<std::string> namedPaths)
    : m_commandLine(std::move(commandLine)), m_namedPaths(std::move(namedPaths))
{
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
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : current.string();
}

bool PosixSystemInfo::setCurrentFolder(const std::string& path)
{
    return !path.empty() && chdir(path.c_str()) == 0;
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
