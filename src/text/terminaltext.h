#pragma once

#include <string>
#include <string_view>

namespace orvane {

// `text` made safe to write to a terminal in one line: control characters (C0, DEL, C1),
// line and paragraph separators, direction overrides, bytes that are not UTF-8 and the
// backslash are written as escapes (\n, \x1b, \\), so that a file's name can neither drive
// the terminal nor forge a line of its own.
std::string escapedForTerminal(std::string_view text);

} // namespace orvane
