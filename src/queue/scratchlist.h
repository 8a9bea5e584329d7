#pragma once

#include "model/listmodel.h"

#include <string>
#include <vector>

namespace orvane {

// An unseen list whose removals cost O(log n) wherever they fall: entries are never moved,
// only marked gone, and a Fenwick tree over the marks finds the k-th remaining one.
class ScratchList
{
public:
    int count() const { return m_count; }
    // Entry `index` (must exist).
    std::string item(int index) const;
    // Appends an entry; ignored when the list holds kMaxListEntries.
    void addItem(const std::string& text);
    // Removes entry `index` (must exist).
    void removeItem(int index);

private:
    std::size_t slotOf(int index) const;

    std::vector<std::string> m_items;
    std::vector<char> m_present;
    std::vector<int> m_tree; // 1-based Fenwick tree of m_present
    int m_count = 0;
};

} // namespace orvane
