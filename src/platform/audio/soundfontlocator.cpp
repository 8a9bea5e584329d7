#include "platform/audio/soundfontlocator.h"

#include "platform/audio/audiolog.h"

#include <cstdlib>
#include <unistd.h>

namespace orvane {

namespace {

constexpr const char* kDefaultDataDirs = "/usr/local/share:/usr/share";

// Folders and files of Debian's GM SoundFont packages, best first.
constexpr const char* kPackagedSoundFonts[] = {
    "sf2/FluidR3_GM.sf2",        "sf3/FluidR3_GM.sf3",        "sf3/FluidR3Mono_GM.sf3",
    "sf3/MuseScore_General.sf3", "sf2/MuseScore_General.sf2", "sf2/TimGM6mb.sf2",
    "sf2/FluidR3_GS.sf2",        "sf3/FluidR3Mono_GS.sf3",
};

std::vector<std::string> splitFolders(const std::string& list)
{
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t colon = list.find(':', start);
        const std::size_t end = colon == std::string::npos ? list.size() : colon;
        std::string folder = list.substr(start, end - start);
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back();
        if (!folder.empty())
            folders.push_back(folder);
        start = end + 1;
    }
    return folders;
}

bool isReadableFile(const std::string& path)
{
    return ::access(path.c_str(), R_OK) == 0;
}

} // namespace

SoundFontLocator::SoundFontLocator(FileCheck isUsable)
    : m_isUsable(isUsable ? std::move(isUsable) : FileCheck(&isReadableFile))
{
}

std::vector<std::string> SoundFontLocator::candidates(const char* soundFontVariable,
                                                      const char* xdgDataDirs)
{
    std::vector<std::string> paths;
    if (soundFontVariable != nullptr && *soundFontVariable != '\0')
        paths.emplace_back(soundFontVariable);
    const std::vector<std::string> folders = splitFolders(
        xdgDataDirs != nullptr && *xdgDataDirs != '\0' ? xdgDataDirs : kDefaultDataDirs);
    for (const std::string& folder : folders) {
        paths.push_back(folder + "/sounds/sf2/default-GM.sf2");
        paths.push_back(folder + "/sounds/sf3/default-GM.sf3");
    }
    for (const char* file : kPackagedSoundFonts) {
        for (const std::string& folder : folders)
            paths.push_back(folder + "/sounds/" + file);
    }
    return paths;
}

std::optional<std::string> SoundFontLocator::locate() const
{
    const char* variable = std::getenv("ORVANE_SOUNDFONT");
    const std::vector<std::string> paths = candidates(variable, std::getenv("XDG_DATA_DIRS"));
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (m_isUsable(paths[i]))
            return paths[i];
        if (i == 0 && variable != nullptr && *variable != '\0')
            reportAudioProblem("ORVANE_SOUNDFONT names " + paths[i] +
                               ", which cannot be read; looking for the system's SoundFont");
    }
    return std::nullopt;
}

} // namespace orvane
