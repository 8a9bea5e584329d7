#include "playback/trackopener.h"

#include "model/pathseparator.h"
#include "platform/mediacontrol.h"
#include "text/lowercase.h"

#include <algorithm>

namespace orvane {

namespace {

bool isSeparator(char c)
{
    return c == kPathSeparator;
}

} // namespace

void OpenMusicFile(MediaControl& control, const std::string& path)
{
    control.setCommand("Close");
    const std::string ending = lowerCase(path.size() > 3 ? path.substr(path.size() - 3) : path);
    control.setDeviceType(ending == "mid" || ending == "rmi" ? "Sequencer" : "WaveAudio");
    control.setFileName(path);
    control.setCommand("Open");
    control.setFlag(MediaFlag::Flag14, true);
}

std::string FileNameOnly(const std::string& path)
{
    const auto last = std::find_if(path.rbegin(), path.rend(), isSeparator);
    return lowerCase(std::string(last.base(), path.end()));
}

} // namespace orvane
