#include "playback/trackopener.h"

#include "platform/mediacontrol.h"
#include "platform/pathseparator.h"

#include <algorithm>
#include <cctype>

namespace orvane {

namespace {

std::string toUpper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string toLower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isSeparator(char c)
{
    return c == kPathSeparator;
}

} // namespace

void OpenMusicFile(MediaControl& control, const std::string& path)
{
    control.setCommand("Close");
    const std::string ending = toUpper(path.size() > 3 ? path.substr(path.size() - 3) : path);
    control.setDeviceType(ending == "MID" || ending == "RMI" ? "Sequencer" : "WaveAudio");
    control.setFileName(path);
    control.setCommand("Open");
    control.setFlag(MediaFlag::Flag14, true);
}

std::string FileNameOnly(const std::string& path)
{
    const auto last = std::find_if(path.rbegin(), path.rend(), isSeparator);
    return toLower(std::string(last.base(), path.end()));
}

} // namespace orvane
