#include "app/programinfo.h"

namespace orvane {

namespace {

constexpr const char* kUsage =
    "Usage: orvane [/wav] [/mid] [/r] [/q] [/p] [/m] [FILE|FOLDER]...\n"
    "A music player for MIDI (.mid, .rmi) and WAV files.\n"
    "\n"
    "  FILE, FOLDER  queue the file, or the folder's listed files, and play the queue;\n"
    "                with a player already running in the session, it gets them\n"
    "  /wav   list WAV files only\n"
    "  /mid   list MIDI files only\n"
    "  /r     queue every listed file in random order\n"
    "  /q     queue every listed file in order\n"
    "  /p     play the head of the queue\n"
    "  /m     start minimised\n"
    "  -h, --help  show this text and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Switches are found anywhere in the other arguments, in any case, and act in the order\n"
    "above; named files are queued after /wav and /mid.\n"
    "Environment: ORVANE_SOUNDFONT chooses the General MIDI SoundFont; SDL_AUDIODRIVER\n"
    "chooses SDL's audio driver.\n";

} // namespace

std::optional<std::string> informationRequested(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h")
            return std::string(kUsage);
        if (argument == "--version")
            return std::string(kVersion) + "\n";
    }
    return std::nullopt;
}

} // namespace orvane
