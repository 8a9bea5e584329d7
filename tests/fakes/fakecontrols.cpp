#include "fakes/fakecontrols.h"

#include "platform/posix/folderlisting.h"
#include "platform/volumes.h"

#include <filesystem>

namespace orvane {

void FakeList::addItem(const std::string& text)
{
    if (count() < kMaxListEntries)
        m_items.push_back(text);
}

void FakeList::removeItem(int index)
{
    m_items.erase(m_items.begin() + index);
    if (m_selected == index)
        m_selected = -1;
    else if (m_selected > index)
        --m_selected;
}

void FakeCombo::setSelectedIndex(int index)
{
    m_selected = index;
    if (onClick)
        onClick();
}

void FakeFileList::setPath(const std::string& path)
{
    m_path = path;
    reread();
}

void FakeFileList::setPattern(const std::string& pattern)
{
    m_pattern = pattern;
    reread();
}

void FakeFileList::reread()
{
    ++reads;
    m_names = listMatchingFiles(m_path, m_pattern, kMaxListEntries);
    m_selected = -1;
}

bool FakeFolderList::setPath(const std::string& path)
{
    if (unreadable.count(path) || !std::filesystem::is_directory(path))
        return false;
    m_path = path;
    if (onChange)
        onChange();
    return true;
}

void FakeDriveList::setDrive(const std::string& path)
{
    const std::string drive = m_volumes.driveOf(path);
    if (drive == m_drive)
        return;
    m_drive = drive;
    ++changes;
    if (onChange)
        onChange();
}

} // namespace orvane
