#include "platform/audio/midisource.h"

#include "platform/audio/audiolog.h"

#include <algorithm>
#include <cmath>
#include <fluidsynth.h>

namespace orvane {

std::unique_ptr<MidiSource> MidiSource::open(fluid_synth_t* synth, PreparedMidi midi,
                                             std::string& error)
{
    std::unique_ptr<MidiSource> source(new MidiSource(synth, std::move(midi)));
    if (!source->start(error))
        return nullptr;
    return source;
}

MidiSource::MidiSource(fluid_synth_t* synth, PreparedMidi midi)
    : m_synth(synth), m_midi(std::move(midi)),
      m_lengthFrames(
          static_cast<unsigned long long>(std::llround(m_midi.lengthSeconds * kOutputRate)))
{
}

MidiSource::~MidiSource()
{
    stopPlayer();
}

long long MidiSource::lengthMilliseconds() const
{
    return static_cast<long long>(std::floor(m_midi.lengthSeconds * 1000.0));
}

bool MidiSource::start(std::string& error)
{
    stopPlayer();
    fluid_synth_system_reset(m_synth);
    m_player = new_fluid_player(m_synth);
    if (m_player == nullptr ||
        fluid_player_add_mem(m_player, m_midi.smf.data(), m_midi.smf.size()) != FLUID_OK ||
        fluid_player_play(m_player) != FLUID_OK) {
        error = "cannot start FluidSynth's MIDI player";
        return false;
    }
    m_renderedFrames = 0;
    m_finished = false;
    renderBlock();
    if (fluid_player_get_status(m_player) != FLUID_PLAYER_PLAYING) {
        error = "FluidSynth cannot read the MIDI file";
        stopPlayer();
        return false;
    }
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

bool MidiSource::rewind()
{
    std::string error;
    if (!start(error)) {
        reportAudioProblem(error);
        return false;
    }
    return true;
}

void MidiSource::renderBlock()
{
    fluid_synth_write_float(m_synth, static_cast<int>(kBlockFrames), m_block.data(), 0, 2,
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
    m_finished = m_renderedFrames >= m_lengthFrames;
    return written;
}

} // namespace orvane
