#include "browser/browser.h"

#include "browser/namesinorder.h"
#include "model/formmodel.h"
#include "platform/filesystem.h"
#include "platform/volumes.h"

namespace orvane {

std::string patternForFileType(int index)
{
    switch (index) {
    case 0:
        return "*.MID;*.RMI;*.WAV";
    case 1:
        return "*.MID;*.RMI";
    case 2:
        return "*.WAV";
    default:
        return {};
    }
}

Browser::Browser(FormModel& form, FileSystem& files, const Volumes& volumes)
    : m_form(form), m_files(files), m_volumes(volumes)
{
    m_form.Drive1.setDrives(m_volumes.drives());
}

void Browser::start(const std::string& folder)
{
    m_lastFolderOnDrive[m_volumes.driveOf(folder)] = folder;
    setDrive(folder);
}

std::string Browser::folderToOpen(const std::string& drive) const
{
    const auto found = m_lastFolderOnDrive.find(drive);
    return found != m_lastFolderOnDrive.end() ? found->second : drive;
}

void Browser::show(const std::string& folder)
{
    setFolder(folder);
}

void Browser::setDrive(const std::string& path)
{
    const std::string drive = m_volumes.driveOf(path);
    if (drive == m_form.Drive1.drive())
        return;
    m_form.Drive1.setDrive(drive);
    Drive1_Change();
}

bool Browser::setFolder(const std::string& path)
{
    std::optional<FolderListing> folder = m_files.readFolder(path);
    if (!folder)
        return false;
    m_form.Dir1.setFolder(std::move(folder->path), std::move(folder->subFolders));
    Dir1_Change();
    return true;
}

void Browser::setFileType(int index)
{
    m_form.cboFileType.setSelectedIndex(index);
    cboFileType_Click();
}

void Browser::Drive1_Change()
{
    // The drive list following the folder list into another mount is no choice of drive.
    if (m_followingFolder)
        return;
    const std::string drive = m_form.Drive1.drive();
    const std::string remembered = folderToOpen(drive);
    if (setFolder(remembered) || (remembered != drive && setFolder(drive)))
        return;
    // Put the drive of the folder still shown back; once only, so that a folder list that
    // shows nothing readable cannot send the two lists round for ever.
    const std::string shown = m_form.Dir1.path();
    if (m_puttingBack || shown.empty())
        return;
    m_puttingBack = true;
    setDrive(shown);
    m_puttingBack = false;
}

void Browser::Dir1_Change()
{
    const std::string folder = m_form.Dir1.path();
    m_lastFolderOnDrive[m_volumes.driveOf(folder)] = folder;
    m_followingFolder = true;
    setDrive(folder);
    m_followingFolder = false;
    listFiles(folder, m_form.File1.pattern());
}

void Browser::volumesChanged()
{
    m_form.Drive1.setDrives(m_volumes.drives());
    const std::string folder = m_form.Dir1.path();
    // Only a mount made or removed above the folder shown changes what the browser shows.
    if (folder.empty() || m_volumes.driveOf(folder) == m_form.Drive1.drive())
        return;
    if (!setFolder(folder))
        setDrive(folder);
}

void Browser::cboFileType_Click()
{
    const std::string pattern = patternForFileType(m_form.cboFileType.selectedIndex());
    if (!pattern.empty())
        listFiles(m_form.File1.path(), pattern);
}

void Browser::listFiles(const std::string& folder, const std::string& pattern)
{
    const std::uint64_t listing = ++m_fileListing;
    m_form.File1.setListing(folder, pattern, {});
    if (folder.empty())
        return;
    // A slow disk's names fill in as they come, unless another listing has begun meanwhile.
    m_files.listMatchingFiles(
        folder, pattern, kMaxListEntries,
        [this, listing, alive = std::weak_ptr<int>(m_alive)](FileBatch batch) {
            if (alive.lock() && listing == m_fileListing)
                insertInOrder(m_form.File1, std::move(batch.names));
        });
}

} // namespace orvane
