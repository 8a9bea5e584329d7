// Builds the platform's pieces (Qt windows, SDL2/FluidSynth/libsndfile media control, POSIX
// system) and hands them to the main window's logic.
#include "app/mainform.h"
#include "app/programinfo.h"
#include "platform/audio/audiomediacontrol.h"
#include "platform/audio/sdlaudiooutput.h"
#include "platform/mountvolumes.h"
#include "platform/posixsysteminfo.h"
#include "platform/qt/aboutwindow.h"
#include "platform/qt/helpwindow.h"
#include "platform/qt/mainwindow.h"
#include "platform/qt/orvanestyle.h"
#include "platform/qt/qteventloop.h"
#include "platform/qt/qtprogramlauncher.h"
#include "queue/randomsource.h"

#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    using namespace orvane;

    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto information = informationRequested(arguments)) {
        std::fputs(information->c_str(), stdout);
        return 0;
    }

    // While the process has a single thread.
    SdlAudioOutput::prepareEnvironment();

    // Qt sees the program's name alone, so that none of the user's switches is taken as one
    // of Qt's own options (a "-platform" or "-style" belongs to the switch step, not to Qt).
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 ? argv[0] : const_cast<char*>("orvane"), nullptr};
    QApplication application(qtArgc, qtArgv);
    applyOrvaneStyle(application);

    PosixSystemInfo system(joinArguments(argc, argv));
    MountVolumes volumes;
    QtEventLoop loop;
    ClockSeededRandom random;
    QtProgramLauncher launcher;
    AudioMediaControl media(loop);
    HelpWindow help;
    MainWindow window(media, help, volumes);
    QtAboutWindowFactory aboutWindows(&window);
    MainForm form(window, Services{system, volumes, loop, random, aboutWindows, launcher});
    window.bind(form);
    QObject::connect(&window, &MainWindow::helpAboutClicked, [&form] { form.HelpAbout_Click(); });
    QObject::connect(&window, &MainWindow::volumeClicked, [&form] { form.imgVolume_Click(); });
    // What the sound does (a lost device) shows beside the volume picture.
    media.setNoteHandler([&window](const std::string& text) { window.showVolumeNote(text); });

    form.Form_Load();
    window.show();
    return application.exec();
}
