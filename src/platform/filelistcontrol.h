#pragma once

#include <string>

namespace orvane {

// The file list: names of the ordinary files of one folder that match a pattern.
class FileListControl
{
public:
    virtual ~FileListControl() = default;

    // The folder listed.
    virtual std::string path() const = 0;
    // Lists folder `path` at once; a folder that cannot be listed gives an empty list.
    virtual void setPath(const std::string& path) = 0;
    // The pattern: wildcards ("*.MID;*.RMI") separated by ';', matched without regard to case.
    virtual std::string pattern() const = 0;
    // Sets the pattern and re-reads the folder at once.
    virtual void setPattern(const std::string& pattern) = 0;
    // Number of names listed.
    virtual int count() const = 0;
    // Name at `index` (must exist), without folder.
    virtual std::string name(int index) const = 0;
    // Index of the selected name, or -1.
    virtual int selectedIndex() const = 0;
    // Selects the name at `index`, or nothing with -1.
    virtual void setSelectedIndex(int index) = 0;
    // The selected name, or empty when none is selected.
    std::string selectedName() const
    {
        const int index = selectedIndex();
        return index >= 0 && index < count() ? name(index) : std::string();
    }
};

} // namespace orvane
