#include "app/mainform.h"

#include "app/commandlineswitches.h"
#include "app/common.h"
#include "app/programinfo.h"
#include "app/showabout.h"
#include "platform/combocontrol.h"
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
    : m_window(window), m_services(services), m_player(window), m_browser(window, services.volumes),
      m_queue(window, m_player, services.random, services.loop), m_dragDrop(window, m_queue),
      m_volumeMixer(window, services.launcher),
      m_opener(window, services.system, m_browser, m_player),
      m_transport(window.MMControl1(), m_player)
{
    window.MMControl1().setEvents(&m_player);
    window.setEvents(this);
}

MainForm::~MainForm()
{
    m_window.setEvents(nullptr);
    m_window.MMControl1().setEvents(nullptr);
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
    HelpViewer& help = m_window.CommonDialog1();
    help.setHelpFile(AddBackslash(system.applicationFolder()) + kHelpFileName);
    help.setHelpCommand(HelpViewer::kHelpContents);
    ComboControl& fileTypes = m_window.cboFileType();
    for (const char* fileType : kFileTypes)
        fileTypes.addItem(fileType);
    fileTypes.setSelectedIndex(0);
    MediaControl& media = m_window.MMControl1();
    media.setFlag(MediaFlag::Flag52, true);
    media.setFlag(MediaFlag::Flag24, false);
    media.setFlag(MediaFlag::Flag25, false);
    media.setFlag(MediaFlag::Flag26, false);
    applyCommandLineSwitches(system.commandLine(), system.namedPaths(), m_window, m_queue, m_player,
                             m_opener);
}

void MainForm::Form_Unload()
{
    m_window.MMControl1().setCommand("Close");
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
    m_window.CommonDialog1().showHelp();
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
