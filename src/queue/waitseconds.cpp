#include "queue/waitseconds.h"

#include "platform/eventloop.h"

#include <cmath>

namespace orvane {

void WaitSeconds(EventLoop& loop, float seconds)
{
    // A nested loop with a timer: no busy wait, and no trouble at midnight.
    loop.runFor(static_cast<int>(std::lround(seconds * 1000.0f)));
}

} // namespace orvane
