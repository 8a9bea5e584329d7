// Builds the platform's pieces (Qt windows, the media control over the playback engine and
// SDL2, POSIX system, the session bus) and hands them to the main window's logic.
#include "app/mainform.h"
#include "app/programinfo.h"
#include "platform/dbus/mprisservice.h"
#include "platform/dbus/observedmediacontrol.h"
#include "platform/dbus/sessionplayer.h"
#include "platform/media/enginemediacontrol.h"
#include "platform/posix/boundedfilesystem.h"
#include "platform/posix/launcharguments.h"
#include "platform/posix/mountguard.h"
#include "platform/posix/mountvolumes.h"
#include "platform/posix/posixfilesystem.h"
#include "platform/posix/posixsysteminfo.h"
#include "platform/posix/startuptrace.h"
#include "platform/qt/aboutwindow.h"
#include "platform/qt/displaycheck.h"
#include "platform/qt/helpwindow.h"
#include "platform/qt/mainwindow.h"
#include "platform/qt/mountwatcher.h"
#include "platform/qt/orvanestyle.h"
#include "platform/qt/qteventloop.h"
#include "platform/qt/qtprogramlauncher.h"
#include "platform/sdl/sdloutputdevice.h"
#include "playback/trackopener.h"
#include "queue/randomsource.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    using namespace orvane;
    traceStartup("main entered");

    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto information = informationRequested(arguments)) {
        std::fputs(information->c_str(), stdout);
        return 0;
    }

    if (const auto problem = displayProblem()) {
        std::fprintf(stderr, "orvane: %s\n", problem->c_str());
        return 1;
    }

    traceStartup("display checked");
    // While the process has a single thread.
    SdlOutputDevice::prepareEnvironment();
    const std::string startFolder = leaveStartFolder();

    // Qt sees the program's name alone, so that none of the user's switches is taken as one
    // of Qt's own options (a "-platform" or "-style" belongs to the switch step, not to Qt).
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 ? argv[0] : const_cast<char*>("orvane"), nullptr};
    QApplication application(qtArgc, qtArgv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvane.orvane"));
    traceStartup("application built");

    QtEventLoop loop;
    // Every question to the file system goes to a worker, so that a share or disk that does
    // not answer cannot hold the window.
    BoundedFileSystem files(std::make_shared<PosixFileSystem>(), std::make_shared<MountGuard>(),
                            [&loop](std::function<void()> task) { loop.post(std::move(task)); });
    const LaunchArguments launch = splitLaunchArguments(
        arguments, startFolder, [&files](const std::string& path) { return files.pathKind(path); });
    for (const std::string& line : launch.leftOut)
        std::fprintf(stderr, "%s\n", line.c_str());

    traceStartup("launch arguments split");
    // Files named while the session's player runs go to it, and its window comes up.
    SessionPlayer session;
    if (!launch.paths.empty() && !session.holdsName() && session.handOff(launch.paths))
        return 0;
    session.claim(); // the player that held the name may have ended meanwhile
    traceStartup("session bus claimed");

    PosixSystemInfo system(
        launch.switchText, launch.paths, startFolder,
        [&files](const std::string& path) { return files.pathKind(path) == PathKind::Folder; });
    MountVolumes volumes;
    MountWatcher mounts;
    ClockSeededRandom random;
    QtProgramLauncher launcher;
    EngineMediaControl audio(loop, std::make_shared<SdlOutputDevice>());
    ObservedMediaControl media(audio);
    // Named files play at once: the device, and a MIDI file's SoundFont, get ready meanwhile.
    if (!launch.paths.empty())
        ExpectMusicFile(media, launch.paths.front());
    traceStartup("engine built");
    // The form loads before the main window builds its controls (at its first show), so that
    // a track named on the command line starts the sooner.
    HelpWindow help;
    MainWindow window(help);
    help.setBeside(&window);
    QtAboutWindowFactory aboutWindows(&window);
    MainForm form(window, Services{system, files, volumes, loop, random, aboutWindows, launcher,
                                   media, help});
    media.addListener([&window, &media] { window.showPaused(media.mode() == MediaMode::Paused); });
    // What the sound does (a lost device) shows beside the volume picture.
    audio.setNoteHandler([&window](const std::string& text) { window.showVolumeNote(text); });
    QObject::connect(&mounts, &MountWatcher::changed, [&volumes, &form] {
        if (volumes.reread())
            form.browser().volumesChanged();
    });

    form.Form_Load();
    traceStartup("form loaded");
    applyOrvaneStyle(application);
    traceStartup("style applied");
    // Media keys and sound menus press the same buttons as the window's transport bar.
    const auto mpris = session.serve(
        window, media, form.transport(),
        [&form](const std::vector<std::string>& paths) { form.opener().openFromLaunch(paths); },
        &FileNameOnly);
    traceStartup("MPRIS served");
    window.show();
    traceStartup("window shown");
    QTimer::singleShot(0, [] { traceStartup("event loop running"); });
    return application.exec();
}
