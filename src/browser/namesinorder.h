#pragma once

#include <string>
#include <vector>

namespace orvane {

class ListModel;

// Adds `names`, in the order of a file listing (by name without regard to case, then by the
// names' own bytes), to `list`, in that order too: each where it belongs. A full list keeps the
// names that come first.
void insertInOrder(ListModel& list, std::vector<std::string> names);

} // namespace orvane
