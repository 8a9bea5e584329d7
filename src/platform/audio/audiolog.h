#pragma once

#include <string>

namespace orvane {

// Writes one line about an audio problem to stderr, prefixed with the program's name.
void reportAudioProblem(const std::string& line);

} // namespace orvane
