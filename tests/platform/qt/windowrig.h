#pragma once

#include "app/mainform.h"
#include "fakes/fakeplatform.h"
#include "fakes/musicfolder.h"
#include "fakes/pulleddevice.h"
#include "platform/media/enginemediacontrol.h"
#include "platform/posix/mountvolumes.h"
#include "platform/posix/posixfilesystem.h"
#include "platform/posix/posixsysteminfo.h"
#include "platform/qt/mainwindow.h"
#include "platform/qt/qteventloop.h"
#include "queue/randomsource.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

// The real main window over the real logic and the real media control, in the session's event
// loop. The engine renders in the loop's turns for a sound device the loop pulls every 25 ms
// (see PulledDevice).
struct WindowRig
{
    WindowRig()
        : device(std::make_shared<PulledDevice>(loop)), media(loop, device, inlineEngine()),
          window(help),
          form(window, Services{system, files, volumes, loop, random, about, launcher, media, help})
    {
    }

    template <typename T = QWidget> T* control(const char* name)
    {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    FormModel& model() { return form.model(); }
    std::vector<std::string> queue() { return model().lstMusicQ.items(); }

    QtEventLoop loop;
    std::shared_ptr<PulledDevice> device;
    EngineMediaControl media;
    FakeHelpViewer help;
    MountVolumes volumes;
    PosixSystemInfo system{""};
    PosixFileSystem files;
    ClockSeededRandom random;
    FakeAboutWindowFactory about;
    FakeLauncher launcher;
    MainWindow window;
    MainForm form;

private:
    static EngineOptions inlineEngine()
    {
        EngineOptions options;
        options.threads = EngineOptions::Threads::Inline;
        return options;
    }
};

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
