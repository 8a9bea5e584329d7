#pragma once

#include <map>
#include <string>

namespace orvane {

class MainWindowView;
class Volumes;

// Chains the drive list, the folder list, the file type and the file list.
class Browser
{
public:
    Browser(MainWindowView& window, const Volumes& volumes);

    // Shows `folder` (the folder the program starts in) on its drive.
    void start(const std::string& folder);
    // Opens `folder` in the folder list; the drive list follows. Nothing when it cannot be
    // opened.
    void show(const std::string& folder);

    // The drive changed: opens the folder last shown on it, else (never shown, or gone since)
    // its root; a drive that cannot be read at all is silently put back.
    void Drive1_Change();
    // The folder changed: the drive list shows the drive that holds it, the file list lists it.
    void Dir1_Change();
    // The mounts changed: the drive list offers what is mounted now and shows the drive of the
    // folder shown; a folder gone with its drive gives way to the drive that holds it now.
    void volumesChanged();
    // The file type changed: the file list gets its pattern.
    void cboFileType_Click();

private:
    std::string folderToOpen(const std::string& drive) const;

    MainWindowView& m_window;
    const Volumes& m_volumes;
    std::map<std::string, std::string> m_lastFolderOnDrive;
    bool m_puttingBack = false;
    bool m_followingFolder = false;
};

// The file list's pattern for entry `index` of the file types; empty for any other index.
std::string patternForFileType(int index);

} // namespace orvane
