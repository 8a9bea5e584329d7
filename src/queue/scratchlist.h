#pragma once

#include "platform/listcontrol.h"

#include <string>
#include <vector>

namespace orvane {

// An unseen list whose removals cost O(log n) wherever they fall: entries are never moved,
// only marked gone, and a Fenwick tree over the marks finds the k-th remaining one.
class ScratchList : public ListControl
{
public:
    int count() const override { return m_count; }
    std::string item(int index) const override;
    void addItem(const std::string& text) override;
    void removeItem(int index) override;
    int selectedIndex() const override { return m_selected; }
    void setSelectedIndex(int index) override { m_selected = index; }

private:
    std::size_t slotOf(int index) const;

    std::vector<std::string> m_items;
    std::vector<char> m_present;
    std::vector<int> m_tree; // 1-based Fenwick tree of m_present
    int m_count = 0;
    int m_selected = -1;
};

} // namespace orvane
