#pragma once

#include "app/fileopener.h"
#include "app/volumemixer.h"
#include "browser/browser.h"
#include "browser/dragdrop.h"
#include "model/formmodel.h"
#include "platform/mainwindowevents.h"
#include "playback/mediabuttons.h"
#include "playback/player.h"
#include "queue/queuebuilder.h"

namespace orvane {

class AboutWindowFactory;
class EventLoop;
class FileSystem;
class HelpViewer;
class MediaControl;
class ProgramLauncher;
class RandomSource;
class SystemInfo;
class Volumes;

// What the main window's logic uses besides the window.
struct Services
{
    SystemInfo& system;
    FileSystem& files;
    const Volumes& volumes;
    EventLoop& loop;
    RandomSource& random;
    AboutWindowFactory& about;
    ProgramLauncher& launcher;
    // The multimedia control, MMControl1.
    MediaControl& media;
    // The help viewer, CommonDialog1.
    HelpViewer& help;
};

// The main window's logic: it owns the window's state (the form's model), starts and leaves,
// and hands the window's events to the browser, the queue and the player, for as long as it
// lives.
class MainForm : public MainWindowEvents
{
public:
    // Shows its model in `window` and receives the window's and the media control's events.
    MainForm(MainWindowView& window, Services services);
    ~MainForm() override;
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    // Prepares the window before it is first shown: seed, folder, caption, help, file types,
    // media settings, command-line switches.
    void Form_Load();
    // The window is closing: closes the media device.
    void Form_Unload() override;

    void Drive1_Pick(const std::string& Drive) override { m_browser.setDrive(Drive); }
    void Dir1_Open(const std::string& Path) override { m_browser.setFolder(Path); }
    void cboFileType_Pick(int Index) override { m_browser.setFileType(Index); }
    void File1_Select(int Index) override { m_model.File1.setSelectedIndex(Index); }
    void File1_DblClick() override { m_queue.File1_DblClick(); }
    void File1_KeyPress(int KeyAscii) override { m_queue.File1_KeyPress(KeyAscii); }
    void File1_MouseMove(int Button) override { m_dragDrop.File1_MouseMove(Button); }
    void File1_DragOver(DragList Source, int State) override;
    void File1_DragDrop(DragList Source) override { m_dragDrop.File1_DragDrop(Source); }
    void lstMusicQ_Select(int Index) override { m_model.lstMusicQ.setSelectedIndex(Index); }
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

    // The window's state, which the handlers edit.
    FormModel& model() { return m_model; }
    Browser& browser() { return m_browser; }
    QueueBuilder& queue() { return m_queue; }
    Player& player() { return m_player; }
    // The transport buttons, for those outside the window that press them.
    TransportButtons& transport() { return m_transport; }
    FileOpener& opener() { return m_opener; }

private:
    MainWindowView& m_window;
    Services m_services;
    FormModel m_model;
    Player m_player;
    Browser m_browser;
    QueueBuilder m_queue;
    DragDrop m_dragDrop;
    VolumeMixer m_volumeMixer;
    FileOpener m_opener;
    MediaButtons m_transport;
};

} // namespace orvane
