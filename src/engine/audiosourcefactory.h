#pragma once

#include <memory>
#include <string>

namespace orvane {

class AudioSource;
class MidiSynth;
enum class TrackKind;

// Opens `path` as `kind`: only what the length needs is done here, on the caller's thread, and
// bounded by the file caps. Null, with `error` set, when the file is unusable.
std::shared_ptr<AudioSource> openAudioSource(TrackKind kind, const std::string& path,
                                             const std::shared_ptr<MidiSynth>& synth,
                                             std::string& error);

} // namespace orvane
