#include "platform/posix/mountvolumes.h"

#include "platform/posix/posixsysteminfo.h"

#include <algorithm>
#include <cstdio>

namespace orvane {

namespace {

// True when `path` is `mount` or lies below it.
bool isUnder(const std::string& path, const std::string& mount)
{
    if (mount == "/")
        return !path.empty() && path.front() == '/';
    return path == mount ||
           (path.size() > mount.size() && path.compare(0, mount.size(), mount) == 0 &&
            path[mount.size()] == '/');
}

bool isRemovableMount(const std::string& mount)
{
    return mount.rfind("/media/", 0) == 0 || mount.rfind("/mnt/", 0) == 0 || mount == "/mnt";
}

bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

// The kernel writes space, tab, newline and backslash in mount points as three octal digits.
std::string decodeEscapes(const std::string& field)
{
    std::string decoded;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctalDigit(field[i + 1]) &&
            isOctalDigit(field[i + 2]) && isOctalDigit(field[i + 3])) {
            decoded += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                         (field[i + 3] - '0'));
            i += 3;
        } else {
            decoded += field[i];
        }
    }
    return decoded;
}

} // namespace

std::vector<std::string> parseMountPoints(const std::string& table)
{
    // Each line: device, mount point, type, options, ...; separated by spaces or tabs.
    constexpr const char* kBlank = " \t";
    std::vector<std::string> mounts;
    std::size_t lineStart = 0;
    while (lineStart < table.size()) {
        std::size_t lineEnd = table.find('\n', lineStart);
        if (lineEnd == std::string::npos)
            lineEnd = table.size();
        const std::string line = table.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        const std::size_t device = line.find_first_not_of(kBlank);
        const std::size_t afterDevice = line.find_first_of(kBlank, device);
        const std::size_t mountPoint = line.find_first_not_of(kBlank, afterDevice);
        if (mountPoint == std::string::npos)
            continue;
        const std::size_t afterMountPoint = line.find_first_of(kBlank, mountPoint);
        mounts.push_back(decodeEscapes(line.substr(mountPoint, afterMountPoint - mountPoint)));
    }
    return mounts;
}

MountVolumes::MountVolumes(std::string mountTable, std::string home, std::string user)
    : m_mountTable(std::move(mountTable)), m_home(std::move(home)),
      m_removableUserFolder("/run/media/" + user + "/")
{
    reread();
}

std::vector<std::string> readMountPoints(const std::string& mountTable)
{
    std::string text;
    if (std::FILE* stream = std::fopen(mountTable.c_str(), "re")) {
        char buffer[4096];
        while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, stream))
            text.append(buffer, got);
        std::fclose(stream);
    }
    return parseMountPoints(text);
}

std::string mountHolding(const std::string& path, const std::vector<std::string>& mounts)
{
    std::string best = "/";
    for (const std::string& mount : mounts) {
        if (isUnder(path, mount) && mount.size() > best.size())
            best = mount;
    }
    return best;
}

MountVolumes::MountVolumes() : MountVolumes("/proc/self/mounts", userHomeFolder(), userName()) {}

bool MountVolumes::reread()
{
    const std::vector<std::string> mounts = readMountPoints(m_mountTable);
    std::vector<std::string> drives{"/"};
    const std::string homeMount = mountHolding(m_home, mounts);
    if (homeMount != "/")
        drives.push_back(homeMount);
    std::vector<std::string> removable;
    for (const std::string& mount : mounts) {
        if (isRemovableMount(mount) || (mount.size() > m_removableUserFolder.size() &&
                                        mount.rfind(m_removableUserFolder, 0) == 0))
            removable.push_back(mount);
    }
    std::sort(removable.begin(), removable.end());
    for (const std::string& mount : removable) {
        if (std::find(drives.begin(), drives.end(), mount) == drives.end())
            drives.push_back(mount);
    }
    if (drives == m_drives)
        return false;
    m_drives = std::move(drives);
    return true;
}

std::string MountVolumes::driveOf(const std::string& path) const
{
    return mountHolding(path, m_drives);
}

} // namespace orvane
