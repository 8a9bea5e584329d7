#include "platform/audio/audiolog.h"

#include <cstdio>

namespace orvane {

void reportAudioProblem(const std::string& line)
{
    // One write per line so that lines from different threads do not interleave.
    const std::string text = "orvane: " + line + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace orvane
