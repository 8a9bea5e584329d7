#pragma once

#include "app/fileopener.h"
#include "app/volumemixer.h"
#include "browser/browser.h"
#include "browser/dragdrop.h"
#include "platform/mainwindowevents.h"
#include "playback/mediabuttons.h"
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
// handle the window's events, which the form receives for as long as it lives.
class MainForm : public MainWindowEvents
{
public:
    MainForm(MainWindowView& window, Services services);
    ~MainForm() override;
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    // Prepares the window before it is first shown: seed, folder, caption, help, file types,
    // media settings, command-line switches.
    void Form_Load();
    // The window is closing: closes the media device.
    void Form_Unload() override;

    void Drive1_Change() override { m_browser.Drive1_Change(); }
    void Dir1_Change() override { m_browser.Dir1_Change(); }
    void cboFileType_Click() override { m_browser.cboFileType_Click(); }
    void File1_DblClick() override { m_queue.File1_DblClick(); }
    void File1_KeyPress(int KeyAscii) override { m_queue.File1_KeyPress(KeyAscii); }
    void File1_MouseMove(int Button) override { m_dragDrop.File1_MouseMove(Button); }
    void File1_DragOver(DragList Source, int State) override;
    void File1_DragDrop(DragList Source) override { m_dragDrop.File1_DragDrop(Source); }
    void lstMusicQ_DblClick() override { m_queue.lstMusicQ_DblClick(); }
    void lstMusicQ_KeyDown(int KeyCode) override { m_queue.lstMusicQ_KeyDown(KeyCode); }
    void lstMusicQ_MouseMove(int Button) override { m_dragDrop.lstMusicQ_MouseMove(Button); }
    void lstMusicQ_DragOver(DragList Source, int State) override;
    void lstMusicQ_DragDrop(DragList Source) override { m_dragDrop.lstMusicQ_DragDrop(Source); }
    void cmdQAll_Click() override { m_queue.cmdQAll_Click(); }
    void cmdRnd_Click() override { m_queue.cmdRnd_Click(); }
    void cmdClear_Click() override { m_queue.cmdClear_Click(); }
    void cmdExit_Click() override;
    void imgVolume_Click() override { m_volumeMixer.imgVolume_Click(); }
    void MMControl1_ButtonPress(MediaButton Button) override { m_transport.press(Button); }
    void play_Click() override { m_player.play_Click(); }
    void clear_Click() override { m_queue.clear_Click(); }
    void random_Click() override { m_queue.random_Click(); }
    void queue_Click() override { m_queue.queue_Click(); }
    void exit_Click() override;
    void HelpContents_Click() override;
    void HelpAbout_Click() override;

    Browser& browser() { return m_browser; }
    QueueBuilder& queue() { return m_queue; }
    Player& player() { return m_player; }
    // The transport buttons, for those outside the window that press them.
    TransportButtons& transport() { return m_transport; }
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
    MediaButtons m_transport;
};

} // namespace orvane
