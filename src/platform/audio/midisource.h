#pragma once

#include "platform/audio/audiosource.h"
#include "platform/audio/outputformat.h"
#include "platform/audio/preparedmidi.h"

#include <array>
#include <memory>
#include <string>

typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace orvane {

// A MIDI file for the output: a FluidSynth player over the shared synthesizer, rendered in
// whole synthesizer blocks and cut off at the file's last end of track.
class MidiSource : public AudioSource
{
public:
    // The source for `midi` on `synth`, reset and with its first block rendered (which makes
    // FluidSynth parse the file here rather than in the callback); null with `error` set when
    // FluidSynth cannot read the file.
    static std::unique_ptr<MidiSource> open(fluid_synth_t* synth, PreparedMidi midi,
                                            std::string& error);
    ~MidiSource() override;
    MidiSource(const MidiSource&) = delete;
    MidiSource& operator=(const MidiSource&) = delete;

    std::size_t render(float* out, std::size_t frames) override;
    bool finished() const override { return m_finished; }
    bool rewind() override;
    long long lengthMilliseconds() const override;

private:
    static constexpr std::size_t kBlockFrames = 64; // FluidSynth's own block size

    MidiSource(fluid_synth_t* synth, PreparedMidi midi);
    bool start(std::string& error);
    void stopPlayer();
    void renderBlock();

    fluid_synth_t* m_synth;
    fluid_player_t* m_player = nullptr;
    PreparedMidi m_midi;
    unsigned long long m_lengthFrames;
    unsigned long long m_renderedFrames = 0;
    std::array<float, kBlockFrames * kOutputChannels> m_block{};
    std::size_t m_blockPos = kBlockFrames;
    bool m_finished = false;
};

} // namespace orvane
