// Measures the media control on this machine and prints each figure beside a baseline taken
// in the same run. Run it with a sound server (PULSE_SERVER) for device figures; without one
// the control plays to its silent sink.
#include "audiofixtures.h"
#include "platform/audio/audiomediacontrol.h"
#include "platform/audio/midisource.h"
#include "platform/audio/midisynth.h"
#include "platform/audio/preparedmidi.h"
#include "platform/audio/wavdecoder.h"
#include "platform/qt/qteventloop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <numeric>
#include <sndfile.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvane;
using namespace orvane::testing;
using Clock = std::chrono::steady_clock;

namespace {

constexpr float kLoud = 1e-4f;
const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// Runs a program and returns its CPU time (user + system) in seconds; negative on failure.
double childCpuSeconds(std::vector<std::string> args)
{
    std::fflush(stdout); // or the child would print what is still buffered here
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A cosine (loud from its first sample) at 48 kHz, so that the gap measure sees the true
// edges of the file.
void writeToneWav(const std::string& path, double seconds, int rate = 48000)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<float> samples(frames * 2);
    for (std::size_t i = 0; i < frames; ++i)
        samples[2 * i] = samples[2 * i + 1] =
            static_cast<float>(0.4 * std::cos(2 * M_PI * 330.0 * static_cast<double>(i) / rate));
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
}

// An organ chord held from the first tick to the end of track.
Bytes heldChord(double seconds)
{
    return smfFile(0, 480,
                   {TrackBuilder()
                        .program(0, 0, 19)
                        .noteOn(0, 0, 60, 127)
                        .noteOn(0, 0, 64, 127)
                        .noteOn(0, 0, 67, 127)
                        .endTrack(static_cast<std::uint32_t>(seconds * 960))});
}

// Eight instruments, 64 notes per beat at 120 bpm.
Bytes denseMidi(double seconds)
{
    const int programs[8] = {0, 24, 48, 56, 73, 40, 32, 11};
    std::vector<TrackBuilder> tracks(9);
    tracks[0].tempo(0, 500000).endTrack(static_cast<std::uint32_t>(seconds * 960));
    const int beats = static_cast<int>(seconds * 2);
    for (int channel = 0; channel < 8; ++channel) {
        TrackBuilder& track = tracks[static_cast<std::size_t>(channel) + 1];
        track.program(0, channel, programs[channel]);
        for (int step = 0; step < beats * 2; ++step) { // eighth notes, four voices each
            const int root = 48 + (step * 5 + channel * 3) % 24;
            for (int voice = 0; voice < 4; ++voice)
                track.noteOn(0, channel, root + voice * 4, 90);
            for (int voice = 0; voice < 4; ++voice)
                track.noteOff(voice == 0 ? 240 : 0, channel, root + voice * 4);
        }
        track.endTrack(0);
    }
    return smfFile(1, 480, tracks);
}

// What the output tap sees, kept without allocating on the audio thread.
struct Probe
{
    std::atomic<bool> reset{false};
    std::atomic<std::int64_t> armedAt{0};
    std::atomic<std::int64_t> firstCallback{0};
    std::atomic<std::int64_t> firstLoud{0};
    // Gap detection: the longest silence between two loud stretches since the last reset.
    long long silentRun = 0;
    bool seenLoud = false;
    std::atomic<long long> longestGap{0};

    void tap(const float* samples, std::size_t frames)
    {
        if (reset.exchange(false)) {
            silentRun = 0;
            seenLoud = false;
            longestGap = 0;
        }
        const std::int64_t now = nowNs();
        const bool armed = armedAt.load() != 0;
        if (armed && firstCallback.load() == 0)
            firstCallback = now;
        for (std::size_t i = 0; i < frames; ++i) {
            const bool loud =
                std::fabs(samples[2 * i]) > kLoud || std::fabs(samples[2 * i + 1]) > kLoud;
            if (!loud) {
                ++silentRun;
                continue;
            }
            if (armed && firstLoud.load() == 0)
                firstLoud = now;
            if (seenLoud && silentRun > longestGap)
                longestGap = silentRun;
            seenLoud = true;
            silentRun = 0;
        }
    }
};

class DoneEvents : public MediaControlEvents
{
public:
    void MMControl1_Done(int) override
    {
        ++done;
        if (onDone)
            onDone();
    }
    void MMControl1_StatusUpdate() override {}
    void MMControl1_PlayClick(bool&) override {}
    void MMControl1_PauseClick(bool&) override {}
    void MMControl1_StopClick(bool&) override {}
    void MMControl1_NextClick(bool&) override {}
    int done = 0;
    std::function<void()> onDone;
};

void openOn(MediaControl& control, const std::string& device, const std::string& file)
{
    control.setCommand("Close");
    control.setDeviceType(device);
    control.setFileName(file);
    control.setCommand("Open");
}

bool waitDone(QtEventLoop& loop, DoneEvents& events, int count, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (events.done < count && timer.elapsed() < milliseconds)
        loop.runFor(1);
    return events.done >= count;
}

std::string deviceFor(const std::string& file)
{
    return file.ends_with(".wav") ? "WaveAudio" : "Sequencer";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QtEventLoop loop;
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    const std::string toneWav = path("tone.wav");
    const std::string chordMid = path("chord.mid");
    const std::string longWav = path("long.wav");
    const std::string denseMid = path("dense.mid");
    writeToneWav(toneWav, 0.3);
    writeBytes(chordMid, heldChord(0.3));
    writeSineWav(longWav, SF_FORMAT_PCM_16, 44100, 2, 60.0);
    writeBytes(denseMid, denseMidi(60.0));
    const bool haveSoundFont = access(kSoundFont, R_OK) == 0;
    if (!haveSoundFont)
        std::printf("TimGM6mb is not installed: MIDI figures use the located SoundFont\n");
    const std::string soundFont = haveSoundFont ? kSoundFont : "";

    std::printf("Orvane audio benchmark (medians; goals from the issue in brackets)\n\n");

    // --- SoundFont load -------------------------------------------------------------------
    {
        const double rssBefore = residentMegabytes();
        std::vector<double> loads;
        double rssDelta = 0;
        for (int i = 0; i < 5; ++i) {
            MidiSynth synth(soundFont);
            synth.synth();
            loads.push_back(synth.loadTime().count() * 1000);
            if (i == 0)
                rssDelta = residentMegabytes() - rssBefore;
        }
        std::vector<double> reads;
        for (int i = 0; i < 5; ++i) {
            const auto start = Clock::now();
            const Bytes bytes = readBytes(haveSoundFont ? kSoundFont : "/dev/null");
            reads.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        std::printf("SoundFont load (%s)\n", haveSoundFont ? "TimGM6mb" : "located");
        std::printf("  load into the synthesizer   %7.1f ms   resident +%.1f MB\n", median(loads),
                    rssDelta);
        std::printf("  baseline: reading the file  %7.1f ms\n\n", median(reads));
    }

    // --- play -> first sound, and the gap between tracks, on the real output -----------------
    Probe probe;
    {
        AudioMediaControlOptions options;
        options.soundFont = soundFont;
        AudioMediaControl control(
            loop, options,
            [&probe](const float* samples, std::size_t frames) { probe.tap(samples, frames); });
        DoneEvents events;
        control.setEvents(&events);
        const std::string output = control.waitForOutput();
        std::printf("Output: %s\n", output.c_str());

        std::printf("Time from \"play\" to the first sound handed to the output [< 20 ms]\n");
        for (const std::string& file : {toneWav, chordMid}) {
            std::vector<double> sound;
            std::vector<double> callback;
            for (int i = 0; i < 15; ++i) {
                openOn(control, deviceFor(file), file);
                loop.runFor(30);
                probe.firstCallback = 0;
                probe.firstLoud = 0;
                probe.armedAt = nowNs();
                control.setCommand("play");
                waitDone(loop, events, events.done + 1, 3000);
                sound.push_back(static_cast<double>(probe.firstLoud - probe.armedAt) / 1e6);
                callback.push_back(static_cast<double>(probe.firstCallback - probe.armedAt) / 1e6);
                probe.armedAt = 0;
            }
            std::printf(
                "  %-5s first sound %6.1f ms   baseline: next callback of the stream %6.1f ms\n",
                file.ends_with(".wav") ? "WAV" : "MIDI", median(sound), median(callback));
        }

        std::printf("\nSilence between two tracks when Done leads to Close, Open, play [< 20 ms; "
                    "limit 0]\n");
        const std::pair<std::string, std::string> pairs[] = {
            {toneWav, toneWav}, {toneWav, chordMid}, {chordMid, toneWav}, {chordMid, chordMid}};
        for (const auto& [first, second] : pairs) {
            std::vector<double> gaps;
            for (int i = 0; i < 7; ++i) {
                openOn(control, deviceFor(first), first);
                loop.runFor(30);
                probe.reset = true;
                loop.runFor(30);
                const int start = events.done;
                events.onDone = [&, second = second, start] {
                    if (events.done == start + 1) {
                        openOn(control, deviceFor(second), second);
                        control.setCommand("play");
                    }
                };
                control.setCommand("play");
                waitDone(loop, events, start + 2, 4000);
                events.onDone = nullptr;
                gaps.push_back(static_cast<double>(probe.longestGap.load()) * 1000.0 / 48000.0);
            }
            std::printf("  %-4s -> %-4s  %6.1f ms   (worst %5.1f ms; one output period: %.1f ms)\n",
                        first.ends_with(".wav") ? "WAV" : "MIDI",
                        second.ends_with(".wav") ? "WAV" : "MIDI", median(gaps),
                        *std::max_element(gaps.begin(), gaps.end()), 512 * 1000.0 / 48000.0);
        }
        std::printf("  (a MIDI start includes the instrument's own attack)\n");
    }

    // --- CPU per second of audio -----------------------------------------------------------
    std::printf(
        "\nCPU time per second of audio (lower is better; the control over 8 s in real time)\n");
    {
        // The whole control in real time on the silent sink: every thread of the process.
        AudioMediaControlOptions options;
        options.soundFont = soundFont;
        options.output = AudioMediaControlOptions::Output::Silent;
        AudioMediaControl control(loop, options);
        control.waitForOutput();
        const auto measure = [&](const std::string& file) {
            openOn(control, deviceFor(file), file);
            control.setUpdateInterval(1000);
            const double cpuStart = processCpuSeconds();
            const auto wallStart = Clock::now();
            control.setCommand("play");
            loop.runFor(8000);
            const double cpu = processCpuSeconds() - cpuStart;
            const double seconds = std::chrono::duration<double>(Clock::now() - wallStart).count();
            control.setCommand("Close");
            return cpu / seconds * 1000;
        };
        const double idleStart = processCpuSeconds();
        loop.runFor(3000);
        const double idleCpu = (processCpuSeconds() - idleStart) / 3.0 * 1000;
        const double wavCpu = measure(longWav);
        const double midiCpu = measure(denseMid);

        // The source renderers alone, on this thread.
        double wavRender = 0;
        {
            std::string error;
            auto decoder = WavDecoder::open(longWav, error);
            std::vector<float> out(4096 * 2);
            const double start = threadCpuSeconds();
            while (decoder && decoder->decode(out.data(), 4096) > 0) {
            }
            wavRender = (threadCpuSeconds() - start) / 60.0 * 1000;
        }
        double midiRender = 0;
        {
            auto synth = std::make_shared<MidiSynth>(soundFont);
            std::string error;
            const Bytes bytes = readBytes(denseMid);
            MidiSource source(synth, prepareMidi(bytes));
            std::vector<float> out(512 * 2);
            const double start = threadCpuSeconds();
            if (source.start(error))
                while (!source.finished())
                    source.render(out.data(), 512);
            midiRender = (threadCpuSeconds() - start) / 60.0 * 1000;
        }

        const std::string raw = path("fluidsynth.raw");
        const std::string font =
            soundFont.empty() ? "/usr/share/sounds/sf3/default-GM.sf3" : soundFont;
        const auto fluidsynth = [&](const std::string& midi) {
            return childCpuSeconds(
                {"fluidsynth", "-ni", "-q", "-r", "48000", "-T", "raw", "-F", raw, font, midi});
        };
        writeBytes(path("empty.mid"), simpleMidi(0.01));
        const double fluid = fluidsynth(denseMid);
        const double fluidStartup = fluidsynth(path("empty.mid"));
        const double soxDecode = childCpuSeconds({"sox", longWav, "-t", "raw", "/dev/null"});
        const double soxConvert =
            childCpuSeconds({"sox", longWav, "-r", "48000", "-e", "floating-point", "-b", "32",
                             "-t", "raw", "/dev/null"});

        std::printf("  control open, nothing playing  %6.2f ms/s\n", idleCpu);
        std::printf("  WAV 44.1 kHz 16-bit stereo\n");
        std::printf("    control, whole pipeline       %6.2f ms/s\n", wavCpu);
        std::printf("    decode + convert to 48k float %6.2f ms/s\n", wavRender);
        std::printf("    baseline: sox decode          %6.2f ms/s\n", soxDecode / 60 * 1000);
        std::printf("    baseline: sox decode + 48k    %6.2f ms/s\n", soxConvert / 60 * 1000);
        std::printf("  Dense MIDI, 64 notes per beat [within 1.2x of fluidsynth -F]\n");
        std::printf("    control, whole pipeline       %6.2f ms/s\n", midiCpu);
        std::printf("    synthesizer rendering         %6.2f ms/s\n", midiRender);
        std::printf("    baseline: fluidsynth -F       %6.2f ms/s  (%.2f ms/s without its %.0f ms "
                    "start-up)\n",
                    fluid / 60 * 1000, (fluid - fluidStartup) / 60 * 1000, fluidStartup * 1000);
        std::printf("    ratio control / fluidsynth -F %6.2f\n",
                    midiCpu / ((fluid - fluidStartup) / 60 * 1000));
    }

    std::printf("\nResident memory at the end: %.1f MB\n", residentMegabytes());
    return 0;
}
