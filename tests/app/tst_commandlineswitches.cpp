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

    MusicFolder folder{"a.mid", "b.wav", "c.mid", "d.wav"};
    FakeForm f;
};

} // namespace

class TestCommandLineSwitches : public QObject
{
    Q_OBJECT

private slots:
    void switchesActInAnyOrderCaseOrLength_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("fileType");
        QTest::addColumn<int>("queued");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<bool>("minimised");
        QTest::newRow("none") << "" << 0 << 0 << false << false;
        QTest::newRow("/q /wav") << "/q /wav" << 2 << 2 << false << false;
        QTest::newRow("/wav /mid /q") << "/wav /mid /q" << 1 << 2 << false << true;
        QTest::newRow("/p /q") << "/p /q" << 0 << 4 << true << false;
        QTest::newRow("/p alone") << "/p" << 0 << 0 << false << false;
        QTest::newRow("/quiet") << "/quiet" << 0 << 4 << false << false;
        QTest::newRow("/PLAY /Queue") << "/PLAY /Queue" << 0 << 4 << true << false;
        QTest::newRow("/MID") << "/MID" << 1 << 0 << false << true;
        QTest::newRow("c:/music") << "c:/music" << 0 << 0 << false << true;
        QTest::newRow("repeated") << "/q /q /Q" << 0 << 4 << false << false;
        QTest::newRow("no switch") << "-x --platform xcb" << 0 << 0 << false << false;
    }

    void switchesActInAnyOrderCaseOrLength()
    {
        QFETCH(QString, arguments);
        QFETCH(int, fileType);
        QFETCH(int, queued);
        QFETCH(bool, playing);
        QFETCH(bool, minimised);
        const QByteArray text = arguments.toUtf8();
        Started s(text.constData());
        QCOMPARE(s.f.window.fileType.selectedIndex(), fileType);
        QCOMPARE(s.f.window.queue.count(), queued);
        QCOMPARE(s.f.window.media.mode() == MediaMode::Playing, playing);
        QCOMPARE(s.f.window.state == MainWindowView::WindowState::Minimized, minimised);
        QCOMPARE(s.f.window.media.opens, queued > 0 ? 1 + playing : 0);
    }

    void randomPassThenOrderedPass()
    {
        Started s("/q/r");
        // Draws of 0.99 always take the last name still held.
        QCOMPARE(s.f.window.queue.items(), s.folder.entries({"d.wav", "c.mid", "b.wav", "a.mid",
                                                             "a.mid", "b.wav", "c.mid", "d.wav"}));
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
                 s.folder.entries({"c.mid", "a.mid", "b.wav", "c.mid", "d.wav"}));
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
