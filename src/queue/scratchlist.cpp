#include "queue/scratchlist.h"

namespace orvane {

std::string ScratchList::item(int index) const
{
    return m_items[slotOf(index)];
}

void ScratchList::addItem(const std::string& text)
{
    if (m_count >= kMaxListEntries)
        return;
    if (m_count == 0) {
        // Start afresh once emptied so that the marks of old entries do not pile up.
        m_items.clear();
        m_present.clear();
        m_tree.assign(1, 0);
    }
    m_items.push_back(text);
    m_present.push_back(1);
    // Appending to a Fenwick tree: the new node covers the range ending at it.
    const std::size_t node = m_items.size();
    int sum = 1;
    for (std::size_t step = 1; step < (node & (~node + 1)); step <<= 1)
        sum += m_tree[node - step];
    m_tree.push_back(sum);
    ++m_count;
}

void ScratchList::removeItem(int index)
{
    const std::size_t slot = slotOf(index);
    m_present[slot] = 0;
    for (std::size_t node = slot + 1; node < m_tree.size(); node += node & (~node + 1))
        --m_tree[node];
    --m_count;
}

std::size_t ScratchList::slotOf(int index) const
{
    // Descend the tree for the (index + 1)-th present slot.
    std::size_t position = 0;
    int remaining = index + 1;
    std::size_t step = 1;
    while (step * 2 < m_tree.size())
        step *= 2;
    for (; step > 0; step /= 2) {
        const std::size_t next = position + step;
        if (next < m_tree.size() && m_tree[next] < remaining) {
            position = next;
            remaining -= m_tree[next];
        }
    }
    return position; // 0-based slot = 1-based node (position + 1) - 1
}

} // namespace orvane
