#pragma once

namespace orvane {

// When ORVANE_STARTUP_TRACE holds the launch time (CLOCK_MONOTONIC, in nanoseconds), prints
// "trace <milliseconds since then> <milestone>" on standard error; else nothing. For the
// start-up benchmark.
void traceStartup(const char* milestone);

} // namespace orvane
