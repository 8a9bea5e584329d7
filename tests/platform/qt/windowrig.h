#pragma once

#include "app/mainform.h"
#include "fakes/fakemediacontrol.h"
#include "fakes/fakeplatform.h"
#include "fakes/musicfolder.h"
#include "platform/combocontrol.h"
#include "platform/filelistcontrol.h"
#include "platform/folderlistcontrol.h"
#include "platform/listcontrol.h"
#include "platform/posix/mountvolumes.h"
#include "platform/posix/posixsysteminfo.h"
#include "platform/qt/mainwindow.h"
#include "platform/qt/qteventloop.h"
#include "platform/textcontrol.h"
#include "queue/randomsource.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

// The real main window over the real logic and a media control of the test's choice: by
// default one that records its commands.
template <typename Media> struct Rig
{
    explicit Rig(const std::string& commandLine = {})
        : media(loop), system(commandLine), window(media, help, volumes),
          form(window, Services{system, volumes, loop, random, about, launcher})
    {
    }

    template <typename T = QWidget> T* control(const char* name)
    {
        return window.template findChild<T*>(QString::fromLatin1(name));
    }
    std::vector<std::string> queue()
    {
        std::vector<std::string> entries;
        for (int i = 0; i < window.lstMusicQ().count(); ++i)
            entries.push_back(window.lstMusicQ().item(i));
        return entries;
    }

    QtEventLoop loop;
    Media media;
    FakeHelpViewer help;
    MountVolumes volumes;
    PosixSystemInfo system;
    ClockSeededRandom random;
    FakeAboutWindowFactory about;
    FakeLauncher launcher;
    MainWindow window;
    MainForm form;
};
using WindowRig = Rig<FakeMediaControl>;

// Real input through the X server, as a user gives it (xdotool), at points of `window`'s own
// widgets. Commands gather until run(), which returns once the server has taken them all;
// the program then gets the events through its event loop, so tests wait for their effects.
// Qt must not merge the moves (Qt::AA_CompressHighFrequencyEvents off), or a slow machine
// would see fewer of them than a user's.
class XInput
{
public:
    explicit XInput(const QWidget& window) : m_window(window) {}

    XInput& moveTo(const QWidget& widget, QPoint at)
    {
        const QPoint point = widget.mapTo(&m_window, at);
        return add({"mousemove", "--window", QString::number(m_window.winId()),
                    QString::number(point.x()), QString::number(point.y()), "sleep", "0.02"});
    }
    XInput& press() { return add({"mousedown", "1"}); }
    XInput& release() { return add({"mouseup", "1"}); }
    XInput& click(int times = 1)
    {
        return add({"click", "--repeat", QString::number(times), "--delay", "80", "1"});
    }
    XInput& key(const QString& keys) { return add({"key", "--delay", "30", keys}); }
    // Long enough that the clicks before and after make no double-click.
    XInput& pause() { return add({"sleep", "0.6"}); }
    // Moves down from `at` a pixel or two at a time, as a hand does, past the drag distance.
    XInput& slideDown(const QWidget& widget, QPoint at)
    {
        for (int down = 2; down <= QApplication::startDragDistance() + 6; down += 2)
            moveTo(widget, at + QPoint(0, down));
        return *this;
    }
    bool run()
    {
        QProcess xdotool;
        xdotool.start(QStringLiteral("/usr/bin/xdotool"), std::exchange(m_commands, {}));
        return xdotool.waitForFinished(30000) && xdotool.exitStatus() == QProcess::NormalExit &&
               xdotool.exitCode() == 0;
    }

private:
    XInput& add(std::initializer_list<QString> words)
    {
        for (const QString& word : words)
            m_commands << word;
        return *this;
    }

    const QWidget& m_window;
    QStringList m_commands;
};

// Where the tests leave their screenshots for a person to look at.
inline QString screenshotPath(const char* file)
{
    const QString folder =
        qEnvironmentVariable("ORVANE_SCREENSHOT_DIR", QDir::current().filePath("screenshots"));
    QDir().mkpath(folder);
    return QDir(folder).filePath(QString::fromLatin1(file));
}

} // namespace orvane
