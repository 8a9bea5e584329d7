#pragma once

#include "model/changenotifier.h"

#include <string>
#include <vector>

namespace orvane {

// The drive list: the drives offered, by their mount points, and the drive chosen.
class DriveListModel : public ChangeNotifier
{
public:
    const std::vector<std::string>& drives() const { return m_drives; }
    // Offers `drives`; the drive chosen stays chosen, shown only while it is offered.
    void setDrives(std::vector<std::string> drives);
    const std::string& drive() const { return m_drive; }
    // Chooses `drive`, offering it too if it is not yet offered.
    void setDrive(const std::string& drive);
    // The chosen drive's place among those offered, or -1.
    int driveIndex() const;

private:
    std::vector<std::string> m_drives;
    std::string m_drive;
};

} // namespace orvane
