#pragma once

#include "platform/combocontrol.h"
#include "platform/drivelistcontrol.h"
#include "platform/filelistcontrol.h"
#include "platform/folderlistcontrol.h"
#include "platform/gaugecontrol.h"
#include "platform/listcontrol.h"
#include "platform/posix/folderlisting.h"
#include "platform/textcontrol.h"
#include "platform/volumes.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace orvane {

class FakeText : public TextControl
{
public:
    std::string text() const override { return m_text; }
    void setText(const std::string& text) override { m_text = text; }

private:
    std::string m_text;
};

class FakeList : public ListControl
{
public:
    int count() const override { return static_cast<int>(m_items.size()); }
    std::string item(int index) const override { return m_items.at(index); }
    void addItem(const std::string& text) override
    {
        if (count() < kMaxListEntries)
            m_items.push_back(text);
    }
    void removeItem(int index) override
    {
        m_items.erase(m_items.begin() + index);
        m_selected = m_selected == index ? -1 : m_selected - (m_selected > index);
    }
    int selectedIndex() const override { return m_selected; }
    void setSelectedIndex(int index) override { m_selected = index; }

    std::vector<std::string> items() const { return {m_items.begin(), m_items.end()}; }

private:
    std::deque<std::string> m_items;
    int m_selected = -1;
};

class FakeCombo : public ComboControl
{
public:
    void addItem(const std::string& text) override { m_items.push_back(text); }
    int count() const override { return static_cast<int>(m_items.size()); }
    std::string itemText(int index) const override { return m_items.at(index); }
    int selectedIndex() const override { return m_selected; }
    void setSelectedIndex(int index) override
    {
        m_selected = index;
        if (onClick)
            onClick();
    }

    std::function<void()> onClick;

private:
    std::vector<std::string> m_items;
    int m_selected = -1;
};

class FakeGauge : public GaugeControl
{
public:
    void setMinimum(int) override {}
    void setMaximum(int seconds) override { maximum = seconds; }
    void setValue(double seconds) override { value = seconds; }

    int maximum = 100;
    double value = 0;
};

// Lists real folders through the same listing the window uses.
class FakeFileList : public FileListControl
{
public:
    std::string path() const override { return m_path; }
    void setPath(const std::string& path) override
    {
        m_path = path;
        reread();
    }
    std::string pattern() const override { return m_pattern; }
    void setPattern(const std::string& pattern) override
    {
        m_pattern = pattern;
        reread();
    }
    int count() const override { return static_cast<int>(m_names.size()); }
    std::string name(int index) const override { return m_names.at(index); }
    int selectedIndex() const override { return m_selected; }
    void setSelectedIndex(int index) override { m_selected = index; }

    int reads = 0;

private:
    void reread()
    {
        ++reads;
        m_names = listMatchingFiles(m_path, m_pattern, kMaxListEntries);
        m_selected = -1;
    }

    std::string m_path;
    std::string m_pattern = "*.*";
    std::vector<std::string> m_names;
    int m_selected = -1;
};

// Opens real folders; paths in `unreadable` fail as a drive without a medium does.
class FakeFolderList : public FolderListControl
{
public:
    std::string path() const override { return m_path; }
    bool setPath(const std::string& path) override
    {
        if (unreadable.count(path) || !std::filesystem::is_directory(path))
            return false;
        m_path = path;
        if (onChange)
            onChange();
        return true;
    }

    std::set<std::string> unreadable;
    std::function<void()> onChange;

private:
    std::string m_path;
};

class FakeDriveList : public DriveListControl
{
public:
    explicit FakeDriveList(const Volumes& volumes) : m_volumes(volumes) {}

    std::string drive() const override { return m_drive; }
    void setDrive(const std::string& path) override
    {
        const std::string drive = m_volumes.driveOf(path);
        if (drive == m_drive)
            return;
        m_drive = drive;
        ++changes;
        if (onChange)
            onChange();
    }
    void refresh() override {}

    std::function<void()> onChange;
    int changes = 0;

private:
    const Volumes& m_volumes;
    std::string m_drive;
};

} // namespace orvane
