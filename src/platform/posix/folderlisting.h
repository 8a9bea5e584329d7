#pragma once

#include "platform/filesystem.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// True when `name` matches one of the ';'-separated wildcards of `pattern` ('*' any run,
// '?' any one character), letter case ignored.
bool matchesPattern(std::string_view name, std::string_view pattern);

// Names of the ordinary, non-hidden files of `folder` that match `pattern`, ordered by
// name without regard to case, at most `limit` of them; empty when the folder cannot be read.
std::vector<std::string> listMatchingFiles(const std::string& folder, std::string_view pattern,
                                           std::size_t limit);

// The same names handed to `found` as they are found, in batches each in order: one every
// `every` while matching names come, and a last one when the listing ends. A folder that cannot
// be read to its end gives what was handed already.
void listMatchingFilesInBatches(const std::string& folder, std::string_view pattern,
                                std::chrono::milliseconds every,
                                const std::function<void(FileBatch)>& found);

} // namespace orvane
