#pragma once

#include "engine/smfscanner.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace orvane {

// Writes the events of a scan (see scanSmf) as a Standard MIDI File in the one plain form that
// FluidSynth's reader takes without fault: a six-byte MThd whose track count matches, MTrk
// chunks and nothing else, every track closed by an end of track, running status only where
// FluidSynth reads it the same way (it keeps the status of meta and system-exclusive events
// too), and SMPTE timing turned into the metrical timing that keeps every tick at its time.
class MidiNormaliser : public SmfEventSink
{
public:
    // `expectedBytes`: about how large the file will be (the original's size will do).
    explicit MidiNormaliser(std::size_t expectedBytes = 0);

    void beginTrack() override;
    void event(const SmfEvent& event) override;
    void endTrack(std::uint32_t delta) override;

    // The whole file; `summary` is the valid scan that fed this normaliser.
    std::vector<std::uint8_t> finish(const SmfSummary& summary);

private:
    // Room for `bytes` more at the end of what is written.
    std::uint8_t* room(std::size_t bytes);
    void append(std::initializer_list<std::uint8_t> bytes);
    // Writes the run of the file's own bytes that is waiting to be copied.
    void flush();
    // Writes whole delta times that are too long for one, carried by events of no effect; what
    // is left of `ticks`.
    std::uint32_t carryLongDelta(std::uint32_t ticks);

    std::vector<std::uint8_t> m_bytes; // room for the MThd chunk, then the tracks, then spare
    std::size_t m_size;                // of what is written
    std::size_t m_trackStart = 0;
    std::uint8_t m_lastStatus = 0;
    // Events that go out as they are in the file are copied in runs, not one by one.
    const std::uint8_t* m_runBegin = nullptr;
    const std::uint8_t* m_runEnd = nullptr;
};

} // namespace orvane
