#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The whole content of a regular file no larger than `maxBytes`, opened without waiting (see
// RegularFile); nothing, with `error` set, when it is missing, not a regular file, unreadable or
// too large.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path,
                                                       std::size_t maxBytes, std::string& error);

} // namespace orvane
