#include "app/mainform.h"

#include "app/commandlineswitches.h"
#include "app/common.h"
#include "app/programinfo.h"
#include "app/showabout.h"
#include "platform/helpviewer.h"
#include "platform/mainwindowview.h"
#include "platform/mediacontrol.h"
#include "platform/systeminfo.h"
#include "queue/addbackslash.h"
#include "queue/randomsource.h"

namespace orvane {

namespace {

constexpr const char* kHelpFileName = "orvane.hlp";
constexpr const char* kFileTypes[] = {"Music (*.mid;*.rmi;*.wav)", "Midi (*.mdi;*.rmi)",
                                      "Sound (*.wav)"};

} // namespace

MainForm::MainForm(MainWindowView& window, Services services)
    : m_window(window), m_services(services), m_player(m_model, services.media),
      m_browser(m_model, services.files, services.volumes),
      m_queue(m_model, window, services.media, m_player, services.random, services.loop),
      m_dragDrop(m_model, window, m_queue), m_volumeMixer(window, services.launcher),
      m_opener(m_model, window, services.files, services.media, m_browser, m_player),
      m_transport(services.media, m_player)
{
    services.media.setEvents(&m_player);
    window.setModel(&m_model);
    window.setEvents(this);
}

MainForm::~MainForm()
{
    m_window.setEvents(nullptr);
    m_window.setModel(nullptr);
    m_services.media.setEvents(nullptr);
}

void MainForm::Form_Load()
{
    SystemInfo& system = m_services.system;
    m_services.random.seedFromClock();
    // Without the home folder, start-up goes on in the folder the program started in.
    if (IsHomeMachine(system))
        system.setCurrentFolder(system.homeMusicFolder());
    m_browser.start(system.currentFolder());
    m_window.setCaption(kProgramTitle);
    HelpViewer& help = m_services.help;
    help.setHelpFile(AddBackslash(system.applicationFolder()) + kHelpFileName);
    help.setHelpCommand(HelpViewer::kHelpContents);
    for (const char* fileType : kFileTypes)
        m_model.cboFileType.addItem(fileType);
    m_browser.setFileType(0);
    MediaControl& media = m_services.media;
    media.setFlag(MediaFlag::Flag52, true);
    media.setFlag(MediaFlag::Flag24, false);
    media.setFlag(MediaFlag::Flag25, false);
    media.setFlag(MediaFlag::Flag26, false);
    applyCommandLineSwitches(system.commandLine(), system.namedPaths(), m_window, m_browser,
                             m_queue, m_player, m_opener);
}

void MainForm::Form_Unload()
{
    m_model.unloaded = true;
    m_services.media.setCommand("Close");
}

void MainForm::cmdExit_Click()
{
    m_window.unload();
}

void MainForm::exit_Click()
{
    m_window.unload();
}

void MainForm::HelpContents_Click()
{
    m_services.help.showHelp();
}

void MainForm::HelpAbout_Click()
{
    ShowAbout(m_services.about);
}

void MainForm::File1_DragOver(DragList Source, int State)
{
    m_dragDrop.File1_DragOver(Source, State);
}

void MainForm::lstMusicQ_DragOver(DragList Source, int State)
{
    m_dragDrop.lstMusicQ_DragOver(Source, State);
}

} // namespace orvane
