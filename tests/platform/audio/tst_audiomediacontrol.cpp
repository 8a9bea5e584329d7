// The media control's events and commands over a silent sink that keeps real time: what the
// playback logic relies on, with short WAV and MIDI files written here.
#include "audiofixtures.h"
#include "platform/audio/audiomediacontrol.h"
#include "platform/audio/soundfontlocator.h"
#include "platform/qt/qteventloop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <cmath>
#include <sndfile.h>

using namespace orvane;
using namespace orvane::testing;

namespace {

class EventLog : public MediaControlEvents
{
public:
    explicit EventLog(MediaControl& control) : m_control(control) {}

    void MMControl1_Done(int) override { results.push_back(m_control.doneResult()); }
    void MMControl1_StatusUpdate() override { positions.push_back(m_control.position()); }
    void MMControl1_PlayClick(bool&) override {}
    void MMControl1_PauseClick(bool&) override {}
    void MMControl1_StopClick(bool&) override {}
    void MMControl1_NextClick(bool&) override {}

    std::size_t done() const { return results.size(); }

    std::vector<int> results;            // one per Done
    std::vector<std::int32_t> positions; // one per status update

private:
    MediaControl& m_control;
};

// Closes `control`, opens `file` on `device` and, when asked, plays it.
void load(MediaControl& control, const std::string& device, const std::string& file,
          bool play = false)
{
    control.setCommand("Close");
    control.setDeviceType(device);
    control.setFileName(file);
    control.setCommand("Open");
    if (play)
        control.setCommand("play");
}

} // namespace

class AudioMediaControlTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void doneComesOnceAtTheEnd();
    void statusUpdatesOnlyWhileTheIntervalIsSet();
    void noDoneAfterCloseStopOrNewOpen();
    void pauseFreezesThePosition();
    void midiPlaysAndEndsAtItsLastEndOfTrack_data();
    void midiPlaysAndEndsAtItsLastEndOfTrack();
    void badFilesOpenNothing_data();
    void badFilesOpenNothing();
    void noSoundFontRefusesMidiOnly();
    void deviceOutputPlays();

private:
    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    void load(const char* device, const char* name, bool play = false)
    {
        ::load(*m_control, device, path(name), play);
    }
    // Runs the event loop until `done` holds or `milliseconds` pass.
    bool waitFor(const std::function<bool()>& done, int milliseconds)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < milliseconds)
            m_loop.runFor(5);
        return done();
    }
    bool waitForDone(std::size_t count, int milliseconds)
    {
        return waitFor([&] { return m_events->done() >= count; }, milliseconds);
    }
    static bool hasSoundFont() { return SoundFontLocator().locate().has_value(); }

    QTemporaryDir m_dir;
    QtEventLoop m_loop;
    std::unique_ptr<AudioMediaControl> m_control;
    std::unique_ptr<EventLog> m_events;
    std::atomic<long long> m_loudFrames{0};
};

void AudioMediaControlTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writeSineWav(path("short.wav"), SF_FORMAT_PCM_16, 44100, 2, 0.4) > 0);
    QVERIFY(writeSineWav(path("long.wav"), SF_FORMAT_PCM_16, 22050, 1, 3.0) > 0);
    writeBytes(path("short.mid"), simpleMidi(0.5));
}

void AudioMediaControlTest::init()
{
    m_loudFrames = 0;
    AudioMediaControlOptions options;
    options.output = AudioMediaControlOptions::Output::Silent;
    options.outputTap = [this](const float* samples, std::size_t frames) {
        long long loud = 0;
        for (std::size_t i = 0; i < frames * 2; i += 2)
            loud += std::fabs(samples[i]) > 1e-4f ? 1 : 0;
        m_loudFrames += loud;
    };
    m_control = std::make_unique<AudioMediaControl>(m_loop, options);
    m_events = std::make_unique<EventLog>(*m_control);
    m_control->setEvents(m_events.get());
    m_control->setTimeFormat(0);
}

void AudioMediaControlTest::cleanup()
{
    m_control.reset();
    m_events.reset();
}

void AudioMediaControlTest::doneComesOnceAtTheEnd()
{
    load("WaveAudio", "short.wav");
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    QCOMPARE(m_control->length(), 400);
    m_control->setCommand("play");
    QCOMPARE(m_control->mode(), MediaMode::Playing);
    QVERIFY(waitForDone(1, 3000));
    m_loop.runFor(300);
    QCOMPARE(m_events->results, std::vector<int>{1});
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    QCOMPARE(m_control->position(), 400);
    QCOMPARE_GE(m_loudFrames.load(), 48000 * 4 / 10 - 200); // it did sound, for its length
    QCOMPARE_LE(m_loudFrames.load(), 48000 * 4 / 10 + 200);
}

void AudioMediaControlTest::statusUpdatesOnlyWhileTheIntervalIsSet()
{
    const std::vector<std::int32_t>& updates = m_events->positions;
    load("WaveAudio", "long.wav");
    m_control->setUpdateInterval(100);
    m_loop.runFor(300);
    QCOMPARE(updates.size(), std::size_t{0}); // open but not playing

    m_control->setCommand("play");
    m_loop.runFor(550);
    QCOMPARE_GE(updates.size(), 3u);
    QCOMPARE_LE(updates.size(), 7u);
    QVERIFY(std::is_sorted(updates.begin(), updates.end()));
    QCOMPARE_GT(updates.back(), 0);

    m_control->setUpdateInterval(0);
    const std::size_t before = updates.size();
    m_loop.runFor(400);
    QCOMPARE(updates.size(), before);

    m_control->setUpdateInterval(100);
    m_loop.runFor(350);
    QCOMPARE_GT(updates.size(), before);
    m_control->setCommand("Close");
    const std::size_t closed = updates.size();
    m_loop.runFor(300);
    QCOMPARE(updates.size(), closed);
}

void AudioMediaControlTest::noDoneAfterCloseStopOrNewOpen()
{
    // Each ends a playback just before its natural end, where a late Done would show.
    load("WaveAudio", "short.wav", true);
    m_loop.runFor(380);
    m_control->setCommand("Close");
    QCOMPARE(m_control->mode(), MediaMode::NotOpen);
    QCOMPARE(m_control->length(), 0);

    load("WaveAudio", "short.wav", true);
    m_loop.runFor(380);
    m_control->setCommand("stop");
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    QCOMPARE_GT(m_control->position(), 200);

    m_control->setCommand("play");
    m_loop.runFor(380);
    m_control->setFileName(path("long.wav")); // opened over the playing file, without Close
    m_control->setCommand("Open");

    m_loop.runFor(600);
    QCOMPARE(m_events->done(), std::size_t{0});
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    QCOMPARE(m_control->length(), 3000);
}

void AudioMediaControlTest::pauseFreezesThePosition()
{
    load("WaveAudio", "long.wav", true);
    m_loop.runFor(400);
    m_control->setCommand("pause");
    QCOMPARE(m_control->mode(), MediaMode::Paused);
    const std::int32_t pausedAt = m_control->position();
    QCOMPARE_GT(pausedAt, 0);
    const long long loudAtPause = m_loudFrames.load();
    m_loop.runFor(500);
    QCOMPARE(m_control->position(), pausedAt);
    QCOMPARE_LE(m_loudFrames.load() - loudAtPause, 1024); // at most the buffer then in flight

    m_control->setCommand("resume");
    QCOMPARE(m_control->mode(), MediaMode::Playing);
    m_loop.runFor(300);
    QCOMPARE_GT(m_control->position(), pausedAt);
    QVERIFY(waitForDone(1, 5000));
    QCOMPARE(m_events->results, std::vector<int>{1});
}

void AudioMediaControlTest::midiPlaysAndEndsAtItsLastEndOfTrack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("length");

    writeBytes(path("tempo.mid"),
               smfFile(1, 96,
                       {TrackBuilder().tempo(0, 250000).endTrack(0),
                        TrackBuilder().noteOn(0, 0, 60).noteOff(96, 0, 60).endTrack(96 * 3)}));
    writeBytes(path("song.rmi"), rmidFile(simpleMidi(0.5)));

    QTest::newRow("format 1 at 240 bpm") << "tempo.mid" << 1000;
    QTest::newRow("RIFF MIDI") << "song.rmi" << 500;
}

void AudioMediaControlTest::midiPlaysAndEndsAtItsLastEndOfTrack()
{
    if (!hasSoundFont())
        QSKIP("no General MIDI SoundFont installed");
    QFETCH(QString, name);
    QFETCH(int, length);
    load("Sequencer", name.toUtf8().constData());
    QCOMPARE(m_control->length(), length);
    m_control->setCommand("play");
    QElapsedTimer clock;
    clock.start();
    QVERIFY(waitForDone(1, length + 3000));
    // Real time: FluidSynth's own end comes seconds later, after its voices have died.
    QCOMPARE_LT(clock.elapsed(), length + 1000);
    QCOMPARE(m_events->results, std::vector<int>{1});
    QCOMPARE(m_control->position(), length);
    QCOMPARE_GT(m_loudFrames.load(), 48000 * length / 1000 / 4); // the synthesizer was heard
}

void AudioMediaControlTest::badFilesOpenNothing_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // null: the file is left as it is

    QByteArray random(2048, '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 104729 + 7) % 253);

    // A WAV or MIDI file opened as the other kind, or as a device this control lacks. (Files cut
    // short play what they hold: tst_wavsource, tst_midifiles.)
    QTest::newRow("MIDI as WAV") << "WaveAudio"
                                 << "short.mid" << QByteArray();
    QTest::newRow("WAV as MIDI") << "Sequencer"
                                 << "short.wav" << QByteArray();
    QTest::newRow("CD audio") << "CDAudio"
                              << "short.wav" << QByteArray();
    QTest::newRow("no device type") << ""
                                    << "short.wav" << QByteArray();
    QTest::newRow("missing") << "Sequencer"
                             << "nothere.mid" << QByteArray();
    QTest::newRow("zero-byte MIDI") << "Sequencer"
                                    << "zero.mid" << QByteArray("");
    QTest::newRow("zero-byte WAV") << "WaveAudio"
                                   << "zero.wav" << QByteArray("");
    QTest::newRow("random MIDI") << "Sequencer"
                                 << "random.mid" << random;
    QTest::newRow("random WAV") << "WaveAudio"
                                << "random.wav" << random;
    QTest::newRow("text named .mid")
        << "Sequencer"
        << "readme.mid" << QByteArray("These are not the notes you are looking for.\n");
    QTest::newRow("garbage RMID") << "Sequencer"
                                  << "junk.rmi"
                                  << QByteArray("RIFF\x20\0\0\0RMIDdata\xFF\xFF\xFF\x0FMThd", 24);
    QTest::newRow("odd name") << "WaveAudio"
                              << "we\xC3\xAFrd name \x01 ?*.wav" << QByteArray("");
}

void AudioMediaControlTest::badFilesOpenNothing()
{
    QFETCH(QString, device);
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    if (!content.isNull())
        writeBytes(path(name.toUtf8().constData()), Bytes(content.begin(), content.end()));

    load(qPrintable(device), name.toUtf8().constData(), true);
    QCOMPARE(m_control->mode(), MediaMode::NotOpen);
    QCOMPARE(m_control->length(), 0);
    QCOMPARE(m_control->position(), 0);
    m_loop.runFor(100);
    QCOMPARE(m_events->done(), std::size_t{0});
    QCOMPARE(m_loudFrames.load(), 0);
}

void AudioMediaControlTest::noSoundFontRefusesMidiOnly()
{
    AudioMediaControlOptions options;
    options.output = AudioMediaControlOptions::Output::Silent;
    options.soundFont = path("no-such-soundfont.sf2");
    AudioMediaControl control(m_loop, options);
    ::load(control, "Sequencer", path("short.mid"));
    QCOMPARE(control.mode(), MediaMode::NotOpen);
    ::load(control, "WaveAudio", path("short.wav"));
    QCOMPARE(control.mode(), MediaMode::Stopped);
    QCOMPARE(control.length(), 400);
}

void AudioMediaControlTest::deviceOutputPlays()
{
    // SDL's dummy driver here (see the test's environment): a device that keeps real time.
    AudioMediaControl control(m_loop);
    EventLog events(control);
    control.setEvents(&events);
    QVERIFY(!control.waitForOutput().empty());
    ::load(control, "WaveAudio", path("short.wav"), true);
    QVERIFY(waitFor([&] { return events.done() > 0; }, 3000));
    QCOMPARE(events.results, std::vector<int>{1});
}

QTEST_GUILESS_MAIN(AudioMediaControlTest)
#include "tst_audiomediacontrol.moc"
