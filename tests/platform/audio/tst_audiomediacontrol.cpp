// The media control's events and commands over a silent sink that keeps real time: what the
// playback logic relies on, what reaches the output, and when, with files written here.
#include "audiofixtures.h"
#include "platform/audio/audiomediacontrol.h"
#include "platform/audio/soundfontlocator.h"
#include "platform/qt/qteventloop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <sndfile.h>

using namespace orvane;
using namespace orvane::testing;

namespace {

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What the output tap has seen; kept without locks or allocation on the output's thread.
struct TapRecord
{
    void see(const float* samples, std::size_t frames)
    {
        const std::int64_t now = nowNs();
        for (std::size_t i = 0; i < frames; ++i) {
            bool loud = false;
            for (int c = 0; c < 2; ++c) {
                const float x = samples[2 * i + static_cast<std::size_t>(c)];
                if (!std::isfinite(x) || std::fabs(x) > 1.0f)
                    ++unsafe;
                loud = loud || std::fabs(x) > 1e-4f;
                float seen = peak.load();
                while (std::fabs(x) > seen && !peak.compare_exchange_weak(seen, std::fabs(x))) {
                }
            }
            if (!loud)
                continue;
            ++loudFrames;
            // When the frame is heard, counting from the start of the buffer handed over.
            const std::int64_t heard = now + static_cast<std::int64_t>(i) * 1000000000 / 48000;
            if (firstLoudNs == 0)
                firstLoudNs = heard;
            lastLoudNs = heard + 1000000000 / 48000;
        }
    }

    std::atomic<long long> loudFrames{0};
    std::atomic<long long> unsafe{0}; // samples not finite or beyond full scale
    std::atomic<float> peak{0.0f};
    std::atomic<std::int64_t> firstLoudNs{0};
    std::atomic<std::int64_t> lastLoudNs{0};
};

class EventLog : public MediaControlEvents
{
public:
    explicit EventLog(MediaControl& control) : m_control(control) {}

    void MMControl1_Done(int) override { results.push_back(m_control.doneResult()); }
    void MMControl1_StatusUpdate() override
    {
        positions.push_back(m_control.position());
        times.push_back(nowNs());
    }
    void MMControl1_PlayClick(bool&) override {}
    void MMControl1_PauseClick(bool&) override {}
    void MMControl1_StopClick(bool&) override {}
    void MMControl1_NextClick(bool&) override {}

    std::size_t done() const { return results.size(); }

    std::vector<int> results;            // one per Done
    std::vector<std::int32_t> positions; // one per status update
    std::vector<std::int64_t> times;

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
    void statusUpdatesWhileTheIntervalIsSetInEveryState();
    void noDoneAfterCloseStopOrNewOpen();
    void pauseFreezesThePosition();
    void realTimeAndTheGaugeJustAfterEachSecond();
    void harmfulSamplesNeverReachTheOutput();
    void anEmptyTrackEndsAtOnce();
    void midiPlaysAndEndsAtItsLastEndOfTrack_data();
    void midiPlaysAndEndsAtItsLastEndOfTrack();
    void midiAtMusicLevelWithoutClipping();
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
    std::unique_ptr<TapRecord> m_tap;
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
    m_tap = std::make_unique<TapRecord>();
    AudioMediaControlOptions options;
    options.output = AudioMediaControlOptions::Output::Silent;
    m_control = std::make_unique<AudioMediaControl>(
        m_loop, options, [tap = m_tap.get()](const float* samples, std::size_t frames) {
            tap->see(samples, frames);
        });
    m_events = std::make_unique<EventLog>(*m_control);
    m_control->setEvents(m_events.get());
    m_control->setTimeFormat(0);
}

void AudioMediaControlTest::cleanup()
{
    m_control.reset();
    m_events.reset();
    m_tap.reset();
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
    QCOMPARE_GE(m_tap->loudFrames.load(), 48000 * 4 / 10 - 200); // it did sound, for its length
    QCOMPARE_LE(m_tap->loudFrames.load(), 48000 * 4 / 10 + 200);
}

void AudioMediaControlTest::statusUpdatesWhileTheIntervalIsSetInEveryState()
{
    // While the interval is above 0 the updates come, carrying the position of each state.
    const std::vector<std::int32_t>& updates = m_events->positions;
    const auto countIn = [&](int milliseconds) {
        const std::size_t before = updates.size();
        m_loop.runFor(milliseconds);
        return updates.size() - before;
    };
    load("WaveAudio", "long.wav");
    m_control->setUpdateInterval(100);
    QCOMPARE_GE(countIn(350), 2u); // open, not playing
    QCOMPARE(updates.back(), 0);

    m_control->setCommand("play");
    QCOMPARE_GE(countIn(550), 3u);
    QVERIFY(std::is_sorted(updates.end() - 3, updates.end()));
    QCOMPARE_GT(updates.back(), 0);

    m_control->setCommand("pause");
    const std::int32_t paused = m_control->position();
    QCOMPARE_GE(countIn(350), 2u);
    QCOMPARE(updates.back(), paused);

    m_control->setUpdateInterval(0);
    QCOMPARE(countIn(350), 0u);

    m_control->setCommand("stop");
    m_control->setUpdateInterval(100); // as the Pause button does after Stop
    QCOMPARE_GE(countIn(350), 2u);
    QCOMPARE(updates.back(), paused);

    m_control->setCommand("Close");
    QCOMPARE_GE(countIn(350), 2u);
    QCOMPARE(updates.back(), 0);
}

void AudioMediaControlTest::noDoneAfterCloseStopOrNewOpen()
{
    load("WaveAudio", "long.wav", true);
    m_loop.runFor(200);
    m_control->setCommand("Close");
    QCOMPARE(m_control->mode(), MediaMode::NotOpen);
    QCOMPARE(m_control->length(), 0);

    load("WaveAudio", "long.wav", true);
    m_loop.runFor(200);
    m_control->setCommand("stop");
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    QCOMPARE_GT(m_control->position(), 100);

    m_control->setCommand("play");
    m_loop.runFor(200);
    m_control->setFileName(path("short.wav")); // opened over the playing file, without Close
    m_control->setCommand("Open");

    m_loop.runFor(600);
    QCOMPARE(m_events->done(), std::size_t{0});
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    QCOMPARE(m_control->length(), 400);
}

void AudioMediaControlTest::pauseFreezesThePosition()
{
    load("WaveAudio", "long.wav", true);
    m_loop.runFor(400);
    m_control->setCommand("pause");
    QCOMPARE(m_control->mode(), MediaMode::Paused);
    const std::int32_t pausedAt = m_control->position();
    QCOMPARE_GT(pausedAt, 0);
    const long long loudAtPause = m_tap->loudFrames.load();
    m_loop.runFor(500);
    QCOMPARE(m_control->position(), pausedAt);
    // At most the buffer then in flight.
    QCOMPARE_LE(m_tap->loudFrames.load() - loudAtPause, long(AudioOutput::kPeriodFrames));

    m_control->setCommand("resume");
    QCOMPARE(m_control->mode(), MediaMode::Playing);
    m_loop.runFor(300);
    QCOMPARE_GT(m_control->position(), pausedAt);
    QVERIFY(waitForDone(1, 5000));
    QCOMPARE(m_events->results, std::vector<int>{1});
}

void AudioMediaControlTest::realTimeAndTheGaugeJustAfterEachSecond()
{
    QVERIFY(writeSineWav(path("five.wav"), SF_FORMAT_PCM_16, 8000, 1, 5.0) > 0);
    load("WaveAudio", "five.wav");
    m_control->setUpdateInterval(1000);
    m_control->setCommand("play");
    QVERIFY(waitForDone(1, 10000));
    m_loop.runFor(300); // the last frames are rendered, not yet heard, when Done comes
    const double heardMs = static_cast<double>(m_tap->lastLoudNs - m_tap->firstLoudNs) / 1e6;
    QCOMPARE_LE(std::abs(heardMs - 5000.0), 25.0);

    // The gauge steps to each whole second within a tenth of a second after it is heard.
    std::vector<double> steps; // ms after the first frame was heard
    for (std::size_t i = 0; i < m_events->positions.size(); ++i)
        if (m_events->positions[i] / 1000 > static_cast<int>(steps.size()))
            steps.push_back(static_cast<double>(m_events->times[i] - m_tap->firstLoudNs) / 1e6);
    QCOMPARE_GE(steps.size(), 4u);
    for (std::size_t second = 1; second <= 4; ++second) {
        QCOMPARE_GE(steps[second - 1], second * 1000.0);
        QCOMPARE_LE(steps[second - 1], second * 1000.0 + 100.0);
    }
}

void AudioMediaControlTest::harmfulSamplesNeverReachTheOutput()
{
    // A float WAV of music with NaN, infinities, huge values and random bit patterns in it.
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    std::vector<float> samples(44100);
    std::uint32_t bits = 12345;
    const float harmful[] = {NAN, INFINITY, -INFINITY, 1e30f, -1e30f, 4.0f};
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.9f * static_cast<float>(std::sin(static_cast<double>(i) * 0.05));
        if (i % 97 == 0)
            samples[i] = harmful[(i / 97) % std::size(harmful)];
        if (i > 30000) {
            bits = bits * 1664525u + 1013904223u;
            std::memcpy(&samples[i], &bits, sizeof bits);
        }
    }
    SNDFILE* file = sf_open(path("harmful.wav").c_str(), SFM_WRITE, &info);
    QVERIFY(file != nullptr);
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_FALSE);
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size() / 2));
    sf_close(file);

    load("WaveAudio", "harmful.wav", true);
    QVERIFY(waitForDone(1, 5000));
    m_loop.runFor(300);
    QCOMPARE_GT(m_tap->loudFrames.load(), 10000);
    QCOMPARE(m_tap->unsafe.load(), 0);
}

void AudioMediaControlTest::anEmptyTrackEndsAtOnce()
{
    writeBytes(path("empty.mid"), smfFile(0, 480, {TrackBuilder().endTrack(0)}));
    load("Sequencer", "empty.mid");
    if (m_control->mode() == MediaMode::NotOpen)
        QSKIP("files that last no time are refused before they reach the player");
    QCOMPARE(m_control->length(), 0);
    m_control->setCommand("play");
    QVERIFY(waitForDone(1, 1000));
    QCOMPARE(m_events->results, std::vector<int>{1});
    QCOMPARE(m_control->position(), 0);
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
    QCOMPARE_GT(m_tap->loudFrames.load(), 48000 * length / 1000 / 4); // the synthesizer was heard
}

void AudioMediaControlTest::midiAtMusicLevelWithoutClipping()
{
    if (!hasSoundFont())
        QSKIP("no General MIDI SoundFont installed");
    // A single piano melody at velocity 100.
    TrackBuilder melody;
    melody.program(0, 0, 0);
    for (int note = 0; note < 8; ++note)
        melody.noteOn(0, 0, 60 + note * 2, 100).noteOff(240, 0, 60 + note * 2);
    writeBytes(path("melody.mid"), smfFile(0, 480, {melody.endTrack(0)}));
    // A dense forte piece: three sections of five-note chords at velocity 120, with drums.
    TrackBuilder chords;
    TrackBuilder drums;
    for (int section = 0; section < 3; ++section) {
        chords.program(0, 0, std::array{0, 48, 61}[static_cast<std::size_t>(section)]);
        for (int beat = 0; beat < 4; ++beat) {
            const int root = 48 + section * 5 + beat * 2;
            for (const int step : {0, 4, 7, 12, 16})
                chords.noteOn(0, 0, root + step, 120);
            for (const int step : {0, 4, 7, 12, 16})
                chords.noteOff(step == 0 ? 240 : 0, 0, root + step);
            drums.noteOn(0, 9, 36, 120).noteOn(0, 9, beat % 2 ? 38 : 49, 120);
            drums.noteOff(240, 9, 36).noteOff(0, 9, beat % 2 ? 38 : 49);
        }
    }
    writeBytes(path("forte.mid"), smfFile(1, 480, {chords.endTrack(0), drums.endTrack(0)}));

    const auto peakOf = [this](const char* name) {
        m_tap->peak = 0.0f;
        const std::size_t before = m_events->done();
        load("Sequencer", name, true);
        waitForDone(before + 1, 10000);
        m_loop.runFor(300);
        return 20.0 * std::log10(m_tap->peak.load());
    };
    const double melodyPeak = peakOf("melody.mid");
    const double fortePeak = peakOf("forte.mid");
    qInfo("peaks: melody %.1f dBFS, forte piece %.1f dBFS", melodyPeak, fortePeak);
    QCOMPARE_GE(melodyPeak, -20.0);
    QCOMPARE_GE(fortePeak, -6.0);
    QCOMPARE_LE(fortePeak, -0.99);
    QCOMPARE(m_tap->unsafe.load(), 0);
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
    QCOMPARE(m_tap->loudFrames.load(), 0);
}

void AudioMediaControlTest::noSoundFontRefusesMidiOnly()
{
    AudioMediaControlOptions options;
    options.output = AudioMediaControlOptions::Output::Silent;
    options.soundFont = path("no-such-soundfont.sf2");
    AudioMediaControl control(m_loop, options);
    // Opened while the SoundFont still loads, the file is closed when it cannot start.
    ::load(control, "Sequencer", path("short.mid"), true);
    QTRY_COMPARE(control.mode(), MediaMode::NotOpen);
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
