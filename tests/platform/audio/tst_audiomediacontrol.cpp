// The media control's events and commands over a silent sink that keeps real time: what the
// playback logic relies on, with short WAV and MIDI files written here.
#include "audiofixtures.h"
#include "platform/audio/audiomediacontrol.h"
#include "platform/mediabuttons.h"
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

    void MMControl1_Done(int) override
    {
        ++done;
        results.push_back(m_control.doneResult());
        if (onDone)
            onDone();
    }
    void MMControl1_StatusUpdate() override
    {
        ++updates;
        positions.push_back(m_control.position());
    }
    void MMControl1_PlayClick(bool& Cancel) override { Cancel = true; }
    void MMControl1_PauseClick(bool&) override {}
    void MMControl1_StopClick(bool&) override {}
    void MMControl1_NextClick(bool& Cancel) override { Cancel = true; }

    int done = 0;
    int updates = 0;
    std::vector<int> results;
    std::vector<std::int32_t> positions;
    std::function<void()> onDone;

private:
    MediaControl& m_control;
};

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
    void playStartsAgainFromTheBeginning();
    void buttonsDriveTheControl();
    void midiPlaysAndEndsAtItsLastEndOfTrack_data();
    void midiPlaysAndEndsAtItsLastEndOfTrack();
    void tracksFollowEachOtherFromDone();
    void wrongDeviceTypeOpensNothing();
    void badFilesOpenNothing_data();
    void badFilesOpenNothing();
    void noSoundFontRefusesMidiOnly();
    void deviceOutputFallsBackOrPlays();

private:
    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    void open(const std::string& device, const std::string& file);
    // Runs the event loop until `done` holds or `milliseconds` pass.
    bool waitFor(const std::function<bool()>& done, int milliseconds);
    bool hasSoundFont() const;

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

void AudioMediaControlTest::open(const std::string& device, const std::string& file)
{
    m_control->setCommand("Close");
    m_control->setDeviceType(device);
    m_control->setFileName(file);
    m_control->setCommand("Open");
}

bool AudioMediaControlTest::waitFor(const std::function<bool()>& done, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds)
        m_loop.runFor(5);
    return done();
}

bool AudioMediaControlTest::hasSoundFont() const
{
    return std::getenv("ORVANE_SOUNDFONT") != nullptr ||
           QFile::exists("/usr/share/sounds/sf2/default-GM.sf2") ||
           QFile::exists("/usr/share/sounds/sf3/default-GM.sf3") ||
           QFile::exists("/usr/share/sounds/sf2/TimGM6mb.sf2");
}

void AudioMediaControlTest::doneComesOnceAtTheEnd()
{
    open("WaveAudio", path("short.wav"));
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    QCOMPARE(m_control->length(), 400);
    QCOMPARE(m_control->position(), 0);
    m_control->setCommand("play");
    QCOMPARE(m_control->mode(), MediaMode::Playing);
    QVERIFY(waitFor([&] { return m_events->done > 0; }, 3000));
    m_loop.runFor(300);
    QCOMPARE(m_events->done, 1);
    QCOMPARE(m_events->results, std::vector<int>{1});
    QCOMPARE(m_control->doneResult(), 1);
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    QCOMPARE(m_control->position(), 400);
    QCOMPARE_GE(m_loudFrames.load(), 48000 * 4 / 10 - 200); // it did sound, for its length
    QCOMPARE_LE(m_loudFrames.load(), 48000 * 4 / 10 + 200);
}

void AudioMediaControlTest::statusUpdatesOnlyWhileTheIntervalIsSet()
{
    open("WaveAudio", path("long.wav"));
    m_control->setUpdateInterval(100);
    m_loop.runFor(300);
    QCOMPARE(m_events->updates, 0); // open but not playing

    m_control->setCommand("play");
    m_loop.runFor(550);
    QCOMPARE_GE(m_events->updates, 3);
    QCOMPARE_LE(m_events->updates, 7);
    QVERIFY(std::is_sorted(m_events->positions.begin(), m_events->positions.end()));
    QCOMPARE_GT(m_events->positions.back(), 0);

    m_control->setUpdateInterval(0);
    const int before = m_events->updates;
    m_loop.runFor(400);
    QCOMPARE(m_events->updates, before);
    QCOMPARE(m_control->updateInterval(), 0);

    m_control->setUpdateInterval(100);
    m_loop.runFor(350);
    QCOMPARE_GT(m_events->updates, before);
    m_control->setCommand("Close");
    const int closed = m_events->updates;
    m_loop.runFor(300);
    QCOMPARE(m_events->updates, closed);
}

void AudioMediaControlTest::noDoneAfterCloseStopOrNewOpen()
{
    // Each ends a playback just before its natural end, where a late Done would show.
    open("WaveAudio", path("short.wav"));
    m_control->setCommand("play");
    m_loop.runFor(380);
    m_control->setCommand("Close");
    QCOMPARE(m_control->mode(), MediaMode::NotOpen);
    QCOMPARE(m_control->length(), 0);

    open("WaveAudio", path("short.wav"));
    m_control->setCommand("play");
    m_loop.runFor(380);
    m_control->setCommand("stop");
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    const std::int32_t stoppedAt = m_control->position();
    QCOMPARE_GT(stoppedAt, 200);

    m_control->setCommand("play");
    m_loop.runFor(380);
    m_control->setDeviceType("WaveAudio");
    m_control->setFileName(path("long.wav"));
    m_control->setCommand("Open");

    m_loop.runFor(600);
    QCOMPARE(m_events->done, 0);
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    QCOMPARE(m_control->length(), 3000);
}

void AudioMediaControlTest::pauseFreezesThePosition()
{
    open("WaveAudio", path("long.wav"));
    m_control->setCommand("play");
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
    QVERIFY(waitFor([&] { return m_events->done > 0; }, 5000));
    QCOMPARE(m_events->results, std::vector<int>{1});
}

void AudioMediaControlTest::playStartsAgainFromTheBeginning()
{
    open("WaveAudio", path("long.wav"));
    m_control->setCommand("play");
    m_loop.runFor(600);
    QCOMPARE_GT(m_control->position(), 300);
    m_control->setCommand("play");
    QCOMPARE_LT(m_control->position(), 100);

    // And after a file has ended.
    open("WaveAudio", path("short.wav"));
    m_control->setCommand("play");
    QVERIFY(waitFor([&] { return m_events->done == 1; }, 3000));
    m_control->setCommand("play");
    QCOMPARE(m_control->mode(), MediaMode::Playing);
    QVERIFY(waitFor([&] { return m_events->done == 2; }, 3000));
    QCOMPARE(m_events->results, (std::vector<int>{1, 1}));
}

void AudioMediaControlTest::buttonsDriveTheControl()
{
    MediaButtons buttons(*m_control, *m_events);
    open("WaveAudio", path("long.wav"));
    buttons.press(MediaButtons::Button::Play); // cancelled by its handler: nothing plays
    QCOMPARE(m_control->mode(), MediaMode::Stopped);

    m_control->setCommand("play");
    m_loop.runFor(200);
    buttons.press(MediaButtons::Button::Pause);
    QCOMPARE(m_control->mode(), MediaMode::Paused);
    buttons.press(MediaButtons::Button::Pause);
    QCOMPARE(m_control->mode(), MediaMode::Playing);
    buttons.press(MediaButtons::Button::Next);
    QCOMPARE(m_control->mode(), MediaMode::Playing);
    buttons.press(MediaButtons::Button::Stop);
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    m_loop.runFor(200);
    QCOMPARE(m_events->done, 0);
}

void AudioMediaControlTest::midiPlaysAndEndsAtItsLastEndOfTrack_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("length");

    writeBytes(path("tempo.mid"),
               smfFile(1, 96,
                       {TrackBuilder().tempo(0, 250000).endTrack(0),
                        TrackBuilder().noteOn(0, 0, 60).noteOff(96, 0, 60).endTrack(96 * 3)}));
    writeBytes(path("smpte.mid"),
               smfFile(0, smpteDivision(25, 40),
                       {TrackBuilder().noteOn(0, 0, 67).noteOff(400, 0, 67).endTrack(200)}));
    writeBytes(path("song.rmi"), rmidFile(simpleMidi(0.5)));

    QTest::newRow("format 0") << QByteArray("short.mid") << 500;
    QTest::newRow("format 1 at 240 bpm") << QByteArray("tempo.mid") << 1000;
    QTest::newRow("SMPTE timing") << QByteArray("smpte.mid") << 600;
    QTest::newRow("RIFF MIDI") << QByteArray("song.rmi") << 500;
}

void AudioMediaControlTest::midiPlaysAndEndsAtItsLastEndOfTrack()
{
    if (!hasSoundFont())
        QSKIP("no General MIDI SoundFont installed");
    QFETCH(QByteArray, name);
    QFETCH(int, length);
    open("Sequencer", path(name.constData()));
    QCOMPARE(m_control->length(), length);
    m_control->setCommand("play");
    QElapsedTimer clock;
    clock.start();
    QVERIFY(waitFor([&] { return m_events->done > 0; }, length + 3000));
    // Real time: FluidSynth's own end comes seconds later, after its voices have died.
    QCOMPARE_LT(clock.elapsed(), length + 1000);
    QCOMPARE(m_events->results, std::vector<int>{1});
    QCOMPARE(m_control->position(), length);
    QCOMPARE_GT(m_loudFrames.load(), 48000 * length / 1000 / 4); // the synthesizer was heard
}

void AudioMediaControlTest::tracksFollowEachOtherFromDone()
{
    if (!hasSoundFont())
        QSKIP("no General MIDI SoundFont installed");
    // As the playback logic does: Done leads straight to Close, Open and play of the next.
    std::vector<std::pair<std::string, std::string>> queue = {{"WaveAudio", path("short.wav")},
                                                              {"Sequencer", path("short.mid")},
                                                              {"WaveAudio", path("short.wav")}};
    std::size_t next = 1;
    m_events->onDone = [&] {
        if (next == queue.size())
            return;
        open(queue[next].first, queue[next].second);
        m_control->setCommand("play");
        ++next;
    };
    open(queue[0].first, queue[0].second);
    m_control->setCommand("play");
    QVERIFY(waitFor([&] { return m_events->done == 3; }, 6000));
    QCOMPARE(m_events->results, (std::vector<int>{1, 1, 1}));
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
}

void AudioMediaControlTest::wrongDeviceTypeOpensNothing()
{
    for (const auto& [device, file] :
         {std::pair{"WaveAudio", "short.mid"}, std::pair{"Sequencer", "short.wav"},
          std::pair{"CDAudio", "short.wav"}, std::pair{"", "short.wav"}}) {
        open(device, path(file));
        QCOMPARE(m_control->mode(), MediaMode::NotOpen);
        QCOMPARE(m_control->length(), 0);
        m_control->setCommand("play");
        QCOMPARE(m_control->mode(), MediaMode::NotOpen);
    }
    m_loop.runFor(200);
    QCOMPARE(m_events->done, 0);
}

void AudioMediaControlTest::badFilesOpenNothing_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("content");

    const Bytes wav = readBytes(path("short.wav"));
    const QByteArray whole(reinterpret_cast<const char*>(wav.data()),
                           static_cast<qsizetype>(wav.size()));
    const Bytes mid = simpleMidi(2.0);
    const QByteArray midi(reinterpret_cast<const char*>(mid.data()),
                          static_cast<qsizetype>(mid.size()));
    QByteArray random(2048, '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 104729 + 7) % 253);
    QByteArray gigabytes = whole.left(1000);
    gigabytes.replace(40, 4, QByteArray("\xF0\xFF\xFF\x7F", 4));

    QTest::newRow("missing MIDI") << "Sequencer" << QByteArray("nothere.mid") << QByteArray();
    QTest::newRow("missing WAV") << "WaveAudio" << QByteArray("nothere.wav") << QByteArray();
    QTest::newRow("zero-byte MIDI") << "Sequencer" << QByteArray("zero.mid") << QByteArray("");
    QTest::newRow("zero-byte WAV") << "WaveAudio" << QByteArray("zero.wav") << QByteArray("");
    QTest::newRow("random MIDI") << "Sequencer" << QByteArray("random.mid") << random;
    QTest::newRow("random WAV") << "WaveAudio" << QByteArray("random.wav") << random;
    QTest::newRow("text named .mid")
        << "Sequencer" << QByteArray("readme.mid")
        << QByteArray("These are not the notes you are looking for.\n");
    QTest::newRow("truncated MIDI")
        << "Sequencer" << QByteArray("cut.mid") << midi.left(midi.size() - 9);
    QTest::newRow("truncated WAV")
        << "WaveAudio" << QByteArray("cut.wav") << whole.left(whole.size() / 3);
    QTest::newRow("WAV claiming gigabytes") << "WaveAudio" << QByteArray("giga.wav") << gigabytes;
    QTest::newRow("garbage RMID") << "Sequencer" << QByteArray("junk.rmi")
                                  << QByteArray("RIFF\x20\0\0\0RMIDdata\xFF\xFF\xFF\x0FMThd", 24);
    QTest::newRow("odd name") << "WaveAudio" << QByteArray("we\xC3\xAFrd name \x01 ?*.wav")
                              << QByteArray("");
}

void AudioMediaControlTest::badFilesOpenNothing()
{
    QFETCH(QString, device);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, content);
    const std::string file = path(name.constData());
    if (!name.startsWith("nothere"))
        writeBytes(file, Bytes(content.begin(), content.end()));

    open(device.toStdString(), file);
    QCOMPARE(m_control->mode(), MediaMode::NotOpen);
    QCOMPARE(m_control->length(), 0);
    m_control->setCommand("play");
    QCOMPARE(m_control->mode(), MediaMode::NotOpen);
    QCOMPARE(m_control->position(), 0);
    m_loop.runFor(100);
    QCOMPARE(m_events->done, 0);
    QCOMPARE(m_loudFrames.load(), 0);
}

void AudioMediaControlTest::noSoundFontRefusesMidiOnly()
{
    AudioMediaControlOptions options;
    options.output = AudioMediaControlOptions::Output::Silent;
    options.soundFont = path("no-such-soundfont.sf2");
    AudioMediaControl control(m_loop, options);
    control.setDeviceType("Sequencer");
    control.setFileName(path("short.mid"));
    control.setCommand("Open");
    QCOMPARE(control.mode(), MediaMode::NotOpen);
    control.setCommand("Close");
    control.setDeviceType("WaveAudio");
    control.setFileName(path("short.wav"));
    control.setCommand("Open");
    QCOMPARE(control.mode(), MediaMode::Stopped);
    QCOMPARE(control.length(), 400);
}

void AudioMediaControlTest::deviceOutputFallsBackOrPlays()
{
    // SDL's dummy driver here (see the test's environment): a device that keeps real time.
    AudioMediaControl control(m_loop);
    EventLog events(control);
    control.setEvents(&events);
    QVERIFY(!control.waitForOutput().empty());
    control.setDeviceType("WaveAudio");
    control.setFileName(path("short.wav"));
    control.setCommand("Open");
    control.setCommand("play");
    QVERIFY(waitFor([&] { return events.done > 0; }, 3000));
    QCOMPARE(events.results, std::vector<int>{1});
}

QTEST_GUILESS_MAIN(AudioMediaControlTest)
#include "tst_audiomediacontrol.moc"
