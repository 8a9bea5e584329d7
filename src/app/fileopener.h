#pragma once

#include <string>
#include <vector>

namespace orvane {

class Browser;
class FileSystem;
struct FormModel;
class MainWindowView;
class MediaControl;
class Player;

// Queues the music files and folders named from outside the window: on the command line, or
// by a later launch in the same desktop session. A folder gives its files as Queue All lists
// them.
class FileOpener
{
public:
    FileOpener(FormModel& form, MainWindowView& window, FileSystem& files, MediaControl& media,
               Browser& browser, Player& player);

    // Start-up: the browser shows the folder of the first path, then every path is queued.
    void queueAtStart(const std::vector<std::string>& paths);
    // A later launch: the paths are queued; when nothing plays they go ahead of the entries
    // waiting, and the first of them plays.
    void openFromLaunch(const std::vector<std::string>& paths);

private:
    // The queue entries for `paths`, at most `room` of them; beeps when some do not fit.
    std::vector<std::string> entriesFor(const std::vector<std::string>& paths, int room);

    FormModel& m_form;
    MainWindowView& m_window;
    FileSystem& m_files;
    MediaControl& m_media;
    Browser& m_browser;
    Player& m_player;
};

} // namespace orvane
