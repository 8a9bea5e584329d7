#include "platform/audio/audiofixtures.h"
#include "platform/filelistcontrol.h"
#include "platform/folderlistcontrol.h"
#include "platform/qt/gaugewidget.h"
#include "playerrig.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <grp.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvane;

namespace {

constexpr uid_t kNobody = 65534;

void writeWav(const std::string& path)
{
    QVERIFY(testing::writeSineWav(path, SF_FORMAT_PCM_16, 8000, 1, 0.1) > 0);
}

// Runs xdotool on this test's display; its output.
QString xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The program's windows that are on screen: its main window, and a menu while one is open.
QStringList visibleWindows(const QProcess& program)
{
    return xdotool({"search", "--onlyvisible", "--pid", QString::number(program.processId())})
        .split('\n', Qt::SkipEmptyParts);
}

// Opens the window's Music menu and presses `key` in it. A key pressed before the menu has
// taken the keyboard (a busy machine) goes to the window, and the menu stays open: press again.
bool pressInMusicMenu(const QProcess& program, const QString& window, const QString& key)
{
    const auto windows = [&] { return visibleWindows(program).size(); };
    xdotool({"windowactivate", "--sync", window});
    xdotool({"key", "--clearmodifiers", "alt+m"});
    return QTest::qWaitFor([&] { return windows() == 2; }, 30000) &&
           QTest::qWaitFor(
               [&] {
                   xdotool({"key", key});
                   return QTest::qWaitFor([&] { return windows() == 1; }, 1000);
               },
               30000);
}

} // namespace

// Odd names and places: each gives a clear outcome, and the queue keeps every entry it had.
// Run as root, the test first becomes an ordinary user, since root reads everything.
class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void oddNamesPlayAndNeverReachAShell()
    {
        QTemporaryDir folder;
        const std::string path = folder.path().toStdString();
        const std::vector<std::string> names{
            "with space.wav", "ünïcødé ♪.wav",      "-leading-dash.wav", "quote's \"double\".wav",
            "new\nline.wav",  "$(touch pwned).wav", "`touch pwned`.mid", "semi;colon&amp.wav"};
        for (const std::string& name : names) {
            if (name.size() > 4 && name.substr(name.size() - 4) == ".mid")
                testing::writeBytes(path + "/" + name, testing::simpleMidi(0.1));
            else
                writeWav(path + "/" + name);
        }
        QVERIFY(QDir(folder.path()).mkdir("folder.wav")); // a folder named like a music file

        PlayerRig rig(folder.path());
        rig.control("cmdQAll")->click();
        const std::vector<std::string> queued = rig.queue();
        QCOMPARE(queued.size(), names.size());
        rig.control("Play")->click();
        QTRY_VERIFY_WITH_TIMEOUT(rig.idle(), 20000);
        QCOMPARE(rig.media.played, queued);
        QVERIFY(!QFile::exists(folder.filePath("pwned")));
        QVERIFY(!QFile::exists("pwned"));
    }

    void unreadableFilesAndFoldersFailClearly()
    {
        if (geteuid() == 0)
            QSKIP("running as root, which reads everything");
        QTemporaryDir folder;
        const std::string path = folder.path().toStdString();
        QVERIFY(testing::writeSineWav(path + "/a.wav", SF_FORMAT_PCM_16, 8000, 1, 1.3) > 0);
        for (const char* name : {"b.wav", "c.wav"})
            writeWav(path + "/" + name);
        QVERIFY(::chmod((path + "/b.wav").c_str(), 0) == 0);
        QVERIFY(QDir(folder.path()).mkdir("locked"));
        writeWav(path + "/locked/x.wav");
        QVERIFY(::chmod((path + "/locked").c_str(), 0) == 0);

        PlayerRig rig(folder.path());
        QVERIFY(!rig.window.Dir1().setPath(path + "/locked"));
        QCOMPARE(rig.window.Dir1().path(), path);
        rig.control("cmdQAll")->click();
        const std::vector<std::string> queued = rig.queue();
        QCOMPARE(queued.size(), std::size_t(3));
        rig.control("Play")->click();
        // a.wav plays; b.wav cannot be opened: the player waits there with its name shown.
        auto* gauge = rig.window.findChild<GaugeWidget*>("Gauge1");
        QCOMPARE(gauge->maximum(), 1);
        QCOMPARE(rig.window.txtLength().text(), std::string(" 0:01"));
        QTRY_COMPARE_WITH_TIMEOUT(gauge->value(), 1.0, 5000); // once a second, with the position
        QTRY_COMPARE_WITH_TIMEOUT(rig.window.txtPlaying().text(), std::string("b.wav"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(gauge->value(), 0.0, 3000);
        QTest::qWait(300);
        QCOMPARE(rig.media.mode(), MediaMode::NotOpen);
        QCOMPARE(rig.window.txtLength().text(), std::string(" 0:00"));
        QCOMPARE(rig.queue(), std::vector<std::string>(queued.begin() + 1, queued.end()));
        rig.control("Next")->click();
        QTRY_VERIFY_WITH_TIMEOUT(rig.idle(), 5000);
        rig.window.File1().setPath(path + "/locked");
        QCOMPARE(rig.window.File1().count(), 0);
        ::chmod((path + "/locked").c_str(), 0700);
    }

    void pipesInPlaceOfFilesHangNeitherTheWindowNorExit()
    {
        // The real program, driven by keys: a.wav plays while b.wav, queued, has become a
        // named pipe, and the SoundFont it is told of is one too.
        QTemporaryDir folder;
        QTemporaryDir elsewhere;
        const std::string path = folder.path().toStdString();
        writeWav(path + "/a.wav");
        writeWav(path + "/b.wav");
        const std::string soundFont = elsewhere.path().toStdString() + "/gm.sf2";
        QVERIFY(::mkfifo(soundFont.c_str(), 0600) == 0);

        QProcess orvane;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ORVANE_SOUNDFONT", QString::fromStdString(soundFont));
        environment.insert("SDL_AUDIODRIVER", "dummy");
        orvane.setProcessEnvironment(environment);
        orvane.setWorkingDirectory(folder.path());
        orvane.start(QStringLiteral(ORVANE_BINARY), {"/q"});
        QTRY_VERIFY_WITH_TIMEOUT(visibleWindows(orvane).size() == 1, 30000);
        const QString window = visibleWindows(orvane).front();
        QVERIFY(::unlink((path + "/b.wav").c_str()) == 0);
        QVERIFY(::mkfifo((path + "/b.wav").c_str(), 0600) == 0);

        QVERIFY(pressInMusicMenu(orvane, window, "p")); // "&Play"
        QByteArray errors;
        QTRY_VERIFY_WITH_TIMEOUT((errors += orvane.readAllStandardError()).contains("b.wav"),
                                 30000);
        // a.wav has played and b.wav was refused at once: the window still answers.
        QVERIFY(pressInMusicMenu(orvane, window, "Escape"));
        xdotool({"key", "--clearmodifiers", "alt+x"}); // "E&xit"
        QVERIFY(orvane.waitForFinished(30000));
        QCOMPARE(orvane.exitStatus(), QProcess::NormalExit);
        QCOMPARE(orvane.exitCode(), 0);
        errors += orvane.readAllStandardError();
        QVERIFY2(errors.contains("b.wav\": a named pipe, not a regular file"), errors.constData());
        QVERIFY2(errors.contains("gm.sf2, which cannot be used (a named pipe"), errors.constData());
    }
};

int main(int argc, char* argv[])
{
    QByteArray ownRuntime;
    if (geteuid() == 0) {
        // Become an ordinary user, with a runtime folder of its own.
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            qWarning("could not become an ordinary user; unreadable files cannot be tested");
        ownRuntime = "/tmp/orvane-hostile-" + QByteArray::number(::getpid());
        ::mkdir(ownRuntime.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", ownRuntime);
        qputenv("HOME", ownRuntime);
    }
    QApplication application(argc, argv);
    TestHostile test;
    const int status = QTest::qExec(&test, argc, argv);
    if (!ownRuntime.isEmpty())
        QDir(QString::fromLocal8Bit(ownRuntime)).removeRecursively();
    return status;
}

#include "tst_hostile.moc"
