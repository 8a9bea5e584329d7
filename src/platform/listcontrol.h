#pragma once

#include <string>

namespace orvane {

// Lists hold at most this many entries: counts and indexes are 16-bit.
inline constexpr int kMaxListEntries = 32767;

// A list box of text entries in the order added (the queue, the scratch list).
class ListControl
{
public:
    virtual ~ListControl() = default;

    // Number of entries.
    virtual int count() const = 0;
    // Text of entry `index` (0-based, must exist).
    virtual std::string item(int index) const = 0;
    // Appends an entry at the end; ignored when the list is full.
    virtual void addItem(const std::string& text) = 0;
    // Removes entry `index` (must exist); later entries move up by one.
    virtual void removeItem(int index) = 0;
    // Index of the selected entry, or -1 when none is selected.
    virtual int selectedIndex() const = 0;
    // Selects entry `index`, or nothing with -1.
    virtual void setSelectedIndex(int index) = 0;
};

} // namespace orvane
