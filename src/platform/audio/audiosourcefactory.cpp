#include "platform/audio/audiosourcefactory.h"

#include "platform/audio/filebytes.h"
#include "platform/audio/midilimits.h"
#include "platform/audio/midisource.h"
#include "platform/audio/midisynth.h"
#include "platform/audio/preparedmidi.h"
#include "platform/audio/wavsource.h"
#include "text/lowercase.h"

namespace orvane {

std::shared_ptr<AudioSource> openAudioSource(const std::string& deviceType, const std::string& path,
                                             const std::shared_ptr<MidiSynth>& synth,
                                             std::string& error)
{
    const std::string device = lowerCase(deviceType);
    if (device == "waveaudio")
        return WavSource::open(path, error);
    if (device != "sequencer") {
        error = deviceType.empty() ? "no device type set"
                                   : "unknown device type \"" + deviceType + "\"";
        return nullptr;
    }
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
