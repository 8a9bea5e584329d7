#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

class RegularFile;

// Finds a General MIDI SoundFont: the file named by ORVANE_SOUNDFONT, then the system's
// default GM SoundFont (Debian's default-GM.sf2 / default-GM.sf3 alternatives), then the files
// of the known Debian SoundFont packages, in the shared sounds folders of XDG_DATA_DIRS.
class SoundFontLocator
{
public:
    using FileCheck = std::function<bool(const std::string& path)>;

    // `isUsable` tells whether a candidate path can be loaded (by default: it opens as a regular
    // file that starts like a SoundFont).
    explicit SoundFontLocator(FileCheck isUsable = {});

    // Every place looked at, in order, for the given environment values (null when unset).
    static std::vector<std::string> candidates(const char* soundFontVariable,
                                               const char* xdgDataDirs);

    // The first candidate for this process's environment that `isUsable` accepts.
    std::optional<std::string> locate() const;

private:
    FileCheck m_isUsable;
};

// Why the opened `file` is no SoundFont FluidSynth could load (it does not start like a RIFF
// 'sfbk' SoundFont or a DLS file); empty when it looks like one.
std::string soundFontProblem(const RegularFile& file);

} // namespace orvane
