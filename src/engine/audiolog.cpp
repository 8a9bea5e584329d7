#include "engine/audiolog.h"

#include "text/terminaltext.h"

#include <cstdio>
#include <mutex>
#include <unordered_set>

namespace orvane {

namespace {

constexpr std::size_t kRememberedBytes = 1u << 20; // then forget and start again

} // namespace

void reportAudioProblem(const std::string& line)
{
    const std::string text = "orvane: " + escapedForTerminal(line) + "\n";
    static std::mutex mutex;
    static std::unordered_set<std::string> written;
    static std::size_t writtenBytes = 0;
    const std::lock_guard lock(mutex);
    if (!written.insert(text).second)
        return;
    writtenBytes += text.size();
    if (writtenBytes > kRememberedBytes) {
        written.clear();
        writtenBytes = 0;
    }
    // One write per line, under the lock, so that lines from different threads never mix.
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace orvane
