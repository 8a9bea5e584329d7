// The playback engine through its own API, its output pulled by the test on the test's clock:
// files of every kind played to their end, files that cannot play, SoundFonts, the position
// events and what the commands do to the sound.
#include "audiofixtures.h"
#include "engine/engineevents.h"
#include "engine/playbackengine.h"
#include "engine/soundfontlocator.h"
#include "fakes/manualloop.h"
#include "fakes/pulleddevice.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvane;
using namespace orvane::testing;

Q_DECLARE_METATYPE(orvane::testing::Bytes)
Q_DECLARE_METATYPE(orvane::TrackKind)

namespace {

enum class Tone { None, Exact, Lossy, Downmix }; // how closely a tone must come out

// An engine over a pulled device, and what it reported.
struct EngineRig : EngineEvents
{
    explicit EngineRig(std::string soundFont = {}) : device(std::make_shared<PulledDevice>(loop))
    {
        EngineOptions options;
        options.threads = EngineOptions::Threads::Inline;
        options.preloadSoundFont = false;
        options.soundFont = std::move(soundFont);
        options.clock = loop.clock();
        engine = std::make_unique<PlaybackEngine>(loop, *this, device, options);
    }

    void ended() override { ++ends; }
    void failed(const std::string& why) override { failures.push_back(why); }
    void position(std::int32_t milliseconds) override
    {
        positions.emplace_back(loop.now() / 1000000, milliseconds);
    }
    void note(const std::string&) override {}

    // Plays the open file until its end is told (false when it is not within `milliseconds`),
    // then until what was rendered ahead has been heard; the frames heard meanwhile.
    bool playToEnd(int milliseconds, std::vector<float>& heard)
    {
        const int before = ends;
        const std::size_t from = device->heard.size();
        engine->play();
        for (int waited = 0; ends == before && waited < milliseconds; waited += 25)
            loop.advance(25);
        loop.advance(300);
        heard.assign(device->heard.begin() + static_cast<std::ptrdiff_t>(from),
                     device->heard.end());
        return ends == before + 1;
    }

    ManualLoop loop;
    std::shared_ptr<PulledDevice> device;
    std::unique_ptr<PlaybackEngine> engine;
    int ends = 0;
    std::vector<std::string> failures;
    std::vector<std::pair<std::int64_t, std::int32_t>> positions; // (ms of the loop, position)
};

// The frames from the first that is not silent to the last.
std::vector<float> sounding(const std::vector<float>& frames)
{
    const auto loud = [](float x) { return std::fabs(x) > 1e-4f; };
    const auto first = std::find_if(frames.begin(), frames.end(), loud);
    const auto last = std::find_if(frames.rbegin(), frames.rend(), loud).base();
    return first < last ? std::vector<float>(first, last) : std::vector<float>();
}

double rms(const std::vector<float>& frames, std::size_t first, std::size_t count)
{
    double sum = 0;
    for (std::size_t i = first; i < first + count; ++i)
        sum += double{frames[i]} * frames[i];
    return std::sqrt(sum / static_cast<double>(count));
}

bool hasSoundFont()
{
    return SoundFontLocator().locate().has_value();
}

QByteArray noise(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 104729 + 7) % 253);
    return bytes;
}

// Puts `content` at `file`: "folder" and "pipe" make one, null leaves the file as it is.
void make(const std::string& file, const QByteArray& content)
{
    if (content == "folder")
        QVERIFY(::mkdir(file.c_str(), 0700) == 0);
    else if (content == "pipe")
        QVERIFY(::mkfifo(file.c_str(), 0600) == 0); // a file swapped for a pipe
    else if (!content.isNull())
        writeBytes(file, Bytes(content.begin(), content.end()));
}

} // namespace

class TestPlaybackEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeSineWav(path("short.wav"), SF_FORMAT_PCM_16, 44100, 2, 0.4) > 0);
        writeLevel(path("long.wav"), 3000, 0.25f);
        writeBytes(path("short.mid"), simpleMidi(0.5));
    }

    void positionEventsFollowWhatIsHeardInEveryState()
    {
        EngineRig rig;
        PlaybackEngine& engine = *rig.engine;
        QVERIFY(engine.open(TrackKind::Wave, path("long.wav")));
        engine.setPositionInterval(1000);
        const std::int64_t start = rig.loop.now() / 1000000;
        engine.play();
        rig.loop.advance(2100);
        // Playing: each comes just after the position passes a whole interval, never before.
        QCOMPARE(rig.positions.size(), 2u);
        for (std::size_t second = 1; second <= 2; ++second) {
            const auto [at, position] = rig.positions[second - 1];
            QCOMPARE_GE(position, std::int32_t(second * 1000));
            QCOMPARE_LE(position, std::int32_t(second * 1000 + 50));
            QCOMPARE_LE(at - start - position, 25); // the period in flight when it came
        }
        // Paused, stopped or closed: on the clock, with the position where it stands; none at 0.
        engine.setPositionInterval(100);
        engine.pause();
        const std::int32_t paused = engine.position();
        for (const auto& [change, shown] :
             std::vector<std::pair<std::function<void()>, std::int32_t>>{
                 {[] {}, paused}, {[&] { engine.stop(); }, paused}, {[&] { engine.close(); }, 0}}) {
            change();
            rig.positions.clear();
            rig.loop.advance(250);
            QCOMPARE(rig.positions.size(), 2u);
            QCOMPARE(rig.positions.back().second, shown);
        }
        engine.setPositionInterval(0);
        rig.positions.clear();
        rig.loop.advance(250);
        QVERIFY(rig.positions.empty());
        QCOMPARE(rig.ends, 0);
    }

    void filesPlayToTheirEnd_data()
    {
        QTest::addColumn<QByteArray>("name"); // .wav, else MIDI
        QTest::addColumn<Bytes>("content");   // empty: written here
        QTest::addColumn<int>("length");      // ms
        QTest::addColumn<int>("tone");        // a 440 Hz sine at half scale for 0.4 s: Tone

        const auto withSize = [](Bytes wav, std::size_t at, std::uint32_t size) {
            for (std::size_t i = 0; i < 4; ++i)
                wav[at + i] = static_cast<std::uint8_t>(size >> (8 * i));
            return wav;
        };
        QVERIFY(writeSineWav(path("tone.wav"), SF_FORMAT_PCM_16, 22050, 1, 0.3) > 0);
        QVERIFY(writeSineWav(path("empty.wav"), SF_FORMAT_PCM_16, 22050, 1, 0.0) == 0);
        QVERIFY(writeSineWav(path("22k.wav"), SF_FORMAT_PCM_16, 22050, 1, 3.0) > 0);
        const Bytes tone = readBytes(path("tone.wav"));
        const auto data = static_cast<std::size_t>(
            std::search(tone.begin(), tone.end(), std::begin("data"), std::end("data") - 1) -
            tone.begin() + 4);
        const Bytes longWav = readBytes(path("22k.wav"));
        const auto row = [](const char* label, const std::string& name, Bytes content, int length,
                            Tone sound = Tone::None) {
            QTest::newRow(label) << QByteArray::fromStdString(name) << content << length
                                 << int(sound);
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
        for (const auto& [label, format, rate, channels, sound] : codings) {
            const std::string name = std::string(label) + ".wav";
            const int container = format & SF_FORMAT_TYPEMASK;
            const long long frames = writeSineWav(path(name.c_str()), format & SF_FORMAT_SUBMASK,
                                                  rate, channels, 0.4, 440, 0.5, container);
            QVERIFY(frames > 0);
            row(label, name, {}, int(frames * 1000 / rate), sound);
        }
        row("WAV without samples", "empty.wav", {}, 0);
        row("WAV cut short", "cut.wav", Bytes(longWav.begin(), longWav.begin() + 44 + 22050), 500);
        // Streaming writers leave the RIFF or data size at 0 or 0xFFFFFFFF: all of it plays.
        row("WAV data size 0", "data0.wav", withSize(tone, data, 0), 300);
        row("WAV data size FFFFFFFF", "dataff.wav", withSize(tone, data, 0xFFFFFFFF), 300);
        row("WAV with both sizes 0", "stream.wav", withSize(withSize(tone, 4, 0), data, 0), 300);
        // Metadata after the samples is not sound: a data size that is set, or 0 where a chunk
        // follows, is kept.
        const auto tagged = [&](Bytes wav) {
            wav.insert(wav.end(), {'i', 'd', '3', ' ', 0xA0, 0x0F, 0, 0});
            wav.resize(wav.size() + 4000, 0x55);
            return withSize(wav, 4, static_cast<std::uint32_t>(wav.size() - 8));
        };
        row("WAV with a chunk after its data", "tagged.wav", tagged(tone), 300);
        row("WAV without samples, a chunk after", "tagonly.wav",
            tagged(withSize(Bytes(tone.begin(), tone.begin() + data + 4), data, 0)), 0);

        TrackBuilder quarters; // four, at 120 bpm
        for (int key = 60; key < 64; ++key)
            quarters.noteOn(0, 0, key).noteOff(480, 0, key);
        const Bytes file = smfFile(0, 480, {quarters.endTrack(0)});
        const std::ptrdiff_t halfEnd = 14 + 8 + 2 * 9; // the header, the track's, two notes
        row("MIDI format 1 at 240 bpm", "tempo.mid",
            smfFile(1, 96,
                    {TrackBuilder().tempo(0, 250000).endTrack(0),
                     TrackBuilder().noteOn(0, 0, 60).noteOff(96, 0, 60).endTrack(96 * 3)}),
            1000);
        row("RIFF MIDI", "song.rmi", rmidFile(simpleMidi(0.5)), 500);
        row("MIDI of only an end of track", "empty.mid",
            smfFile(0, 480, {TrackBuilder().endTrack(0)}), 0);
        row("MIDI cut inside an event", "cut.mid", Bytes(file.begin(), file.begin() + halfEnd + 3),
            1000);
    }

    void filesPlayToTheirEnd()
    {
        QFETCH(QByteArray, name);
        QFETCH(Bytes, content);
        QFETCH(int, length);
        QFETCH(int, tone);
        const auto sound = static_cast<Tone>(tone);
        const TrackKind kind = name.endsWith(".wav") ? TrackKind::Wave : TrackKind::Midi;
        if (kind == TrackKind::Midi && !hasSoundFont())
            QSKIP("no General MIDI SoundFont installed");
        if (!content.empty())
            writeBytes(path(name.constData()), content);

        const StderrCapture stderrText;
        EngineRig rig;
        QVERIFY(rig.engine->open(kind, path(name.constData())));
        QCOMPARE(rig.engine->state(), EngineState::Stopped);
        QCOMPARE(rig.engine->length(), length);
        std::vector<float> first;
        for (int pass = 1; pass <= 2; ++pass) { // played again after its end, the same again
            std::vector<float> heard;
            // The end is told once the last frame is rendered, a little ahead of the sound: the
            // next file then follows it without a gap.
            QVERIFY(rig.playToEnd(length + 100, heard));
            QCOMPARE(rig.engine->state(), EngineState::Stopped);
            QCOMPARE(rig.engine->position(), length);
            const std::vector<float> loud = sounding(heard);
            if (kind == TrackKind::Midi) {
                QCOMPARE(loud.size() > std::size_t(length) * 48 / 4, length > 0);
                QCOMPARE_LE(loud.size(), std::size_t(length) * 48);
                continue;
            }
            // Block codings pad the length with silence.
            const long long soundingFrames = sound != Tone::None ? 19200 : length * 48LL;
            QCOMPARE_LE(std::abs(static_cast<long long>(loud.size()) - soundingFrames), 300);
            if (pass == 1)
                first = loud;
            else
                QVERIFY(loud == first);
        }
        QCOMPARE(rig.ends, 2);
        QCOMPARE(stderrText.text(), std::string());
        if (sound == Tone::None)
            return;
        // The tone only, without the resampler's ramps at its ends.
        const double level = rms(first, 960, 19200 - 2 * 960);
        if (sound == Tone::Downmix) {
            QCOMPARE_GT(level, 0.05); // the level depends on SDL's matrix
            return;
        }
        const double expected = 0.5 / std::sqrt(2.0);
        QCOMPARE_LE(std::abs(level - expected), expected * (sound == Tone::Lossy ? 0.06 : 0.01));
    }

    void filesThatCannotPlayOpenNothing_data()
    {
        QTest::addColumn<TrackKind>("kind");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("content"); // null: left as it is; "folder"; "pipe"
        QTest::addColumn<QByteArray>("shown");   // how stderr shows the name

        const QByteArray random = noise(2048);
        QVERIFY(writeSineWav(path("aiff.wav"), SF_FORMAT_PCM_16, 44100, 1, 0.1, 440, 0.5,
                             SF_FORMAT_AIFF) > 0);
        const Bytes wav = readBytes(path("short.wav"));
        QByteArray megahertz(reinterpret_cast<const char*>(wav.data()),
                             static_cast<qsizetype>(wav.size()));
        megahertz.replace(24, 4, QByteArray("\x40\x1F\x40\x00", 4)); // 4.2 MHz
        const QByteArray text("Not a sound at all.\n");
        const auto row = [](const char* label, TrackKind kind, const char* name,
                            const QByteArray& content, const char* shown) {
            QTest::newRow(label) << kind << QByteArray(name) << content << QByteArray(shown);
        };
        const TrackKind midi = TrackKind::Midi;
        const TrackKind wave = TrackKind::Wave;
        row("MIDI as WAV", wave, "short.mid", {}, "short.mid");
        row("WAV as MIDI", midi, "short.wav", {}, "short.wav");
        row("missing MIDI", midi, "nothere.mid", {}, "nothere.mid");
        row("missing WAV", wave, "missing.wav", {}, "missing.wav");
        row("zero-byte MIDI", midi, "zero.mid", "", "zero.mid");
        row("zero-byte WAV", wave, "zero.wav", "", "zero.wav");
        row("random MIDI", midi, "random.mid", random, "random.mid");
        row("random WAV", wave, "random.wav", random, "random.wav");
        row("text named .mid", midi, "readme.mid", text, "readme.mid");
        row("garbage RMID", midi, "junk.rmi",
            QByteArray("RIFF\x20\0\0\0RMIDdata\xFF\xFF\xFF\x0FMThd", 24), "junk.rmi");
        row("a folder", wave, "folder.wav", "folder", "folder.wav");
        row("a named pipe as WAV", wave, "pipe.wav", "pipe", "pipe.wav");
        row("a named pipe as MIDI", midi, "pipe.mid", "pipe", "pipe.mid");
        row("AIFF named .wav", wave, "aiff.wav", {}, "aiff.wav");
        row("absurd sample rate", wave, "fast.wav", megahertz, "fast.wav");
        row("terminal escapes in the name", wave, "x\x1b]0;OWNED\a\x1b[2J\x1b[31mred.wav", text,
            "x\\x1b]0;OWNED\\x07\\x1b[2J\\x1b[31mred.wav");
        row("line feed and bad UTF-8 in the name", wave, "new\nline \xff.wav", text,
            "new\\nline \\xff.wav");
    }

    void filesThatCannotPlayOpenNothing()
    {
        QFETCH(TrackKind, kind);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, shown);
        const std::string file = path(name.constData());
        make(file, content);

        const StderrCapture stderrText;
        EngineRig rig;
        for (int attempt = 0; attempt < 2; ++attempt) { // the same problem again is not told again
            QVERIFY(!rig.engine->open(kind, file));
            rig.engine->play();
            QCOMPARE(rig.engine->state(), EngineState::Closed);
            QCOMPARE(rig.engine->length(), 0);
            QCOMPARE(rig.engine->position(), 0);
        }
        rig.loop.advance(100);
        QCOMPARE(rig.ends, 0);
        QVERIFY(sounding(rig.device->heard).empty());
        if (!content.isNull())
            ::unlink(file.c_str()); // a name that is not UTF-8 is beyond QTemporaryDir
        const std::string lines = stderrText.text();
        QCOMPARE(std::count(lines.begin(), lines.end(), '\n'), 1);
        QVERIFY2(lines.find(shown.toStdString()) != std::string::npos, lines.c_str());
        QVERIFY(std::none_of(lines.begin(), lines.end() - 1,
                             [](char c) { return static_cast<unsigned char>(c) < 0x20; }));
    }

    void unusableSoundFontsGiveWayToTheNext_data()
    {
        QTest::addColumn<QByteArray>("soundFont"); // ORVANE_SOUNDFONT, in the test's folder
        QTest::addColumn<QByteArray>("content");   // "folder", "pipe", or the file's bytes

        QTest::newRow("missing") << QByteArray("missing.sf2") << QByteArray();
        QTest::newRow("random bytes") << QByteArray("random.sf2") << noise(4096);
        QTest::newRow("a folder") << QByteArray("folder.sf2") << QByteArray("folder");
        QTest::newRow("a WAV") << QByteArray("short.wav") << QByteArray();
        QTest::newRow("a named pipe") << QByteArray("pipe.sf2") << QByteArray("pipe");
    }

    void unusableSoundFontsGiveWayToTheNext()
    {
        QFETCH(QByteArray, soundFont);
        QFETCH(QByteArray, content);
        if (!hasSoundFont())
            QSKIP("no General MIDI SoundFont installed");
        const std::string file = path(soundFont.constData());
        make(file, content);

        const StderrCapture stderrText;
        qputenv("ORVANE_SOUNDFONT", QByteArray::fromStdString(file));
        EngineRig rig; // looks for its SoundFont when the first MIDI file starts
        std::vector<float> heard;
        QVERIFY(rig.engine->open(TrackKind::Midi, path("short.mid")));
        const bool ended = rig.playToEnd(1000, heard);
        qunsetenv("ORVANE_SOUNDFONT");
        QVERIFY(ended);
        QVERIFY(!sounding(heard).empty());
        const std::string lines = stderrText.text();
        QCOMPARE(std::count(lines.begin(), lines.end(), '\n'), 1);
        QVERIFY2(lines.find("ORVANE_SOUNDFONT names " + file) != std::string::npos, lines.c_str());
    }

    void withoutASoundFontOnlyMidiIsRefused()
    {
        const StderrCapture quiet;
        EngineRig rig(path("no-such-soundfont.sf2"));
        PlaybackEngine& engine = *rig.engine;
        // Opened before the SoundFont is looked for, the file is closed when it cannot start:
        // told once, nothing heard, nothing ended.
        QVERIFY(engine.open(TrackKind::Midi, path("short.mid")));
        engine.play();
        rig.loop.runPending();
        QCOMPARE(engine.state(), EngineState::Closed);
        rig.loop.advance(100);
        QCOMPARE(rig.failures.size(), 1u);
        QCOMPARE(rig.ends, 0);
        QVERIFY(sounding(rig.device->heard).empty());
        QVERIFY(!engine.open(TrackKind::Midi, path("short.mid")));
        // A WAV file plays after it, whole.
        QVERIFY(engine.open(TrackKind::Wave, path("short.wav")));
        QCOMPARE(engine.length(), 400);
        std::vector<float> heard;
        QVERIFY(rig.playToEnd(500, heard));
        QCOMPARE_GE(sounding(heard).size(), 19000u);
    }

    void midiAtMusicLevelWithoutClipping()
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

        EngineRig rig;
        const auto peakOf = [&rig, this](const char* name) {
            std::vector<float> heard;
            rig.engine->open(TrackKind::Midi, path(name));
            rig.playToEnd(10000, heard);
            float peak = 0;
            for (float x : heard)
                peak = std::max(peak, std::fabs(x));
            return 20.0 * std::log10(peak);
        };
        const double melodyPeak = peakOf("short.mid"); // piano at velocity 100
        const double fortePeak = peakOf("forte.mid");
        qInfo("peaks: melody %.1f dBFS, forte piece %.1f dBFS", melodyPeak, fortePeak);
        QCOMPARE_GE(melodyPeak, -20.0);
        QCOMPARE_GE(fortePeak, -6.0);
        QCOMPARE_LE(fortePeak, -0.99);
    }

private:
    // Byte for byte: a name need not be UTF-8.
    std::string path(const char* name) const { return m_dir.path().toStdString() + "/" + name; }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestPlaybackEngine)
#include "tst_playbackengine.moc"
