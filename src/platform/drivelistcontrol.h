#pragma once

#include <string>

namespace orvane {

// The drive list: the volumes a user browses, shown by their mount point.
class DriveListControl
{
public:
    virtual ~DriveListControl() = default;

    // The chosen drive (a mount point such as "/" or "/media/usb").
    virtual std::string drive() const = 0;
    // Chooses the drive that holds `path` (a drive or any path on one); raises Change
    // before returning when the drive differs from the one shown.
    virtual void setDrive(const std::string& path) = 0;
    // Lists the drives offered now; the chosen drive stays chosen while it is offered.
    virtual void refresh() = 0;
};

} // namespace orvane
