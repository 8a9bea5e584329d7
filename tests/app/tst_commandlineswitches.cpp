#include "fakes/fakeform.h"
#include "fakes/musicfolder.h"

#include <QTest>

using namespace orvane;

namespace {

// Starts a form in a folder of two MIDI and two WAV files with `arguments`.
struct Started
{
    explicit Started(const char* arguments, const std::function<void(FakeForm&)>& prepare = {})
    {
        f.system.current = folder.path();
        f.system.arguments = arguments;
        if (prepare)
            prepare(f);
        f.random.draws = {0.99f, 0.99f, 0.99f, 0.99f};
        f.form.Form_Load();
    }

    std::vector<std::string> entries(std::initializer_list<const char*> names) const
    {
        std::vector<std::string> result;
        for (const char* name : names)
            result.push_back(folder.entry(name));
        return result;
    }

    MusicFolder folder{"a.mid", "b.wav", "c.mid", "d.wav"};
    FakeForm f;
};

} // namespace

class TestCommandLineSwitches : public QObject
{
    Q_OBJECT

private slots:
    void noArgumentsLeaveTheDesignedState()
    {
        Started s("");
        QCOMPARE(s.f.window.fileType.selectedIndex(), 0);
        QCOMPARE(s.f.window.queue.count(), 0);
        QCOMPARE(s.f.window.state, MainWindowView::WindowState::Normal);
        QCOMPARE(s.f.window.media.opens, 0);
    }

    void orderOnTheCommandLineDoesNotMatter()
    {
        Started s("/q /wav");
        QCOMPARE(s.f.window.fileType.selectedIndex(), 2);
        QCOMPARE(s.f.window.queue.items(), s.entries({"b.wav", "d.wav"}));
        QCOMPARE(s.f.window.media.mode(), MediaMode::Stopped);
    }

    void playAfterQueueWhateverTheOrder()
    {
        Started s("/p /q");
        QCOMPARE(s.f.window.queue.count(), 4);
        QCOMPARE(s.f.window.media.mode(), MediaMode::Playing);
        QCOMPARE(s.f.window.playing.text(), std::string("a.mid"));
        Started alone("/p");
        QCOMPARE(alone.f.window.media.opens, 0);
    }

    void midWinsOverWav()
    {
        Started s("/wav /mid /q");
        QCOMPARE(s.f.window.fileType.selectedIndex(), 1);
        QCOMPARE(s.f.window.queue.items(), s.entries({"a.mid", "c.mid"}));
    }

    void randomPassThenOrderedPass()
    {
        Started s("/q/r");
        // Draws of 0.99 always take the last name still held.
        QCOMPARE(s.f.window.queue.items(), s.entries({"d.wav", "c.mid", "b.wav", "a.mid", "a.mid",
                                                      "b.wav", "c.mid", "d.wav"}));
    }

    void longerWordsActAsTheirSwitch_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("queued");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<bool>("minimised");
        QTest::newRow("/quiet") << "/quiet" << 4 << false << false;
        QTest::newRow("/play /queue") << "/play /queue" << 4 << true << false;
        QTest::newRow("/random") << "/random" << 4 << false << false;
        QTest::newRow("/min") << "/min" << 0 << false << true;
        QTest::newRow("/MID") << "/MID" << 0 << false << true;
        QTest::newRow("c:/music") << "c:/music" << 0 << false << true;
        QTest::newRow("repeated") << "/q /q /Q" << 4 << false << false;
        QTest::newRow("no switch") << "-x --platform xcb" << 0 << false << false;
    }

    void longerWordsActAsTheirSwitch()
    {
        QFETCH(QString, arguments);
        QFETCH(int, queued);
        QFETCH(bool, playing);
        QFETCH(bool, minimised);
        const QByteArray text = arguments.toUtf8();
        Started s(text.constData());
        QCOMPARE(s.f.window.queue.count(), queued);
        QCOMPARE(s.f.window.media.mode() == MediaMode::Playing, playing);
        QCOMPARE(s.f.window.state == MainWindowView::WindowState::Minimized, minimised);
    }

    void namedPathsAreQueuedAfterTheFileTypeAndPlay()
    {
        MusicFolder other{"z.mid"};
        Started s("/wav /m", [&](FakeForm& f) {
            f.system.paths = {other.entry("z.mid"), f.system.current, other.entry("z.mid")};
        });
        // The folder gives its files as Queue All would list them, after "/wav".
        QCOMPARE(s.f.window.queue.items(),
                 (std::vector<std::string>{other.entry("z.mid"), s.folder.entry("b.wav"),
                                           s.folder.entry("d.wav"), other.entry("z.mid")}));
        QCOMPARE(s.f.window.dir1.path(), other.path());
        QCOMPARE(s.f.window.file1.path(), other.path());
        QCOMPARE(s.f.window.playing.text(), std::string("z.mid"));
        QCOMPARE(s.f.window.media.mode(), MediaMode::Playing);
        QCOMPARE(s.f.window.state, MainWindowView::WindowState::Minimized);
    }

    void aLaterLaunchQueuesAndPlaysWhenNothingDoes()
    {
        Started s("/q");
        FileOpener& opener = s.f.form.opener();
        opener.openFromLaunch({s.folder.entry("c.mid"), "/no/such.mid"});
        // Idle with entries waiting: the new one goes ahead of them and plays.
        QCOMPARE(s.f.window.queue.items(),
                 s.entries({"c.mid", "a.mid", "b.wav", "c.mid", "d.wav"}));
        QCOMPARE(s.f.window.media.mode(), MediaMode::Playing);
        QCOMPARE(s.f.window.playing.text(), std::string("c.mid"));
        // Playing: appended, and what plays goes on.
        const int opens = s.f.window.media.opens;
        opener.openFromLaunch({s.folder.entry("a.mid")});
        QCOMPARE(s.f.window.queue.count(), 6);
        QCOMPARE(s.f.window.queue.item(5), s.folder.entry("a.mid"));
        QCOMPARE(s.f.window.media.opens, opens);
    }
};

QTEST_GUILESS_MAIN(TestCommandLineSwitches)
#include "tst_commandlineswitches.moc"
