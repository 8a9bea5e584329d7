#pragma once

#include <cstdint>

namespace orvane {

// Metrical timing (a division and one fixed tempo) under which every tick of a SMPTE-timed MIDI
// file keeps its time, so that FluidSynth, which plays only metrical files, can play it.
struct MetricalTiming
{
    std::uint16_t division; // ticks per quarter note
    std::uint32_t microsecondsPerQuarter;
};

// Frames x ticks per frame per quarter note, at one quarter note per second (per 1.001 s at
// 29.97 fps, written 29). `framesPerSecond` is 24, 25, 29 or 30; `ticksPerFrame` 1 to 255.
MetricalTiming metricalTimingForSmpte(int framesPerSecond, int ticksPerFrame);

} // namespace orvane
