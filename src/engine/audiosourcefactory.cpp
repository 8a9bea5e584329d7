#include "engine/audiosourcefactory.h"

#include "engine/filebytes.h"
#include "engine/midilimits.h"
#include "engine/midisource.h"
#include "engine/midisynth.h"
#include "engine/playbackengine.h"
#include "engine/preparedmidi.h"
#include "engine/wavsource.h"

namespace orvane {

std::shared_ptr<AudioSource> openAudioSource(TrackKind kind, const std::string& path,
                                             const std::shared_ptr<MidiSynth>& synth,
                                             std::string& error)
{
    if (kind == TrackKind::Wave)
        return WavSource::open(path, error);
    // FluidSynth reads the file on the render worker when it starts.
    PreparedMidi midi;
    {
        const auto bytes = readFileBytes(path, kMaxMidiFileBytes, error);
        if (!bytes)
            return nullptr;
        midi = prepareMidi(*bytes);
    }
    if (!midi.valid) {
        error = midi.error;
        return nullptr;
    }
    if (synth->failed()) {
        error = synth->error();
        return nullptr;
    }
    return std::make_shared<MidiSource>(synth, std::move(midi));
}

} // namespace orvane
