#pragma once

#include <string>

namespace orvane {

class MediaControl;

// Closes the device and opens queue entry `path` on the device its ending calls for
// ("Sequencer" for ...MID and ...RMI in any case, else "WaveAudio"), without playing it.
void OpenMusicFile(MediaControl& control, const std::string& path);

// Gets the device that queue entry `path` will be opened on ready in the background.
void ExpectMusicFile(MediaControl& control, const std::string& path);

// The short name of queue entry `path`: the text after its last separator, in lower case.
std::string FileNameOnly(const std::string& path);

} // namespace orvane
