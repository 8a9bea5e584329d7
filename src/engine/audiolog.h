#pragma once

#include <string>

namespace orvane {

// Writes one line about an audio problem to stderr, prefixed with the program's name. Control
// characters, bytes that are not UTF-8 and the backslash are written as escapes (\n, \x1b, \\),
// so that a file's name can neither drive the terminal nor forge a line of its own. A line that
// has been written once is not written again.
void reportAudioProblem(const std::string& line);

} // namespace orvane
