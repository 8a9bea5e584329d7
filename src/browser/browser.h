#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace orvane {

class FileSystem;
struct FormModel;
class Volumes;

// Chains the drive list, the folder list, the file type and the file list. The assignments
// run the change handler of the control assigned at once, nested inside them, as the
// controls' own would.
class Browser
{
public:
    // Offers the volumes' drives.
    Browser(FormModel& form, FileSystem& files, const Volumes& volumes);

    // Shows `folder` (the folder the program starts in) on its drive.
    void start(const std::string& folder);
    // Opens `folder` in the folder list; the drive list follows. Nothing when it cannot be
    // opened.
    void show(const std::string& folder);

    // Chooses the drive that holds `path`; runs Drive1_Change when that is another drive.
    void setDrive(const std::string& path);
    // Opens folder `path` and runs Dir1_Change; false, changing nothing, when it cannot be
    // opened.
    bool setFolder(const std::string& path);
    // Chooses entry `index` of the file types and runs cboFileType_Click.
    void setFileType(int index);

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
    // Lists the file list's folder under `pattern` afresh; a slow disk's names fill in as
    // they come.
    void listFiles(const std::string& folder, const std::string& pattern);

    FormModel& m_form;
    FileSystem& m_files;
    const Volumes& m_volumes;
    std::map<std::string, std::string> m_lastFolderOnDrive;
    bool m_puttingBack = false;
    bool m_followingFolder = false;
    std::uint64_t m_fileListing = 0;                        // the file list's latest listing
    std::shared_ptr<int> m_alive = std::make_shared<int>(); // late batches check it
};

// The file list's pattern for entry `index` of the file types; empty for any other index.
std::string patternForFileType(int index);

} // namespace orvane
