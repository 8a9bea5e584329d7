#pragma once

#include "platform/audio/audiomediacontrol.h"
#include "platform/qt/windowrig.h"

#include <QAbstractButton>
#include <QDir>
#include <fstream>
#include <string>
#include <vector>

namespace orvane {

// Resident memory of this process in kB.
inline long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

// The real media control on its silent sink, noting every file it is told to play.
class PlayLoggingControl : public AudioMediaControl
{
public:
    explicit PlayLoggingControl(EventLoop& loop) : AudioMediaControl(loop, silentOptions()) {}

    void setCommand(const std::string& command) override
    {
        if (command == "play")
            played.push_back(fileName());
        AudioMediaControl::setCommand(command);
    }

    std::vector<std::string> played;

private:
    static AudioMediaControlOptions silentOptions()
    {
        AudioMediaControlOptions options;
        options.output = AudioMediaControlOptions::Output::Silent;
        return options;
    }
};

// The main window over the real logic and the real (silent) media control, started in
// `folder` as the program would be.
struct PlayerRig : Rig<PlayLoggingControl>
{
    explicit PlayerRig(const QString& folder) : Rig((QDir::setCurrent(folder), std::string()))
    {
        form.Form_Load();
        window.show();
    }

    QAbstractButton* control(const char* name) { return Rig::control<QAbstractButton>(name); }
    bool idle()
    {
        return window.lstMusicQ().count() == 0 && window.txtPlaying().text().empty() &&
               window.txtLength().text().empty() && media.mode() == MediaMode::NotOpen;
    }
};

} // namespace orvane
