#include "engine/soundfontlocator.h"

#include "engine/regularfile.h"

#include <algorithm>
#include <array>
#include <cstdlib>

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

bool looksLikeSoundFont(const std::string& path)
{
    std::string error;
    const RegularFile file = RegularFile::open(path, error);
    return file && soundFontProblem(file).empty();
}

} // namespace

SoundFontLocator::SoundFontLocator(FileCheck isUsable)
    : m_isUsable(isUsable ? std::move(isUsable) : FileCheck(&looksLikeSoundFont))
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
    for (const std::string& path :
         candidates(std::getenv("ORVANE_SOUNDFONT"), std::getenv("XDG_DATA_DIRS"))) {
        if (m_isUsable(path))
            return path;
    }
    return std::nullopt;
}

std::string soundFontProblem(const RegularFile& file)
{
    std::array<char, 12> start{};
    if (file.readAt(start.data(), start.size(), 0) != static_cast<long long>(start.size()))
        return file.size() == 0 ? "the file is empty" : "the file is too short to be a SoundFont";
    const auto has = [&](std::size_t at, const char* id) {
        return std::equal(start.begin() + static_cast<std::ptrdiff_t>(at),
                          start.begin() + static_cast<std::ptrdiff_t>(at + 4), id);
    };
    if (!has(0, "RIFF") || !(has(8, "sfbk") || has(8, "DLS ")))
        return "not a SoundFont (.sf2, .sf3 or .dls)";
    return {};
}

} // namespace orvane
