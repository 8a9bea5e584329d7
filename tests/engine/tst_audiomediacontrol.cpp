// The media control's events and commands over a silent sink that keeps real time: what the
// playback logic relies on, what reaches the output, and when, with files written here.
#include "audiofixtures.h"
#include "engine/soundfontlocator.h"
#include "platform/media/enginemediacontrol.h"
#include "platform/qt/qteventloop.h"
#include "platform/sdl/sdloutputdevice.h"

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
#include <sys/stat.h>
#include <unistd.h>

using namespace orvane;
using namespace orvane::testing;

Q_DECLARE_METATYPE(orvane::testing::Bytes)

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
            const std::size_t kept = keptFrames.load(std::memory_order_relaxed);
            if ((kept > 0 || loud) && kept < kKeptFrames) {
                std::copy_n(samples + 2 * i, 2,
                            keptSamples.begin() + static_cast<std::ptrdiff_t>(2 * kept));
                keptFrames.store(kept + 1, std::memory_order_release);
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
    // The output from its first loud frame to its last: left and right, interleaved.
    std::vector<float> kept() const
    {
        std::vector<float> out(keptSamples.begin(),
                               keptSamples.begin() +
                                   static_cast<std::ptrdiff_t>(2 * keptFrames.load()));
        while (!out.empty() && std::fabs(out.back()) <= 1e-4f)
            out.pop_back();
        return out;
    }

    static constexpr std::size_t kKeptFrames = 48000;
    std::vector<float> keptSamples = std::vector<float>(2 * kKeptFrames);
    std::atomic<std::size_t> keptFrames{0};
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

enum class Tone { None, Exact, Lossy, Downmix }; // how closely a tone must come out

// The RMS of every other sample from `first` (one channel of interleaved stereo) over `count`.
double rms(const std::vector<float>& stereo, std::size_t first, std::size_t count)
{
    double sum = 0;
    for (std::size_t i = first; i < first + count; ++i)
        sum += double{stereo[2 * i]} * stereo[2 * i];
    return std::sqrt(sum / static_cast<double>(count));
}

} // namespace

class AudioMediaControlTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void statusUpdatesWhileTheIntervalIsSetInEveryState();
    void noDoneAfterCloseStopOrNewOpen();
    void pauseFreezesThePosition();
    void realTimeAndTheGaugeJustAfterEachSecond();
    void harmfulSamplesNeverReachTheOutput();
    void midiAtMusicLevelWithoutClipping();
    void filesPlayToTheirEnd_data();
    void filesPlayToTheirEnd();
    void filesThatCannotPlayOpenNothing_data();
    void filesThatCannotPlayOpenNothing();
    void unusableSoundFontsGiveWayToTheNext_data();
    void unusableSoundFontsGiveWayToTheNext();
    void noSoundFontRefusesMidiOnly();
    void deviceOutputPlays();

private:
    // Byte for byte: a name need not be UTF-8.
    std::string path(const char* name) const { return m_dir.path().toStdString() + "/" + name; }
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
    std::unique_ptr<EngineMediaControl> m_control;
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
    EngineOptions options;
    options.tap = [tap = m_tap.get()](const float* samples, std::size_t frames) {
        tap->see(samples, frames);
    };
    m_control = std::make_unique<EngineMediaControl>(m_loop, nullptr, options);
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

void AudioMediaControlTest::midiAtMusicLevelWithoutClipping()
{
    if (!hasSoundFont())
        QSKIP("no General MIDI SoundFont installed");
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
    const double melodyPeak = peakOf("short.mid"); // piano at velocity 100
    const double fortePeak = peakOf("forte.mid");
    qInfo("peaks: melody %.1f dBFS, forte piece %.1f dBFS", melodyPeak, fortePeak);
    QCOMPARE_GE(melodyPeak, -20.0);
    QCOMPARE_GE(fortePeak, -6.0);
    QCOMPARE_LE(fortePeak, -0.99);
    QCOMPARE(m_tap->unsafe.load(), 0);
}

void AudioMediaControlTest::filesPlayToTheirEnd_data()
{
    QTest::addColumn<QByteArray>("device");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<Bytes>("content"); // empty: written by initTestCase
    QTest::addColumn<int>("length");    // ms
    QTest::addColumn<int>("tone");      // a 440 Hz sine at half scale for 0.4 s: Tone

    const auto withSize = [](Bytes wav, std::size_t at, std::uint32_t size) {
        for (std::size_t i = 0; i < 4; ++i)
            wav[at + i] = static_cast<std::uint8_t>(size >> (8 * i));
        return wav;
    };
    QVERIFY(writeSineWav(path("tone.wav"), SF_FORMAT_PCM_16, 22050, 1, 0.3) > 0);
    QVERIFY(writeSineWav(path("empty.wav"), SF_FORMAT_PCM_16, 22050, 1, 0.0) == 0);
    const Bytes tone = readBytes(path("tone.wav"));
    const auto data = static_cast<std::size_t>(
        std::search(tone.begin(), tone.end(), std::begin("data"), std::end("data") - 1) -
        tone.begin() + 4);
    const Bytes longWav = readBytes(path("long.wav"));
    const auto row = [](const char* label, const char* device, const char* name, Bytes content,
                        int length, Tone kind = Tone::None) {
        QTest::newRow(label) << QByteArray(device) << QByteArray(name) << content << length
                             << int(kind);
    };
    // A handful of codings with the rates and channel counts spread over them: the codings are
    // libsndfile's, the resampling SDL's; what is ours is how they are joined.
    const struct
    {
        const char* label;
        int format, rate, channels;
        Tone tone;
    } codings[] = {
        {"8-bit 8000 Hz mono", SF_FORMAT_PCM_U8, 8000, 1, Tone::Lossy},
        {"24-bit 96 kHz stereo", SF_FORMAT_PCM_24, 96000, 2, Tone::Exact},
        {"float 44.1 kHz stereo", SF_FORMAT_FLOAT, 44100, 2, Tone::Exact},
        {"IMA ADPCM 22050 Hz mono", SF_FORMAT_IMA_ADPCM, 22050, 1, Tone::Lossy},
        {"GSM 6.10 8000 Hz mono", SF_FORMAT_GSM610, 8000, 1, Tone::Lossy},
        {"extensible 16-bit 6 ch", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 48000, 6, Tone::Downmix},
        {"11025 Hz 4 ch", SF_FORMAT_PCM_16, 11025, 4, Tone::Downmix},
    };
    for (const auto& [label, format, rate, channels, kind] : codings) {
        const std::string name = std::string(label) + ".wav";
        const int container = format & SF_FORMAT_TYPEMASK;
        const long long frames = writeSineWav(path(name.c_str()), format & SF_FORMAT_SUBMASK, rate,
                                              channels, 0.4, 440, 0.5, container);
        QVERIFY(frames > 0);
        QTest::newRow(label) << QByteArray("WaveAudio") << QByteArray::fromStdString(name)
                             << Bytes() << int(frames * 1000 / rate) << int(kind);
    }
    row("WAV without samples", "WaveAudio", "empty.wav", {}, 0);
    row("WAV cut short", "WaveAudio", "cut.wav",
        Bytes(longWav.begin(), longWav.begin() + 44 + 22050), 500);
    // Streaming writers leave the RIFF or data size at 0 or 0xFFFFFFFF: all of it plays.
    row("WAV data size 0", "WaveAudio", "data0.wav", withSize(tone, data, 0), 300);
    row("WAV data size FFFFFFFF", "WaveAudio", "dataff.wav", withSize(tone, data, 0xFFFFFFFF), 300);
    row("WAV with both sizes 0", "WaveAudio", "stream.wav", withSize(withSize(tone, 4, 0), data, 0),
        300);
    // Metadata after the samples is not sound: a data size that is set, or 0 where a chunk
    // follows, is kept.
    const auto tagged = [&](Bytes wav) {
        wav.insert(wav.end(), {'i', 'd', '3', ' ', 0xA0, 0x0F, 0, 0});
        wav.resize(wav.size() + 4000, 0x55);
        return withSize(wav, 4, static_cast<std::uint32_t>(wav.size() - 8));
    };
    row("WAV with a chunk after its data", "WaveAudio", "tagged.wav", tagged(tone), 300);
    row("WAV without samples, a chunk after", "WaveAudio", "tagonly.wav",
        tagged(withSize(Bytes(tone.begin(), tone.begin() + data + 4), data, 0)), 0);

    TrackBuilder quarters; // four, at 120 bpm
    for (int key = 60; key < 64; ++key)
        quarters.noteOn(0, 0, key).noteOff(480, 0, key);
    const Bytes file = smfFile(0, 480, {quarters.endTrack(0)});
    const std::ptrdiff_t halfEnd = 14 + 8 + 2 * 9; // the header, the track's, two notes
    row("MIDI format 1 at 240 bpm", "Sequencer", "tempo.mid",
        smfFile(1, 96,
                {TrackBuilder().tempo(0, 250000).endTrack(0),
                 TrackBuilder().noteOn(0, 0, 60).noteOff(96, 0, 60).endTrack(96 * 3)}),
        1000);
    row("RIFF MIDI", "Sequencer", "song.rmi", rmidFile(simpleMidi(0.5)), 500);
    row("MIDI of only an end of track", "Sequencer", "empty.mid",
        smfFile(0, 480, {TrackBuilder().endTrack(0)}), 0);
    row("MIDI cut inside an event", "Sequencer", "cut.mid",
        Bytes(file.begin(), file.begin() + halfEnd + 3), 1000);
}

void AudioMediaControlTest::filesPlayToTheirEnd()
{
    QFETCH(QByteArray, device);
    QFETCH(QByteArray, name);
    QFETCH(Bytes, content);
    QFETCH(int, length);
    QFETCH(int, tone);
    const auto kind = static_cast<Tone>(tone);
    const bool midi = device == "Sequencer";
    if (midi && !hasSoundFont())
        QSKIP("no General MIDI SoundFont installed");
    if (!content.empty())
        writeBytes(path(name.constData()), content);

    const StderrCapture stderrText;
    load(device.constData(), name.constData());
    QCOMPARE(m_control->mode(), MediaMode::Stopped);
    QCOMPARE(m_control->length(), length);
    std::vector<float> first;
    for (std::size_t pass = 1; pass <= 2; ++pass) { // played again after its end, the same again
        m_tap->keptFrames = 0;
        m_tap->loudFrames = 0;
        m_control->setCommand("play");
        QCOMPARE(m_control->mode(), MediaMode::Playing);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(waitForDone(pass, length + 5000));
        const qint64 doneAfter = clock.elapsed();
        // Done comes once the end is rendered; what was rendered ahead still plays out, and a
        // second Done would show.
        for (long long heard = -1; heard != m_tap->loudFrames; m_loop.runFor(250))
            heard = m_tap->loudFrames;
        QCOMPARE(m_events->results, std::vector<int>(pass, 1));
        QCOMPARE(m_control->mode(), MediaMode::Stopped);
        QCOMPARE(m_control->position(), length);
        if (midi) {
            // Real time: FluidSynth's own end comes seconds later, after its voices have died.
            QCOMPARE_LT(doneAfter, length + 1000);
            QCOMPARE(m_tap->loudFrames.load() > length * 48LL / 4, length > 0);
            continue;
        }
        // Block codings pad the length with silence.
        const long long sounding = kind != Tone::None ? 19200 : length * 48LL;
        QCOMPARE_LE(std::abs(m_tap->loudFrames - sounding), 300);
        if (pass == 1)
            first = m_tap->kept();
        else
            QVERIFY(m_tap->kept() == first);
    }
    QCOMPARE(stderrText.text(), std::string());
    if (kind == Tone::None)
        return;
    // The tone only, without the resampler's ramps at its ends.
    const double level = rms(first, 960, 19200 - 2 * 960);
    if (kind == Tone::Downmix) {
        QCOMPARE_GT(level, 0.05); // the level depends on SDL's matrix
        return;
    }
    const double expected = 0.5 / std::sqrt(2.0);
    QCOMPARE_LE(std::abs(level - expected), expected * (kind == Tone::Lossy ? 0.06 : 0.01));
    const std::vector<float> right(first.begin() + 1, first.end());
    QCOMPARE_LE(std::abs(rms(right, 960, 19200 - 2 * 960) - level), level * 0.01);
}

void AudioMediaControlTest::filesThatCannotPlayOpenNothing_data()
{
    QTest::addColumn<QByteArray>("device");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("content"); // null: left as it is; "folder"; "pipe"
    QTest::addColumn<QByteArray>("shown");   // how stderr shows the name

    QByteArray random(2048, '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 104729 + 7) % 253);
    QVERIFY(writeSineWav(path("aiff.wav"), SF_FORMAT_PCM_16, 44100, 1, 0.1, 440, 0.5,
                         SF_FORMAT_AIFF) > 0);
    const Bytes wav = readBytes(path("short.wav"));
    QByteArray megahertz(reinterpret_cast<const char*>(wav.data()),
                         static_cast<qsizetype>(wav.size()));
    megahertz.replace(24, 4, QByteArray("\x40\x1F\x40\x00", 4)); // 4.2 MHz
    const QByteArray text("Not a sound at all.\n");
    const auto row = [](const char* label, const char* device, const char* name,
                        const QByteArray& content, const char* shown) {
        QTest::newRow(label) << QByteArray(device) << QByteArray(name) << content
                             << QByteArray(shown);
    };
    row("MIDI as WAV", "WaveAudio", "short.mid", {}, "short.mid");
    row("WAV as MIDI", "Sequencer", "short.wav", {}, "short.wav");
    row("CD audio", "CDAudio", "short.wav", {}, "short.wav");
    row("no device type", "", "short.wav", {}, "short.wav");
    row("missing MIDI", "Sequencer", "nothere.mid", {}, "nothere.mid");
    row("missing WAV", "WaveAudio", "missing.wav", {}, "missing.wav");
    row("zero-byte MIDI", "Sequencer", "zero.mid", "", "zero.mid");
    row("zero-byte WAV", "WaveAudio", "zero.wav", "", "zero.wav");
    row("random MIDI", "Sequencer", "random.mid", random, "random.mid");
    row("random WAV", "WaveAudio", "random.wav", random, "random.wav");
    row("text named .mid", "Sequencer", "readme.mid", text, "readme.mid");
    row("garbage RMID", "Sequencer", "junk.rmi",
        QByteArray("RIFF\x20\0\0\0RMIDdata\xFF\xFF\xFF\x0FMThd", 24), "junk.rmi");
    row("a folder", "WaveAudio", "folder.wav", "folder", "folder.wav");
    row("a named pipe as WAV", "WaveAudio", "pipe.wav", "pipe", "pipe.wav");
    row("a named pipe as MIDI", "Sequencer", "pipe.mid", "pipe", "pipe.mid");
    row("AIFF named .wav", "WaveAudio", "aiff.wav", {}, "aiff.wav");
    row("absurd sample rate", "WaveAudio", "fast.wav", megahertz, "fast.wav");
    row("terminal escapes in the name", "WaveAudio", "x\x1b]0;OWNED\a\x1b[2J\x1b[31mred.wav", text,
        "x\\x1b]0;OWNED\\x07\\x1b[2J\\x1b[31mred.wav");
    row("line feed and bad UTF-8 in the name", "WaveAudio", "new\nline \xff.wav", text,
        "new\\nline \\xff.wav");
}

void AudioMediaControlTest::filesThatCannotPlayOpenNothing()
{
    QFETCH(QByteArray, device);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, shown);
    const std::string file = path(name.constData());
    if (content == "folder")
        QVERIFY(::mkdir(file.c_str(), 0700) == 0);
    else if (content == "pipe")
        QVERIFY(::mkfifo(file.c_str(), 0600) == 0); // a queued file swapped for a pipe
    else if (!content.isNull())
        writeBytes(file, Bytes(content.begin(), content.end()));

    const StderrCapture stderrText;
    for (int attempt = 0; attempt < 2; ++attempt) { // the same problem again is not told again
        ::load(*m_control, device.toStdString(), file, true);
        QCOMPARE(m_control->mode(), MediaMode::NotOpen);
        QCOMPARE(m_control->length(), 0);
        QCOMPARE(m_control->position(), 0);
    }
    m_loop.runFor(100);
    QCOMPARE(m_events->done(), std::size_t{0});
    QCOMPARE(m_tap->loudFrames.load(), 0);
    if (!content.isNull())
        ::unlink(file.c_str()); // a name that is not UTF-8 is beyond QTemporaryDir
    const std::string lines = stderrText.text();
    QCOMPARE(std::count(lines.begin(), lines.end(), '\n'), 1);
    QVERIFY2(lines.find(shown.toStdString()) != std::string::npos, lines.c_str());
    QVERIFY(std::none_of(lines.begin(), lines.end() - 1,
                         [](char c) { return static_cast<unsigned char>(c) < 0x20; }));
}

void AudioMediaControlTest::unusableSoundFontsGiveWayToTheNext_data()
{
    QTest::addColumn<QByteArray>("soundFont"); // ORVANE_SOUNDFONT, in the test's folder
    QTest::addColumn<QByteArray>("content");   // "folder", "pipe", or the file's bytes

    QByteArray random(4096, '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = static_cast<char>((i * 7919 + 13) % 251);
    QTest::newRow("missing") << QByteArray("missing.sf2") << QByteArray();
    QTest::newRow("random bytes") << QByteArray("random.sf2") << random;
    QTest::newRow("a folder") << QByteArray("folder.sf2") << QByteArray("folder");
    QTest::newRow("a WAV") << QByteArray("short.wav") << QByteArray();
    QTest::newRow("a named pipe") << QByteArray("pipe.sf2") << QByteArray("pipe");
}

void AudioMediaControlTest::unusableSoundFontsGiveWayToTheNext()
{
    QFETCH(QByteArray, soundFont);
    QFETCH(QByteArray, content);
    if (!hasSoundFont())
        QSKIP("no General MIDI SoundFont installed");
    const std::string file = path(soundFont.constData());
    if (content == "folder")
        QVERIFY(::mkdir(file.c_str(), 0700) == 0);
    else if (content == "pipe")
        QVERIFY(::mkfifo(file.c_str(), 0600) == 0);
    else if (!content.isNull())
        writeBytes(file, Bytes(content.begin(), content.end()));

    const StderrCapture stderrText;
    qputenv("ORVANE_SOUNDFONT", QByteArray::fromStdString(file));
    cleanup();
    init(); // a control that looks for its SoundFont now
    load("Sequencer", "short.mid", true);
    const bool done = waitForDone(1, 5000);
    qunsetenv("ORVANE_SOUNDFONT");
    QVERIFY(done);
    QCOMPARE_GT(m_tap->loudFrames.load(), 0);
    const std::string lines = stderrText.text();
    QCOMPARE(std::count(lines.begin(), lines.end(), '\n'), 1);
    QVERIFY2(lines.find("ORVANE_SOUNDFONT names " + file) != std::string::npos, lines.c_str());
}

void AudioMediaControlTest::noSoundFontRefusesMidiOnly()
{
    EngineOptions options;
    options.soundFont = path("no-such-soundfont.sf2");
    EngineMediaControl control(m_loop, nullptr, options);
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
    EngineMediaControl control(m_loop, std::make_shared<SdlOutputDevice>());
    EventLog events(control);
    control.setEvents(&events);
    QVERIFY(!control.engine().waitForOutput().empty());
    ::load(control, "WaveAudio", path("short.wav"), true);
    QVERIFY(waitFor([&] { return events.done() > 0; }, 3000));
    QCOMPARE(events.results, std::vector<int>{1});
}

QTEST_GUILESS_MAIN(AudioMediaControlTest)
#include "tst_audiomediacontrol.moc"
