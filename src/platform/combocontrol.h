#pragma once

#include <string>

namespace orvane {

// A drop-down list the user picks from and cannot type into.
class ComboControl
{
public:
    virtual ~ComboControl() = default;

    // Appends an entry.
    virtual void addItem(const std::string& text) = 0;
    // Number of entries.
    virtual int count() const = 0;
    // Text of entry `index` (must exist).
    virtual std::string itemText(int index) const = 0;
    // Index of the chosen entry, or -1.
    virtual int selectedIndex() const = 0;
    // Chooses entry `index`; raises Click before returning, exactly as a user's choice does.
    virtual void setSelectedIndex(int index) = 0;
};

} // namespace orvane
