#pragma once

#include "app/mainform.h"
#include "platform/aboutview.h"
#include "platform/combocontrol.h"
#include "platform/drivelistcontrol.h"
#include "platform/filelistcontrol.h"
#include "platform/folderlistcontrol.h"
#include "platform/gaugecontrol.h"
#include "platform/helpviewer.h"
#include "platform/inertmediacontrol.h"
#include "platform/mountvolumes.h"
#include "platform/posixsysteminfo.h"
#include "platform/programlauncher.h"
#include "platform/qt/mainwindow.h"
#include "platform/qt/qteventloop.h"
#include "platform/textcontrol.h"
#include "queue/randomsource.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

// A media control that plays nothing and records the commands it is given.
class RecordingMediaControl : public InertMediaControl
{
public:
    void setCommand(const std::string& command) override
    {
        commands.push_back(command);
        InertMediaControl::setCommand(command);
    }

    std::vector<std::string> commands;
};

// A help viewer that records what it was asked to show: topics, or -1 for the contents.
class RecordingHelpViewer : public HelpViewer
{
public:
    void setHelpFile(const std::string& path) override { m_file = path; }
    std::string helpFile() const override { return m_file; }
    void setHelpCommand(int command) override { m_command = command; }
    int helpCommand() const override { return m_command; }
    void showHelp() override { shown.push_back(-1); }
    void showTopic(int topic) override { shown.push_back(topic); }

    std::vector<int> shown;

private:
    std::string m_file;
    int m_command = 0;
};

// The About window and the mixer are not part of these tests: neither ever opens.
class NoAboutWindows : public AboutWindowFactory
{
public:
    std::unique_ptr<AboutView> load() override { return nullptr; }
};

class NoPrograms : public ProgramLauncher
{
public:
    bool startDetached(const std::string&, const std::vector<std::string>&) override
    {
        return false;
    }
};

// The real main window over the real logic, with a silent media control.
struct WindowRig
{
    explicit WindowRig(const std::string& commandLine = {})
        : system(commandLine), window(media, help, volumes),
          form(window, Services{system, volumes, loop, random, about, launcher})
    {
        window.bind(form);
    }

    template <typename T = QWidget> T* control(const char* name)
    {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    std::vector<std::string> queue()
    {
        std::vector<std::string> entries;
        for (int i = 0; i < window.lstMusicQ().count(); ++i)
            entries.push_back(window.lstMusicQ().item(i));
        return entries;
    }

    RecordingMediaControl media;
    RecordingHelpViewer help;
    MountVolumes volumes;
    PosixSystemInfo system;
    QtEventLoop loop;
    ClockSeededRandom random;
    NoAboutWindows about;
    NoPrograms launcher;
    MainWindow window;
    MainForm form;
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

// Creates empty files in `folder`; a name ending in '/' is made a folder instead.
inline bool makeFiles(const QString& folder, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const QString path = QDir(folder).filePath(QString::fromUtf8(name));
        if (path.endsWith(QLatin1Char('/')) ? !QDir().mkpath(path)
                                            : !QFile(path).open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

} // namespace orvane
