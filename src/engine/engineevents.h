#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// Where a playback engine reports what happens, on its owner's thread.
class EngineEvents
{
public:
    virtual ~EngineEvents() = default;

    // The track has played to its end: its last frames are rendered, still to be heard, and a
    // track opened and played now follows them without a gap. Once per playback.
    virtual void ended() = 0;
    // The track could not be played (said on standard error too); the engine has closed it.
    // Once per playback.
    virtual void failed(const std::string& why) = 0;
    // Once per position interval while it is above 0, with the position then.
    virtual void position(std::int32_t milliseconds) = 0;
    // A short note for the user about the sound: the device was lost, or a file cannot be
    // played and why.
    virtual void note(const std::string& text) = 0;
};

} // namespace orvane
