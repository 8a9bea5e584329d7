#include "browser/browser.h"

#include "platform/combocontrol.h"
#include "platform/drivelistcontrol.h"
#include "platform/filelistcontrol.h"
#include "platform/folderlistcontrol.h"
#include "platform/mainwindowview.h"
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

Browser::Browser(MainWindowView& window, const Volumes& volumes)
    : m_window(window), m_volumes(volumes)
{
}

void Browser::start(const std::string& folder)
{
    m_lastFolderOnDrive[m_volumes.driveOf(folder)] = folder;
    m_window.Drive1().setDrive(folder);
}

std::string Browser::folderToOpen(const std::string& drive) const
{
    const auto found = m_lastFolderOnDrive.find(drive);
    return found != m_lastFolderOnDrive.end() ? found->second : drive;
}

void Browser::show(const std::string& folder)
{
    m_window.Dir1().setPath(folder);
}

void Browser::Drive1_Change()
{
    // The drive list following the folder list into another mount is no choice of drive.
    if (m_followingFolder)
        return;
    FolderListControl& folders = m_window.Dir1();
    const std::string drive = m_window.Drive1().drive();
    const std::string remembered = folderToOpen(drive);
    if (folders.setPath(remembered) || (remembered != drive && folders.setPath(drive)))
        return;
    // Put the drive of the folder still shown back; once only, so that a folder list that
    // shows nothing readable cannot send the two lists round for ever.
    if (m_puttingBack || folders.path().empty())
        return;
    m_puttingBack = true;
    m_window.Drive1().setDrive(folders.path());
    m_puttingBack = false;
}

void Browser::Dir1_Change()
{
    const std::string folder = m_window.Dir1().path();
    m_lastFolderOnDrive[m_volumes.driveOf(folder)] = folder;
    m_followingFolder = true;
    m_window.Drive1().setDrive(folder);
    m_followingFolder = false;
    m_window.File1().setPath(folder);
}

void Browser::volumesChanged()
{
    m_window.Drive1().refresh();
    const std::string folder = m_window.Dir1().path();
    // Only a mount made or removed above the folder shown changes what the browser shows.
    if (folder.empty() || m_volumes.driveOf(folder) == m_window.Drive1().drive())
        return;
    if (!m_window.Dir1().setPath(folder))
        m_window.Drive1().setDrive(folder);
}

void Browser::cboFileType_Click()
{
    const std::string pattern = patternForFileType(m_window.cboFileType().selectedIndex());
    if (!pattern.empty())
        m_window.File1().setPattern(pattern);
}

} // namespace orvane
