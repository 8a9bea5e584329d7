#include "model/drivelistmodel.h"

#include <algorithm>

namespace orvane {

void DriveListModel::setDrives(std::vector<std::string> drives)
{
    m_drives = std::move(drives);
    notify();
}

void DriveListModel::setDrive(const std::string& drive)
{
    m_drive = drive;
    if (driveIndex() < 0)
        m_drives.push_back(drive);
    notify();
}

int DriveListModel::driveIndex() const
{
    const auto found = std::find(m_drives.begin(), m_drives.end(), m_drive);
    return found == m_drives.end() ? -1 : static_cast<int>(found - m_drives.begin());
}

} // namespace orvane
