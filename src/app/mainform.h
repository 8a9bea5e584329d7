#pragma once

#include "app/fileopener.h"
#include "app/volumemixer.h"
#include "browser/browser.h"
#include "browser/dragdrop.h"
#include "playback/player.h"
#include "queue/queuebuilder.h"

namespace orvane {

class AboutWindowFactory;
class EventLoop;
class ProgramLauncher;
class MainWindowView;
class RandomSource;
class SystemInfo;
class Volumes;

// The platform services the main window's logic uses besides its controls.
struct Services
{
    SystemInfo& system;
    const Volumes& volumes;
    EventLoop& loop;
    RandomSource& random;
    AboutWindowFactory& about;
    ProgramLauncher& launcher;
};

// The main window's logic: start-up, leaving, help, and the browser, queue and player that
// handle the controls' events.
class MainForm
{
public:
    MainForm(MainWindowView& window, Services services);

    // Prepares the window before it is first shown: seed, folder, caption, help, file types,
    // media settings, command-line switches.
    void Form_Load();
    // The window is closing: closes the media device.
    void Form_Unload();

    void cmdExit_Click();
    void exit_Click();
    void HelpContents_Click();
    void HelpAbout_Click();
    void imgVolume_Click();

    Browser& browser() { return m_browser; }
    QueueBuilder& queue() { return m_queue; }
    Player& player() { return m_player; }
    DragDrop& dragDrop() { return m_dragDrop; }
    FileOpener& opener() { return m_opener; }

private:
    MainWindowView& m_window;
    Services m_services;
    Player m_player;
    Browser m_browser;
    QueueBuilder m_queue;
    DragDrop m_dragDrop;
    VolumeMixer m_volumeMixer;
    FileOpener m_opener;
};

} // namespace orvane
