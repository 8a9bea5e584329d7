#pragma once

#include "engine/audiosource.h"
#include "engine/outputformat.h"
#include "engine/preparedmidi.h"

#include <array>
#include <memory>
#include <string>

typedef struct _fluid_player_t fluid_player_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace orvane {

class MidiSynth;

// A MIDI file for the output: a FluidSynth player over the shared synthesizer, reset for each
// start, rendered in whole synthesizer blocks and cut off at the file's last end of track, with
// whatever still sounds there faded out over a few milliseconds.
class MidiSource : public AudioSource
{
public:
    // Frames over which the sound fades out before the cut.
    static constexpr std::size_t kFadeFrames = kOutputRate / 200;

    // The source of `midi`; cheap: FluidSynth reads the file when the source starts.
    MidiSource(std::shared_ptr<MidiSynth> synth, PreparedMidi midi);
    ~MidiSource() override;
    MidiSource(const MidiSource&) = delete;
    MidiSource& operator=(const MidiSource&) = delete;

    bool start(std::string& error) override;
    std::size_t render(float* out, std::size_t frames) override;
    bool finished() const override { return m_renderedFrames >= m_lengthFrames; }
    long long lengthMilliseconds() const override;

private:
    static constexpr std::size_t kBlockFrames = 64; // FluidSynth's own block size

    void stopPlayer();
    void renderBlock();

    std::shared_ptr<MidiSynth> m_synth;
    fluid_synth_t* m_fluid = nullptr;
    fluid_player_t* m_player = nullptr;
    PreparedMidi m_midi;
    unsigned long long m_lengthFrames;
    unsigned long long m_renderedFrames;
    std::array<float, kBlockFrames * kOutputChannels> m_block{};
    std::size_t m_blockPos = kBlockFrames;
};

} // namespace orvane
