#include "browser/namesinorder.h"

#include "model/listmodel.h"
#include "text/lowercase.h"

#include <iterator>

namespace orvane {

namespace {

struct SortKey
{
    std::string lower;
    const std::string* name;

    explicit SortKey(const std::string& text) : lower(lowerCase(text)), name(&text) {}
    bool operator<(const SortKey& other) const
    {
        return lower != other.lower ? lower < other.lower : *name < *other.name;
    }
};

// The first entry of `list` from `from` on that `name` comes before.
int placeOf(const ListModel& list, const SortKey& name, int from)
{
    int low = from, high = list.count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (SortKey(list.item(middle)) < name)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

// Inserting each name where it goes moves the entries after it: for many names, merging the
// whole list anew costs less.
constexpr std::size_t kFewNames = 64;

void mergeAnew(ListModel& list, std::vector<std::string> names)
{
    std::vector<std::string> entries = list.items();
    const std::size_t selected = static_cast<std::size_t>(list.selectedIndex());
    std::vector<std::string> merged;
    merged.reserve(entries.size() + names.size());
    int selectedNow = -1;
    const auto keysOf = [](const std::vector<std::string>& texts) {
        std::vector<SortKey> keys;
        keys.reserve(texts.size());
        for (const std::string& text : texts)
            keys.emplace_back(text);
        return keys;
    };
    const std::vector<SortKey> entryKeys = keysOf(entries), nameKeys = keysOf(names);
    for (std::size_t entry = 0, name = 0; entry < entries.size() || name < names.size();) {
        if (name == names.size() ||
            (entry < entries.size() && !(nameKeys[name] < entryKeys[entry]))) {
            if (entry == selected)
                selectedNow = static_cast<int>(merged.size());
            merged.push_back(std::move(entries[entry++]));
        } else {
            merged.push_back(std::move(names[name++]));
        }
    }
    list.assign(std::move(merged));
    list.setSelectedIndex(selectedNow);
}

} // namespace

void insertInOrder(ListModel& list, std::vector<std::string> names)
{
    if (names.size() > kFewNames)
        return mergeAnew(list, std::move(names));
    // Runs of names that fall between the same two entries go in at once.
    int at = 0;
    for (auto first = names.begin(); first != names.end() && at < kMaxListEntries;) {
        at = placeOf(list, SortKey(*first), at);
        auto end = std::next(first);
        if (at == list.count()) {
            end = names.end();
        } else {
            const SortKey nextKey(list.item(at));
            while (end != names.end() && SortKey(*end) < nextKey)
                ++end;
        }
        const int added = static_cast<int>(end - first);
        list.insertItems(at, {std::make_move_iterator(first), std::make_move_iterator(end)});
        at += added;
        first = end;
    }
}

} // namespace orvane
