// End to end through a real PulseAudio server with a null sink: a WAV and then a MIDI file,
// the second opened and played from the first one's Done, recorded from the sink's monitor.
#include "audiofixtures.h"
#include "platform/audio/audiomediacontrol.h"
#include "platform/qt/qteventloop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sndfile.h>

using namespace orvane;
using namespace orvane::testing;

namespace {

// Counts Done events and calls `onDone` on each.
class DoneCounter : public MediaControlEvents
{
public:
    void MMControl1_Done(int) override { onDone(++done); }
    void MMControl1_StatusUpdate() override {}
    void MMControl1_PlayClick(bool&) override {}
    void MMControl1_PauseClick(bool&) override {}
    void MMControl1_StopClick(bool&) override {}
    void MMControl1_NextClick(bool&) override {}

    int done = 0;
    std::function<void(int)> onDone = [](int) {};
};

struct Segment
{
    long long begin; // frames
    long long end;
};

// Sounding stretches of a recording, split at runs of digital silence of half a millisecond
// or more.
std::vector<Segment> soundingSegments(const std::vector<short>& interleaved, int channels, int rate)
{
    const long long minGap = rate / 2000;
    std::vector<Segment> segments;
    long long silentRun = 0;
    const auto frames = static_cast<long long>(interleaved.size()) / channels;
    for (long long i = 0; i < frames; ++i) {
        bool loud = false;
        for (int c = 0; c < channels; ++c)
            loud = loud || std::abs(interleaved[static_cast<std::size_t>(i * channels + c)]) > 2;
        if (!loud) {
            ++silentRun;
            continue;
        }
        if (segments.empty() || silentRun >= minGap)
            segments.push_back({i, i + 1});
        else
            segments.back().end = i + 1;
        silentRun = 0;
    }
    return segments;
}

bool serverAnswers()
{
    QProcess pactl;
    pactl.start("pactl", {"info"});
    return pactl.waitForFinished(3000) && pactl.exitStatus() == QProcess::NormalExit &&
           pactl.exitCode() == 0;
}

} // namespace

class AudioServerTest : public QObject
{
    Q_OBJECT

private slots:
    void wavThenMidiBackToBack();
};

void AudioServerTest::wavThenMidiBackToBack()
{
    QVERIFY2(!QStandardPaths::findExecutable("parec").isEmpty() && serverAnswers(),
             "no PulseAudio server answers (run inside tests/rig/usersession.sh --pulse)");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string wav = dir.filePath("tone.wav").toStdString();
    const std::string mid = dir.filePath("organ.mid").toStdString();
    const QString recording = dir.filePath("recording.wav");
    QVERIFY(writeSineWav(wav, SF_FORMAT_PCM_16, 44100, 2, 1.0) > 0);
    // One organ chord held from the first tick to the end of track: sound all the way.
    writeBytes(mid, smfFile(0, 480,
                            {TrackBuilder()
                                 .program(0, 0, 19)
                                 .noteOn(0, 0, 60, 127)
                                 .noteOn(0, 0, 64, 127)
                                 .noteOn(0, 0, 67, 127)
                                 .endTrack(960)}));

    // The recorder first: the null sink only runs at low latency with a reader attached.
    QProcess recorder;
    recorder.start(
        "parec", {"--latency-msec=20", "-d", "test_sink.monitor", "--file-format=wav", recording});
    QVERIFY(recorder.waitForStarted(3000));
    QtEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    qint64 size = 0;
    while (clock.elapsed() < 8000 && size < 48000) { // grows once the stream runs
        loop.runFor(50);
        size = QFileInfo(recording).size();
    }
    QVERIFY2(size >= 48000, "the recorder never started recording");

    AudioMediaControl control(loop);
    DoneCounter events;
    control.setEvents(&events);
    const std::string output = control.waitForOutput();
    QVERIFY2(output.find("silent") == std::string::npos, output.c_str());

    const auto play = [&control](const char* device, const std::string& file) {
        control.setCommand("Close");
        control.setDeviceType(device);
        control.setFileName(file);
        control.setCommand("Open");
        control.setCommand("play");
    };
    // As the playback logic does: the next file is opened and played from Done.
    events.onDone = [&](int done) {
        if (done == 1)
            play("Sequencer", mid);
    };
    play("WaveAudio", wav);
    clock.restart();
    while (events.done < 2 && clock.elapsed() < 8000)
        loop.runFor(20);
    QCOMPARE(events.done, 2);
    loop.runFor(400); // let the end reach the recorder
    ::kill(static_cast<pid_t>(recorder.processId()), SIGINT);
    QVERIFY(recorder.waitForFinished(3000));

    SF_INFO info{};
    SNDFILE* file = sf_open(recording.toLocal8Bit().constData(), SFM_READ, &info);
    QVERIFY(file != nullptr);
    std::vector<short> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);

    const std::vector<Segment> segments = soundingSegments(samples, info.channels, info.samplerate);
    const auto ms = [&](long long frames) { return frames * 1000.0 / info.samplerate; };
    for (const Segment& segment : segments)
        qInfo("sound from %.1f ms to %.1f ms", ms(segment.begin), ms(segment.end));
    QCOMPARE(segments.size(), std::size_t{2});
    const double wavLength = ms(segments[0].end - segments[0].begin);
    const double midiLength = ms(segments[1].end - segments[1].begin);
    const double gap = ms(segments[1].begin - segments[0].end);
    qInfo("recorded: WAV %.1f ms, gap %.1f ms, MIDI %.1f ms", wavLength, gap, midiLength);
    QCOMPARE_LE(std::abs(wavLength - 1000.0), 5.0);
    QCOMPARE_LE(std::abs(midiLength - 1000.0), 15.0);
    QCOMPARE_LT(gap, 20.0);
}

QTEST_GUILESS_MAIN(AudioServerTest)
#include "tst_audioserver.moc"
