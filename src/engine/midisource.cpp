#include "engine/midisource.h"

#include "engine/midisynth.h"

#include <algorithm>
#include <cmath>
#include <fluidsynth.h>

namespace orvane {

MidiSource::MidiSource(std::shared_ptr<MidiSynth> synth, PreparedMidi midi)
    : m_synth(std::move(synth)), m_midi(std::move(midi)),
      m_lengthFrames(static_cast<unsigned long long>(
          std::llround(std::max(m_midi.lengthSeconds, 0.0) * kOutputRate))),
      m_renderedFrames(m_lengthFrames) // nothing to render until started
{
}

MidiSource::~MidiSource()
{
    stopPlayer();
}

long long MidiSource::lengthMilliseconds() const
{
    return static_cast<long long>(std::floor(std::max(m_midi.lengthSeconds, 0.0) * 1000.0));
}

bool MidiSource::start(std::string& error)
{
    stopPlayer();
    fluid_synth_t* synth = m_synth->synth();
    m_fluid = synth;
    if (synth == nullptr) {
        error = "no SoundFont to play MIDI with";
        return false;
    }
    // Nothing of an earlier track may sound in this one.
    m_synth->reset();
    m_renderedFrames = 0;
    m_blockPos = kBlockFrames;
    if (m_lengthFrames == 0)
        return true;
    m_player = new_fluid_player(synth);
    if (m_player == nullptr ||
        fluid_player_add_mem(m_player, m_midi.smf.data(), m_midi.smf.size()) != FLUID_OK ||
        fluid_player_play(m_player) != FLUID_OK) {
        stopPlayer();
        m_renderedFrames = m_lengthFrames;
        error = "cannot start FluidSynth's MIDI player";
        return false;
    }
    // FluidSynth sounds what its player sends in a block from the next block on: the first
    // block is dropped, so that the file's first tick is the first frame. (The player also reads
    // the file in that block, here on the render worker.)
    renderBlock();
    m_blockPos = kBlockFrames;
    return true;
}

void MidiSource::stopPlayer()
{
    if (m_player == nullptr)
        return;
    fluid_player_stop(m_player);
    delete_fluid_player(m_player);
    m_player = nullptr;
}

void MidiSource::renderBlock()
{
    fluid_synth_write_float(m_fluid, static_cast<int>(kBlockFrames), m_block.data(), 0, 2,
                            m_block.data(), 1, 2);
    m_blockPos = 0;
}

std::size_t MidiSource::render(float* out, std::size_t frames)
{
    std::size_t written = 0;
    while (written < frames && m_renderedFrames < m_lengthFrames) {
        if (m_blockPos == kBlockFrames)
            renderBlock();
        const std::size_t run =
            std::min({frames - written, kBlockFrames - m_blockPos,
                      static_cast<std::size_t>(m_lengthFrames - m_renderedFrames)});
        std::copy_n(m_block.begin() + static_cast<std::ptrdiff_t>(m_blockPos * kOutputChannels),
                    run * kOutputChannels, out + written * kOutputChannels);
        m_blockPos += run;
        written += run;
        m_renderedFrames += run;
    }
    // The last frames fade out, so that notes still sounding at the cut end without a click.
    const unsigned long long fadeStart =
        m_lengthFrames - std::min<unsigned long long>(m_lengthFrames, kFadeFrames);
    const unsigned long long first = m_renderedFrames - written;
    for (unsigned long long frame = std::max(first, fadeStart); frame < m_renderedFrames; ++frame) {
        const auto gain = static_cast<float>(m_lengthFrames - frame) / kFadeFrames;
        float* at = out + (frame - first) * kOutputChannels;
        for (int channel = 0; channel < kOutputChannels; ++channel)
            at[channel] *= gain;
    }
    return written;
}

} // namespace orvane
