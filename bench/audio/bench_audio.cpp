// Measures the media control on this machine and prints each figure beside a baseline taken
// in the same run. Most figures need a sound server of its own; run it as
//   tests/rig/usersession.sh --bare --pulse -- build/dev/bench/audio/bench_audio
// It takes about five minutes, three of them with both cores kept busy; name sections (load,
// start, gaps, dropouts, cpu, memory) to run only those.
#include "audiofixtures.h"
#include "engine/midisynth.h"
#include "platform/media/enginemediacontrol.h"
#include "platform/qt/qteventloop.h"
#include "platform/sdl/sdloutputdevice.h"
#include "queueplayer.h"
#include "sinkrecording.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <numbers>
#include <sndfile.h>
#include <spawn.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace orvane;
using namespace orvane::testing;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRate = 48000;
const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double ownCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU time of another process (user + system), in seconds; 0 when it cannot be read.
double cpuSecondsOf(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    for (int i = 1; i <= 13 && stat >> field; ++i) {
    }
    double user = 0;
    double system = 0;
    stat >> user >> system;
    return (user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

pid_t soundServerPid()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::ifstream file(std::string(runtime != nullptr ? runtime : "") + "/pulse/pid");
    pid_t pid = 0;
    file >> pid;
    return pid;
}

pid_t start(std::vector<std::string> args, bool quiet = true)
{
    std::fflush(stdout);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    // The baselines run as they would on their own, without the buffer the player asks for.
    std::vector<char*> environment;
    for (char** variable = environ; *variable != nullptr; ++variable)
        if (std::string_view(*variable).rfind("PULSE_LATENCY_MSEC=", 0) != 0)
            environment.push_back(*variable);
    environment.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environment.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Runs a program to its end; its CPU time (user + system) in seconds, negative on failure.
double runForCpu(std::vector<std::string> args)
{
    const pid_t pid = start(std::move(args));
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void stopProcess(pid_t pid, int signal = SIGTERM)
{
    if (pid <= 0)
        return;
    kill(pid, signal);
    waitpid(pid, nullptr, 0);
}

// Two busy loops, one for each core, that end by themselves after `seconds`.
struct BusyCores
{
    explicit BusyCores(int seconds)
    {
        for (int core = 0; core < 2; ++core)
            loops.push_back(start(
                {"bash", "-c", "while ((SECONDS < " + std::to_string(seconds) + ")); do :; done"}));
    }
    ~BusyCores()
    {
        for (pid_t pid : loops)
            stopProcess(pid);
    }
    std::vector<pid_t> loops;
};

// Organ chords, each held for `seconds`, one after another in one file.
Bytes organChords(const std::vector<std::vector<int>>& chords, double seconds)
{
    TrackBuilder track;
    track.program(0, 0, 19);
    const auto ticks = static_cast<std::uint32_t>(seconds * 960);
    for (std::size_t c = 0; c < chords.size(); ++c) {
        for (const int key : chords[c])
            track.noteOn(0, 0, key, 110);
        if (c + 1 < chords.size())
            for (std::size_t k = 0; k < chords[c].size(); ++k)
                track.noteOff(k == 0 ? ticks : 0, 0, chords[c][k]);
    }
    return smfFile(0, 480, {track.endTrack(ticks)});
}


std::string deviceFor(const std::string& file)
{
    return file.ends_with(".wav") ? "WaveAudio" : "Sequencer";
}

// Plays files one after another as the playback logic does, from each Done.
// Runs the event loop until `done`, looking every `step` ms (a short step costs CPU itself).
void waitFor(QtEventLoop& loop, const std::function<bool()>& done, int milliseconds, int step = 2)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        loop.runFor(step);
}

// When the output tap first sees the stream's next buffer and its first sound after `arm`.
struct FirstSound
{
    void tap(const float* samples, std::size_t frames)
    {
        if (armedAt.load() == 0)
            return;
        const std::int64_t now = nowNs();
        if (callbackAt.load() == 0)
            callbackAt = now;
        for (std::size_t i = 0; i < frames * 2; ++i)
            if (std::fabs(samples[i]) > 1e-4f) {
                if (soundAt.load() == 0)
                    soundAt = now;
                break;
            }
    }
    void arm()
    {
        callbackAt = 0;
        soundAt = 0;
        armedAt = nowNs();
    }
    std::atomic<std::int64_t> armedAt{0};
    std::atomic<std::int64_t> callbackAt{0};
    std::atomic<std::int64_t> soundAt{0};
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Sections to run, by name; all when none is given.
    const QStringList chosen = app.arguments().mid(1);
    const auto wanted = [&](const char* section) {
        return chosen.isEmpty() || chosen.contains(QString::fromLatin1(section));
    };
    QtEventLoop loop;
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    const bool haveSoundFont = access(kSoundFont, R_OK) == 0;
    const std::string soundFont = haveSoundFont ? kSoundFont : "";
    const pid_t server = soundServerPid();
    std::printf("Orvane audio benchmark (medians; goals from the issue in brackets)\n");
    std::printf("SoundFont: %s; sound server: %s\n\n", haveSoundFont ? "TimGM6mb" : "located",
                server > 0 ? "private PulseAudio" : "none (device figures are skipped)");

    // --- SoundFont load ---------------------------------------------------------------------
    if (wanted("load")) {
        std::vector<double> loads;
        for (int i = 0; i < 5; ++i) {
            MidiSynth synth(soundFont);
            synth.synth();
            loads.push_back(synth.loadTime().count() * 1000);
        }
        std::vector<double> reads;
        for (int i = 0; i < 5; ++i) {
            const auto started = Clock::now();
            const Bytes bytes = readBytes(haveSoundFont ? kSoundFont : "/dev/null");
            reads.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - started).count());
        }
        std::printf("SoundFont load, on a thread of its own at start-up\n");
        std::printf("  into the synthesizer        %7.1f ms\n", median(loads));
        std::printf("  baseline: reading the file  %7.1f ms\n\n", median(reads));
    }
    if (server <= 0)
        return 0;

    const long toneFrames = kRate * 6 / 10;
    writeTone(path("tone.wav"), 0, kRate / 2, 0.4, 2, std::numbers::pi / 2);
    writeTone(path("a.wav"), 0, toneFrames, 0.4, 2, std::numbers::pi / 2);
    writeTone(path("b.wav"), toneFrames, toneFrames, 0.4, 2, std::numbers::pi / 2);
    writeTone(path("ab.wav"), 0, 2 * toneFrames, 0.4, 2, std::numbers::pi / 2);
    writeBytes(path("c.mid"), organChords({{60, 64, 67}}, 0.6));
    writeBytes(path("d.mid"), organChords({{62, 65, 69}}, 0.6));
    writeBytes(path("cd.mid"), organChords({{60, 64, 67}, {62, 65, 69}}, 0.6));
    writeBytes(path("dense.mid"), denseMidi(60.0));
    writeTone(path("long.wav"), 0, kRate * 60, 0.4, 2, std::numbers::pi / 2);

    // --- play -> first sound ----------------------------------------------------------------
    if (wanted("start")) {
        FirstSound probe;
        EngineOptions options;
        options.soundFont = soundFont;
        options.tap = [&probe](const float* samples, std::size_t n) { probe.tap(samples, n); };
        EngineMediaControl control(loop, std::make_shared<SdlOutputDevice>(), options);
        QueuePlayer queue(control);
        std::printf("Output: %s\n", control.engine().waitForOutput().c_str());
        std::printf("\"play\" to the first sound handed to the output [< 30 ms]\n");
        for (const bool idle : {false, true}) {
            for (const char* name : {"tone.wav", "c.mid"}) {
                std::vector<double> sound;
                std::vector<double> callback;
                for (int i = 0; i < 9; ++i) {
                    if (!idle) { // keep the stream running with the previous sound
                        queue.play({path("long.wav")});
                        loop.runFor(300);
                    } else {
                        loop.runFor(1500); // past the idle grace: the output is closed
                    }
                    control.setCommand("Close");
                    control.setDeviceType(deviceFor(name));
                    control.setFileName(path(name));
                    control.setCommand("Open");
                    probe.arm();
                    control.setCommand("play");
                    waitFor(
                        loop, [&] { return probe.soundAt.load() != 0; }, 3000);
                    sound.push_back(static_cast<double>(probe.soundAt - probe.armedAt) / 1e6);
                    callback.push_back(static_cast<double>(probe.callbackAt - probe.armedAt) / 1e6);
                    probe.armedAt = 0;
                    control.setCommand("stop");
                }
                std::printf("  %-4s from %-7s  %6.1f ms   baseline: the stream's next buffer "
                            "%6.1f ms\n",
                            std::string(name).ends_with(".wav") ? "WAV" : "MIDI",
                            idle ? "idle" : "playing", median(sound), median(callback));
            }
        }
    }

    // --- the gap between tracks, recorded from the server -----------------------------------
    if (wanted("gaps")) {
        std::printf("\nSilence between two tracks, Done leading to Close, Open, play; recorded "
                    "from the server [0 ms]\n");
        EngineOptions options;
        options.soundFont = soundFont;
        EngineMediaControl control(loop, std::make_shared<SdlOutputDevice>(), options);
        control.engine().waitForOutput();
        QueuePlayer queue(control);
        const auto record = [&](std::vector<std::string> files) {
            SinkRecorder recorder(path("gap.wav"), 20);
            recorder.waitUntilRecording(loop);
            queue.play(std::move(files));
            waitFor(
                loop, [&] { return queue.finished(); }, 10000);
            loop.runFor(400);
            return recorder.stop();
        };
        // The longest silence within 30 ms of where the second track starts.
        const auto gapAt = [](const std::vector<short>& samples, long boundary) {
            const std::size_t at = firstSound(samples) + static_cast<std::size_t>(boundary);
            std::size_t longest = 0;
            for (const auto& run : silences(samples, 1, at - kRate * 3 / 100, at + kRate * 3 / 100))
                longest = std::max(longest, run.second);
            return samplesToMs(longest);
        };
        const struct
        {
            const char* label;
            std::vector<std::string> pair;
            std::string whole; // the same sound in one file
        } pairs[] = {{"WAV  -> WAV ", {path("a.wav"), path("b.wav")}, path("ab.wav")},
                     {"WAV  -> MIDI", {path("a.wav"), path("c.mid")}, ""},
                     {"MIDI -> MIDI", {path("c.mid"), path("d.mid")}, path("cd.mid")},
                     {"MIDI -> WAV ", {path("c.mid"), path("a.wav")}, ""}};
        for (const auto& [label, files, whole] : pairs) {
            std::vector<double> gaps;
            std::vector<double> wholes;
            for (int i = 0; i < 3; ++i) {
                gaps.push_back(gapAt(record(files), toneFrames));
                if (!whole.empty())
                    wholes.push_back(gapAt(record({whole}), toneFrames));
            }
            if (whole.empty())
                std::printf("  %s  %5.2f ms\n", label, median(gaps));
            else
                std::printf("  %s  %5.2f ms   baseline: the same sound as one file %5.2f ms\n",
                            label, median(gaps), median(wholes));
        }
        // The one tone cut in two: every sample where it belongs.
        const std::vector<short> samples = record({path("a.wav"), path("b.wav")});
        int steepest = 0;
        const std::size_t first = firstSound(samples);
        for (std::size_t i = first; i + 1 < first + 2 * static_cast<std::size_t>(toneFrames); ++i)
            steepest = std::max(steepest, std::abs(samples[i + 1] - samples[i]));
        std::printf("  WAV -> WAV steepest step %d   baseline: the tone's own steepest step %d\n",
                    steepest,
                    static_cast<int>(0.4 * 32767 * 2 * std::numbers::pi * 330.0 / kRate + 1));
        std::printf("  (a MIDI start is its instrument's attack: below -84 dBFS for a fraction "
                    "of a millisecond)\n");
    }

    // --- dropouts with both cores busy ------------------------------------------------------
    if (wanted("dropouts")) {
        std::printf("\nDropouts (silences of 2 ms or more) over 60 s with both cores busy [0]\n");
        BusyCores busy(200);
        EngineOptions options;
        options.soundFont = soundFont;
        EngineMediaControl control(loop, std::make_shared<SdlOutputDevice>(), options);
        control.engine().waitForOutput();
        QueuePlayer queue(control);
        for (const char* name : {"long.wav", "dense.mid"}) {
            SinkRecorder recorder(path("busy.wav"), 20);
            recorder.waitUntilRecording(loop);
            const std::uint64_t before = control.engine().dropouts();
            queue.play({path(name)});
            waitFor(
                loop, [&] { return queue.finished(); }, 70000);
            loop.runFor(400);
            const std::size_t found = silences(recorder.stop(), kRate / 500).size();
            std::printf("  %-9s %3zu recorded, %3llu in the player's own ring\n",
                        std::string(name).ends_with(".wav") ? "WAV" : "dense MIDI", found,
                        static_cast<unsigned long long>(control.engine().dropouts() - before));
        }
        SinkRecorder recorder(path("paplay.wav"), 20);
        recorder.waitUntilRecording(loop);
        const pid_t paplay = start({"paplay", "--latency-msec=25", path("long.wav")});
        waitpid(paplay, nullptr, 0);
        std::printf("  baseline: paplay --latency-msec=25 of the WAV: %zu recorded\n",
                    silences(recorder.stop(), kRate / 500).size());
    }

    // --- CPU per second of audio ------------------------------------------------------------
    if (wanted("cpu")) {
        std::printf("\nCPU per second of audio (ms of CPU per s) while playing 20 s, through the "
                    "server\n");
        writeTone(path("twenty.wav"), 0, kRate * 20, 0.4, 2, std::numbers::pi / 2);
        writeBytes(path("dense20.mid"), denseMidi(20.0));
        const std::string font =
            soundFont.empty() ? "/usr/share/sounds/sf3/default-GM.sf3" : soundFont;
        const std::string rendered = path("dense20.wav");
        runForCpu({"fluidsynth", "-ni", "-q", "-r", "48000", "-T", "wav", "-F", rendered, font,
                   path("dense20.mid")});
        const auto measure = [&](const std::function<void()>& play,
                                 const std::function<bool()>& done, double seconds) {
            SinkRecorder recorder(path("cpu.wav"), 20);
            recorder.waitUntilRecording(loop);
            const double own = ownCpuSeconds();
            const double serverStart = cpuSecondsOf(server);
            play();
            waitFor(loop, done, static_cast<int>(seconds * 1000) + 10000, 250);
            const double serverUsed = cpuSecondsOf(server) - serverStart;
            const double ownUsed = ownCpuSeconds() - own;
            recorder.stop();
            return std::pair{ownUsed / seconds * 1000, serverUsed / seconds * 1000};
        };
        EngineOptions options;
        options.soundFont = soundFont;
        EngineMediaControl control(loop, std::make_shared<SdlOutputDevice>(), options);
        control.engine().waitForOutput();
        QueuePlayer queue(control);
        const auto player = [&](const char* name) {
            return measure([&] { queue.play({path(name)}); }, [&] { return queue.finished(); },
                           20.0);
        };
        const auto paplay = [&](const std::string& file) {
            pid_t pid = -1;
            return measure(
                       [&] {
                           pid = start({"paplay", "--latency-msec=25", file});
                       },
                       [&] { return waitpid(pid, nullptr, WNOHANG) == pid; }, 20.0)
                .second;
        };
        const auto [wavPlayer, wavServer] = player("twenty.wav");
        const auto [midiPlayer, midiServer] = player("dense20.mid");
        const double wavServerBaseline = paplay(path("twenty.wav"));
        const double midiServerBaseline = paplay(rendered);
        writeBytes(path("empty.mid"), simpleMidi(0.01));
        const double fluid = runForCpu({"fluidsynth", "-ni", "-q", "-r", "48000", "-T", "raw", "-F",
                                        path("out.raw"), font, path("dense20.mid")});
        const double fluidStart = runForCpu({"fluidsynth", "-ni", "-q", "-r", "48000", "-T", "raw",
                                             "-F", path("out.raw"), font, path("empty.mid")});
        const double sox = runForCpu({"sox", path("twenty.wav"), "-e", "floating-point", "-b", "32",
                                      "-t", "raw", "/dev/null"});
        const double fluidFloor = (fluid - fluidStart) / 20 * 1000;
        std::printf("  WAV          player %6.2f   baseline: sox decoding it      %6.2f\n",
                    wavPlayer, sox / 20 * 1000);
        std::printf("               server %6.2f   baseline: paplay --latency-msec=25 %6.2f\n",
                    wavServer, wavServerBaseline);
        std::printf("  dense MIDI   player %6.2f   baseline: fluidsynth -F        %6.2f  "
                    "(ratio %.2f) [<= 1.1]\n",
                    midiPlayer, fluidFloor, midiPlayer / fluidFloor);
        std::printf("               server %6.2f   baseline: paplay --latency-msec=25 %6.2f\n",
                    midiServer, midiServerBaseline);

        control.setCommand("Close");
        loop.runFor(2000); // past the idle grace
        const double own = ownCpuSeconds();
        const double serverStart = cpuSecondsOf(server);
        loop.runFor(5000);
        std::printf("  idle, the control open     player %5.2f %%, server %5.2f %% of a core "
                    "[0.0 %%]\n",
                    (ownCpuSeconds() - own) / 5 * 100,
                    (cpuSecondsOf(server) - serverStart) / 5 * 100);
    }

    // --- memory for one large MIDI file -----------------------------------------------------
    if (wanted("memory")) {
        TrackBuilder track;
        track.program(0, 0, 0).noteOn(0, 0, 0, 1);
        for (int i = 1; i < 1000000; ++i)
            track.raw(
                {0, static_cast<std::uint8_t>(i % 128), static_cast<std::uint8_t>(1 + i % 127)});
        const Bytes heavy = smfFile(0, 480, {track.endTrack(2 * 960)});
        writeBytes(path("heavy.mid"), heavy);
        const auto resident = [] {
            std::ifstream statm("/proc/self/statm");
            long pages = 0;
            long rss = 0;
            statm >> pages >> rss;
            return static_cast<double>(rss) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576;
        };
        EngineOptions options;
        options.soundFont = soundFont;
        EngineMediaControl control(loop, nullptr, options);
        QueuePlayer queue(control);
        queue.play({path("c.mid")}); // the SoundFont in memory first
        waitFor(
            loop, [&] { return queue.finished(); }, 5000);
        const double before = resident();
        control.setDeviceType("Sequencer");
        control.setFileName(path("heavy.mid"));
        const auto opening = Clock::now();
        control.setCommand("Open");
        const double openMs =
            std::chrono::duration<double, std::milli>(Clock::now() - opening).count();
        control.setCommand("play");
        const auto playing = Clock::now();
        waitFor(
            loop, [&] { return control.position() > 0; }, 60000);
        const double soundAfter = std::chrono::duration<double>(Clock::now() - playing).count();
        const double peak = resident();
        control.setCommand("Close");
        loop.runFor(1000);
        const double size = static_cast<double>(heavy.size()) / 1048576;
        std::printf("\nA %.1f MB MIDI file of a million notes at one tick\n", size);
        std::printf("  Open on the GUI thread %.1f ms (read and scan) [<= 50 ms]; sound after %.1f "
                    "s of synthesis off it\n",
                    openMs, soundAfter);
        std::printf("  resident while open +%.1f MB (%.1fx the file), after Close +%.1f MB\n",
                    peak - before, (peak - before) / size, resident() - before);

        // What each track leaves behind: 300 short files, WAV and MIDI, played through.
        std::vector<std::string> tracks;
        for (int i = 0; i < 300; ++i) {
            const std::string name = "track" + std::to_string(i) + (i % 3 != 0 ? ".wav" : ".mid");
            tracks.push_back(path(name.c_str()));
            if (i % 3 != 0)
                writeSineWav(tracks.back(), SF_FORMAT_PCM_16, 22050, 1, 0.05);
            else
                writeBytes(tracks.back(), simpleMidi(0.05));
        }
        queue.play(std::vector<std::string>(tracks.begin(), tracks.begin() + 100));
        waitFor(
            loop, [&] { return queue.finished(); }, 60000);
        const double afterHundred = resident();
        queue.play(std::vector<std::string>(tracks.begin() + 100, tracks.end()));
        waitFor(
            loop, [&] { return queue.finished(); }, 120000);
        std::printf("300 short tracks played through: resident grew %.2f MB over the last 200 "
                    "[0 MB]\n",
                    resident() - afterHundred);
    }
    return 0;
}
