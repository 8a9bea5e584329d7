#pragma once

#include <deque>
#include <string>
#include <vector>

namespace orvane {

// Lists hold at most this many entries: counts and indexes are 16-bit.
inline constexpr int kMaxListEntries = 32767;

// What the view of a list is told: each change of the entries, just before and just after it
// is made, and each change of the selection.
class ListObserver
{
public:
    enum class Change { Insert, Remove, Reset };

    virtual ~ListObserver() = default;

    // Entries `first` to `last` are about to be inserted or removed; with Reset, all of them
    // are about to be replaced.
    virtual void changing(Change change, int first, int last) = 0;
    // The change announced last is made.
    virtual void changed() = 0;
    // Another entry is selected now, or none.
    virtual void selectionChanged() = 0;
};

// The entries of a list box in the order added, at most kMaxListEntries, with one selected or
// none: the queue, the file list's names, the file types. Removing the first entry costs no
// more than appending one.
class ListModel
{
public:
    int count() const { return static_cast<int>(m_items.size()); }
    // Entry `index` (must exist).
    const std::string& item(int index) const { return m_items[static_cast<std::size_t>(index)]; }
    std::vector<std::string> items() const { return {m_items.begin(), m_items.end()}; }
    // Appends `text`; false, changing nothing, when the list is full.
    bool addItem(std::string text);
    // Inserts `texts` before entry `index` (0 to count()); the selection stays with its entry.
    // What would pass kMaxListEntries falls off the end.
    void insertItems(int index, std::vector<std::string> texts);
    // Removes entry `index` (must exist); the selection stays with its entry, and none is
    // selected once that entry is removed.
    void removeItem(int index);
    // Replaces every entry, keeping at most kMaxListEntries; none is selected.
    void assign(std::vector<std::string> items);
    // The selected entry's index, or -1.
    int selectedIndex() const { return m_selected; }
    // Selects entry `index`; -1, or an index outside the list, selects none.
    void setSelectedIndex(int index);
    // The selected entry; empty when none is selected.
    std::string selectedItem() const;
    // The view told of every change from now on; null for none.
    void setObserver(ListObserver* observer) { m_observer = observer; }

private:
    std::deque<std::string> m_items;
    int m_selected = -1;
    ListObserver* m_observer = nullptr;
};

} // namespace orvane
