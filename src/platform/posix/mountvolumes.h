#pragma once

#include "platform/volumes.h"

#include <string>
#include <vector>

namespace orvane {

// The volumes of the mount table: the root, the file system of the home folder, and what is
// mounted under /media, /mnt and the user's /run/media/<user>. The table is read when
// constructed and again by reread().
class MountVolumes : public Volumes
{
public:
    // Reads `mountTable` (in the format of /proc/self/mounts); `home` is the user's home folder
    // and `user` the user's login name.
    MountVolumes(std::string mountTable, std::string home, std::string user);
    // Reads this process's mount table, with the user's home folder and name.
    MountVolumes();

    std::vector<std::string> drives() const override { return m_drives; }
    std::string driveOf(const std::string& path) const override;

    // Reads the mount table again; true when the drives offered changed.
    bool reread();

private:
    std::string m_mountTable;
    std::string m_home;
    std::string m_removableUserFolder;
    std::vector<std::string> m_drives;
};

// The mount points of a mount table's text, escapes such as "\040" decoded, in table order.
std::vector<std::string> parseMountPoints(const std::string& table);
// The mount points of the mount table in file `mountTable` (/proc/self/mounts's format).
std::vector<std::string> readMountPoints(const std::string& mountTable = "/proc/self/mounts");
// Which of `mounts` holds `path` (absolute, free of links): the longest that it lies below,
// else "/".
std::string mountHolding(const std::string& path, const std::vector<std::string>& mounts);

} // namespace orvane
