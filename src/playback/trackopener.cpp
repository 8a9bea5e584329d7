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

std::string deviceTypeFor(const std::string& path)
{
    const std::string ending = lowerCase(path.size() > 3 ? path.substr(path.size() - 3) : path);
    return ending == "mid" || ending == "rmi" ? "Sequencer" : "WaveAudio";
}

} // namespace

void OpenMusicFile(MediaControl& control, const std::string& path)
{
    control.setCommand("Close");
    control.setDeviceType(deviceTypeFor(path));
    control.setFileName(path);
    control.setCommand("Open");
    control.setFlag(MediaFlag::Flag14, true);
}

void ExpectMusicFile(MediaControl& control, const std::string& path)
{
    control.prepare(deviceTypeFor(path));
}

std::string FileNameOnly(const std::string& path)
{
    const auto last = std::find_if(path.rbegin(), path.rend(), isSeparator);
    return lowerCase(std::string(last.base(), path.end()));
}

} // namespace orvane
