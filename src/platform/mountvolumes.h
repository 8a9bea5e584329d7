#pragma once

#include "platform/volumes.h"

#include <string>
#include <vector>

namespace orvane {

// The volumes of the mount table: the root, the file system of the home folder, and what is
// mounted under /media and /mnt. The table is read once, when constructed.
class MountVolumes : public Volumes
{
public:
    // Reads `mountTable` (in the format of /proc/self/mounts); `home` is the user's home folder.
    MountVolumes(const std::string& mountTable, const std::string& home);
    // Reads this process's mount table, with the user's home folder.
    MountVolumes();

    std::vector<std::string> drives() const override { return m_drives; }
    std::string driveOf(const std::string& path) const override;

private:
    std::vector<std::string> m_drives;
};

// The mount points of a mount table's text, escapes such as "\040" decoded, in table order.
std::vector<std::string> parseMountPoints(const std::string& table);

} // namespace orvane
