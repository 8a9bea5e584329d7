#pragma once

#include <string>
#include <string_view>

namespace orvane {

// `text` (UTF-8) in lower case: ASCII, and the capitals of the Latin, Greek, Cyrillic and
// Armenian alphabets and of the full-width forms. Bytes that are not UTF-8 stay as they are,
// so a name that is not valid UTF-8 still compares and shows as itself.
std::string lowerCase(std::string_view text);

} // namespace orvane
