#pragma once

namespace orvane {

class EventLoop;

// Returns after `seconds`, the window handling its events meanwhile.
void WaitSeconds(EventLoop& loop, float seconds);

} // namespace orvane
