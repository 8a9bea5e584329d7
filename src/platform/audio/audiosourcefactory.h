#pragma once

#include <memory>
#include <string>

namespace orvane {

class AudioSource;
class MidiSynth;

// Opens `path` for `deviceType` ("WaveAudio" or "Sequencer", in any case): only what the
// length needs is done here, on the caller's thread, and bounded by the file caps. Null, with
// `error` set, when the file or the device type is unusable.
std::shared_ptr<AudioSource> openAudioSource(const std::string& deviceType, const std::string& path,
                                             const std::shared_ptr<MidiSynth>& synth,
                                             std::string& error);

} // namespace orvane
