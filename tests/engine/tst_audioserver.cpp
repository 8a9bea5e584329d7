// A smoke test through a real sound server (PulseAudio, or PipeWire through pipewire-pulse) with
// a null sink, recorded from the sink's monitor, with the player's own chain of tracks: WAV and
// MIDI files that follow each other without a gap, a server that dies and comes back or is not
// there at the start, and both cores busy.
#include "audiofixtures.h"
#include "engine/soundfontlocator.h"
#include "platform/media/enginemediacontrol.h"
#include "platform/qt/qteventloop.h"
#include "platform/sdl/sdloutputdevice.h"
#include "queueplayer.h"
#include "sinkrecording.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using namespace orvane;
using namespace orvane::testing;

namespace {

constexpr int kRate = kSinkRate;

bool run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished(10000) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (output != nullptr)
        *output = process.readAllStandardOutput();
    return ok;
}

// Starts, stops or kills the session's server with its rig script, named by the environment
// when it is not PulseAudio's.
bool server(const char* what)
{
    QString script = qEnvironmentVariable("ORVANE_SERVER_SCRIPT");
    if (script.isEmpty())
        script = QStringLiteral(ORVANE_PULSE_SERVER_SCRIPT);
    return run(script, {QString::fromLatin1(what)});
}

// Streams the server plays that are not corked.
int runningStreams()
{
    QByteArray listing;
    if (!run("pactl", {"list", "sink-inputs"}, &listing))
        return -1;
    return static_cast<int>(listing.count("Corked: no"));
}

// An organ holding `keys` from the first tick to the end of track, `seconds` later.
Bytes heldOrgan(std::initializer_list<int> keys, double seconds, double restSeconds = 0)
{
    TrackBuilder track;
    track.program(0, 0, 19);
    const auto rest = static_cast<std::uint32_t>(restSeconds * 960);
    bool first = true;
    for (const int key : keys) {
        track.noteOn(first ? rest : 0, 0, key, 110);
        first = false;
    }
    return smfFile(0, 480, {track.endTrack(static_cast<std::uint32_t>(seconds * 960))});
}

} // namespace

class AudioServerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(
            !QStandardPaths::findExecutable("parec").isEmpty() && runningStreams() >= 0,
            "no sound server answers (run inside tests/rig/usersession.sh --pulse or --pipewire)");
        QVERIFY(m_dir.isValid());
        if (!SoundFontLocator().locate())
            QSKIP("no General MIDI SoundFont installed");
    }

    void cleanup()
    {
        if (runningStreams() < 0)
            server("start");
    }

    void tracksFollowEachOtherWithNothingInBetween()
    {
        // WAV to WAV (one tone cut in two), WAV to MIDI, MIDI to MIDI, MIDI to WAV; then a MIDI
        // track ending on a held A5 (880 Hz), a WAV of silence and a MIDI track that rests 700 ms.
        const long tone = kRate * 6 / 10;
        writeTone(path("a.wav"), 0, tone);
        writeTone(path("b.wav"), tone, tone);
        writeBytes(path("c.mid"), heldOrgan({60, 64, 67}, 0.6));
        writeBytes(path("d.mid"), heldOrgan({62, 65, 69}, 0.6));
        writeTone(path("e.wav"), 0, tone);
        writeBytes(path("f.mid"), heldOrgan({81}, 0.6));
        writeTone(path("g.wav"), 0, kRate / 2, 0.0);
        writeBytes(path("h.mid"), heldOrgan({60}, 1.0, 0.7));

        SinkRecorder recorder(path("follow.wav"));
        QVERIFY2(recorder.waitUntilRecording(m_loop), "the recorder never started recording");
        EngineMediaControl media(m_loop, std::make_shared<SdlOutputDevice>());
        QVERIFY(media.engine().waitForOutput().find("silent") == std::string::npos);
        QueuePlayer queue(media);
        queue.play({path("a.wav"), path("b.wav"), path("c.mid"), path("d.mid"), path("e.wav"),
                    path("f.mid"), path("g.wav"), path("h.mid")});
        QVERIFY(waitFor([&] { return queue.finished(); }, 15000));
        m_loop.runFor(500);
        const std::vector<short> samples = recorder.stop();
        QCOMPARE(media.engine().dropouts(), 0u);

        const auto gaps = silences(samples, kRate / 500); // 2 ms: more than an attack
        for (const auto& [start, length] : gaps)
            qInfo("silence of %.2f ms at %.1f ms", samplesToMs(length), samplesToMs(start));
        // Only the WAV of silence and the rest that follows it, 1.2 s of nothing at all: no 880 Hz
        // carried over from the track before.
        QCOMPARE(gaps.size(), std::size_t{1});
        QCOMPARE_GE(samplesToMs(gaps[0].second), 1195.0);
        QCOMPARE_LE(samplesToMs(gaps[0].second), 1215.0);
        // The one tone in two files is one tone: no sample repeated, dropped or inserted where they
        // meet. There the sine crosses zero, where a slip bends it most.
        const std::size_t first = firstSound(samples);
        int sharpest = 0;
        // The end is left out: on a busy machine the recording may begin a few ms into the tone.
        const std::size_t end = first + 2 * static_cast<std::size_t>(tone) - kRate / 20;
        for (std::size_t i = first + 1; i + 1 < end; ++i)
            sharpest =
                std::max(sharpest, std::abs(samples[i + 1] - 2 * samples[i] + samples[i - 1]));
        QCOMPARE_LE(sharpest, 400); // a 330 Hz sine at 0.4 bends by 243 at most per sample
    }

    void soundComesBackWithTheServer_data()
    {
        QTest::addColumn<bool>("atStart");
        QTest::newRow("killed and restarted mid-track") << false;
        QTest::newRow("not there at the start") << true;
    }

    void soundComesBackWithTheServer()
    {
        QFETCH(bool, atStart);
        writeTone(path("long.wav"), 0, kRate * 10);
        // The null sink runs in real time only with a reader: one records until the server dies.
        std::optional<SinkRecorder> before;
        if (atStart) {
            QVERIFY(server("stop"));
        } else {
            before.emplace(path("before.wav"));
            QVERIFY(before->waitUntilRecording(m_loop));
        }
        EngineMediaControl control(m_loop, std::make_shared<SdlOutputDevice>());
        QueuePlayer queue(control);
        int notes = 0;
        control.setNoteHandler([&](const std::string&) { ++notes; });
        queue.play({path("long.wav")});
        if (!atStart) {
            QTRY_COMPARE_WITH_TIMEOUT(runningStreams(), 1, 3000);
            QVERIFY(server("kill"));
            QTRY_COMPARE_WITH_TIMEOUT(notes, 1, 1000); // the user is told, once
        }
        // Without a server the track goes on in real time.
        QTRY_VERIFY(control.position() > 0);
        QElapsedTimer clock;
        clock.start();
        const std::int32_t from = control.position();
        m_loop.runFor(1500);
        QCOMPARE_LE(std::abs(control.position() - from - clock.elapsed()), 100);

        QVERIFY(server("start"));
        QElapsedTimer back;
        back.start();
        SinkRecorder recorder(path("back.wav"));
        QVERIFY(waitFor([] { return runningStreams() == 1; }, 3000));
        qInfo("the stream was back %lld ms after the server", back.elapsed());
        QVERIFY(recorder.waitUntilRecording(m_loop));
        m_loop.runFor(1000);
        const std::vector<short> samples = recorder.stop();
        QVERIFY(firstSound(samples) < samples.size());
        QCOMPARE(notes, atStart ? 0 : 1);
    }

    void noDropoutWithBothCoresBusy()
    {
        // With both cores busy the rig's PipeWire now and then (1 run in 12) loses one whole
        // 1024-frame cycle, 21 ms, in the middle of the stream, while the player had its sound
        // ready (no dropout counted); its threads do run with realtime priority. Gapless playing
        // and a restarted server are checked on it; this case on PulseAudio.
        if (qEnvironmentVariable("ORVANE_SERVER_SCRIPT")
                .endsWith(QLatin1String("pipewireserver.sh")))
            QSKIP("the rig's PipeWire now and then loses a cycle of its own with both cores busy");
        writeTone(path("tone.wav"), 0, kRate * 4);
        writeBytes(path("dense.mid"), denseMidi(4));

        SinkRecorder recorder(path("busy.wav"));
        QVERIFY(recorder.waitUntilRecording(m_loop));
        // One loop per core, in the shell itself: killing the shell ends it (under `timeout` the
        // loop would outlive a kill), and it ends by itself if the test never gets to.
        std::vector<std::unique_ptr<QProcess>> busy;
        for (int core = 0; core < 2; ++core) {
            busy.push_back(std::make_unique<QProcess>());
            busy.back()->start("bash", {"-c", "while ((SECONDS < 30)); do :; done"});
        }
        EngineMediaControl media(m_loop, std::make_shared<SdlOutputDevice>());
        QueuePlayer queue(media);
        queue.play({path("tone.wav"), path("dense.mid")});
        QVERIFY(waitFor([&] { return queue.finished(); }, 20000));
        m_loop.runFor(500);
        for (auto& process : busy)
            process->kill();
        const std::vector<short> samples = recorder.stop();
        const auto gaps = silences(samples, kRate / 500); // 2 ms: more than an attack
        for (const auto& [start, length] : gaps)
            qInfo("silence of %.2f ms at %.1f ms", samplesToMs(length), samplesToMs(start));
        QCOMPARE(media.engine().dropouts(), 0u);
        QVERIFY(gaps.empty());
    }

private:
    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    bool waitFor(const std::function<bool()>& done, int milliseconds)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < milliseconds)
            m_loop.runFor(20);
        return done();
    }

    QTemporaryDir m_dir;
    QtEventLoop m_loop;
};

QTEST_GUILESS_MAIN(AudioServerTest)
#include "tst_audioserver.moc"
