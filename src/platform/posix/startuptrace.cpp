#include "platform/posix/startuptrace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace orvane {

void traceStartup(const char* milestone)
{
    static const char* const launched = std::getenv("ORVANE_STARTUP_TRACE");
    if (launched == nullptr)
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double nanoseconds = static_cast<double>(now.tv_sec) * 1e9 +
                               static_cast<double>(now.tv_nsec) - std::strtod(launched, nullptr);
    std::fprintf(stderr, "trace %.1f %s\n", nanoseconds / 1e6, milestone);
}

} // namespace orvane
