// The player's start-up and first sound, each figure beside a floor measured in the same run:
// medians of interleaved runs (player, floor, player, floor, ...) after one warm-up round.
// It needs an X desktop session with a PulseAudio server of its own and is run by hand:
//   tests/rig/usersession.sh --pulse -- BUILD/bench/startup/bench_startup [--runs N]
// Figures: launch to the first window mapped, resident memory and CPU while idle in an empty
// folder (beside a bare Qt window of the same size with a menu bar); launch to the first sound
// at the null sink for a WAV and a MIDI file (beside paplay and the fluidsynth program); the
// CPU of the player and of the sound server while a WAV plays; memory once the MIDI file has
// played (beside the bare window plus what the SoundFont adds to fluidsynth); MPRIS Play to
// the first sound with a WAV queued (beside dbus-send asking the bus). Then where start-up goes:
// the MIDI launches set ORVANE_STARTUP_TRACE to the launch time (monotonic clock, ns), and the
// player prints "trace <ms since launch> <milestone>" lines on standard error.
#include "audiofixtures.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <numbers>
#include <sndfile.h>
#include <spawn.h>
#include <string>
#include <sys/poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

using namespace orvane::testing;
namespace fs = std::filesystem;

namespace {

constexpr int kRate = 48000;      // the recording's rate
constexpr int kLoud = 32;         // a sample above this is sound (about -60 dBFS)
constexpr double kCpuSeconds = 5; // how long CPU time is measured

using Samples = std::vector<double>;

// The steady clock is CLOCK_MONOTONIC, the clock of ORVANE_STARTUP_TRACE.
std::int64_t nowNs()
{
    return std::chrono::steady_clock::now().time_since_epoch() / std::chrono::nanoseconds(1);
}

void sleepMs(double ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(std::llround(ms * 1000)));
}

double median(Samples values)
{
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Checks `done` every 2 ms for up to `timeoutMs`; whether it came true.
template <typename Done> bool within(int timeoutMs, Done done)
{
    for (int waited = 0; waited <= timeoutMs; waited += 2, sleepMs(2))
        if (done())
            return true;
    return false;
}

[[noreturn]] void giveUp(const std::string& why)
{
    std::fprintf(stderr, "bench_startup: %s\n", why.c_str());
    std::exit(1);
}

bool onPath(const std::string& tool)
{
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

struct Child
{
    pid_t pid = -1;
    std::int64_t startNs = 0;
};

// Starts a program in `folder`, with ORVANE_STARTUP_TRACE set to the launch time when `trace`;
// standard output goes to `out` (or nowhere), standard error to `errorFile` (or nowhere).
Child launch(std::vector<std::string> args, const std::string& folder, bool trace = false,
             const std::string& errorFile = "/dev/null", int out = -1)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (out >= 0)
        posix_spawn_file_actions_adddup2(&actions, out, 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    Child child;
    child.startNs = nowNs();
    if (trace) // no other thread reads the environment
        setenv("ORVANE_STARTUP_TRACE", std::to_string(child.startNs).c_str(), 1);
    if (posix_spawnp(&child.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        child.pid = -1;
    unsetenv("ORVANE_STARTUP_TRACE");
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

// Ends a program (SIGTERM, SIGKILL after 3 s) and waits for it.
void end(Child& child)
{
    if (child.pid <= 0)
        return;
    kill(child.pid, SIGTERM);
    if (!within(3000, [&child] { return waitpid(child.pid, nullptr, WNOHANG) == child.pid; })) {
        kill(child.pid, SIGKILL);
        waitpid(child.pid, nullptr, 0);
    }
    child.pid = -1;
}

// A field of /proc/PID/status in MiB (0 when absent).
double statusMiB(pid_t pid, const std::string& field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::atof(line.c_str() + field.size() + 1) / 1024;
    return 0;
}

// User + system CPU time of a process, in seconds (0 when it cannot be read).
double cpuSeconds(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(file)), {});
    const std::size_t name = stat.rfind(')');
    unsigned long user = 0;
    unsigned long system = 0;
    if (name == std::string::npos ||
        std::sscanf(stat.c_str() + name + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu",
                    &user, &system) != 2)
        return 0;
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Sees windows mapped on the X server: every new top-level window is watched for its own
// MapNotify, which comes once the window manager has put it on the screen. Events of the
// programs before are left to the next wait, which passes over them.
class MapWatch
{
public:
    ~MapWatch() { xcb_disconnect(m_x); }

    bool open()
    {
        m_x = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_x) != 0)
            return false;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_x, m_root, XCB_CW_EVENT_MASK, &mask);
        auto* atom =
            xcb_intern_atom_reply(m_x, xcb_intern_atom(m_x, 0, 11, "_NET_WM_PID"), nullptr);
        m_pidAtom = atom != nullptr ? atom->atom : XCB_NONE;
        std::free(atom);
        return xcb_flush(m_x) > 0;
    }

    // When the first window of `pid` was seen mapped, on the steady clock; 0 after `timeoutMs`.
    std::int64_t waitForMap(pid_t pid, int timeoutMs)
    {
        const std::int64_t deadline = nowNs() + timeoutMs * 1'000'000LL;
        while (xcb_connection_has_error(m_x) == 0) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_x)) {
                const std::int64_t seen = nowNs();
                const bool mapped = handle(event, pid);
                std::free(event);
                if (mapped)
                    return seen;
            }
            const std::int64_t left = (deadline - nowNs()) / 1'000'000;
            if (left <= 0)
                return 0;
            pollfd descriptor{xcb_get_file_descriptor(m_x), POLLIN, 0};
            poll(&descriptor, 1, static_cast<int>(std::min<std::int64_t>(left, 100)));
        }
        return 0;
    }

    std::pair<int, int> size{460, 320}; // of the window last seen mapped

private:
    bool handle(const xcb_generic_event_t* event, pid_t pid)
    {
        const int type = event->response_type & 0x7f;
        const auto* created = reinterpret_cast<const xcb_create_notify_event_t*>(event);
        if (type == XCB_CREATE_NOTIFY && created->parent == m_root &&
            created->override_redirect == 0) {
            const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
            xcb_change_window_attributes(m_x, created->window, XCB_CW_EVENT_MASK, &mask);
            xcb_flush(m_x);
        }
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        if (type != XCB_MAP_NOTIFY || map->event != map->window) // the root's copy
            return false;
        auto* reply = xcb_get_property_reply(
            m_x, xcb_get_property(m_x, 0, map->window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1),
            nullptr);
        const bool ours = reply != nullptr && xcb_get_property_value_length(reply) >= 4 &&
                          *static_cast<std::uint32_t*>(xcb_get_property_value(reply)) ==
                              static_cast<std::uint32_t>(pid);
        std::free(reply);
        if (!ours)
            return false;
        auto* geometry = xcb_get_geometry_reply(m_x, xcb_get_geometry(m_x, map->window), nullptr);
        if (geometry != nullptr)
            size = {geometry->width, geometry->height};
        std::free(geometry);
        return true;
    }

    xcb_connection_t* m_x = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = XCB_NONE;
};

// Records the null sink's monitor (parec, mono 16-bit, 5 ms fragments) and counts its samples
// from the last reset(): a sample's time is the earliest of (arrival of a piece - samples up to
// the piece's end / rate) over the pieces so far, plus its own index / rate.
class SinkTap
{
public:
    ~SinkTap()
    {
        end(m_parec);
        if (m_reader.joinable())
            m_reader.join();
    }

    bool start()
    {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return false;
        m_parec = launch({"parec", "-d", "test_sink.monitor", "--raw", "--format=s16le",
                          "--channels=1", "--rate=" + std::to_string(kRate), "--latency-msec=5"},
                         "/", false, "/dev/null", fds[1]);
        close(fds[1]);
        m_reader = std::thread([this, fd = fds[0]] {
            read(fd);
            close(fd);
        });
        // The null sink keeps time only once a reader with a short latency is attached: wait
        // until half a second of sound comes in about half a second, in small pieces.
        for (int attempt = 0; attempt < 40 && m_parec.pid > 0; ++attempt) {
            reset();
            sleepMs(500);
            std::lock_guard lock(m_mutex);
            if (m_count > kRate * 4 / 10 && m_count < kRate * 6 / 10 && m_widestGap < 50'000'000)
                return true;
        }
        return false;
    }

    void reset()
    {
        std::lock_guard lock(m_mutex);
        m_count = m_widestGap = m_arrival = 0;
        m_first = m_last = -1;
        m_origin = INT64_MAX;
    }

    // Waits until the sink has been silent for `quietMs`.
    bool waitForQuiet(int quietMs, int timeoutMs)
    {
        reset();
        return within(timeoutMs, [&] {
            std::lock_guard lock(m_mutex);
            return m_count - m_last - 1 >= std::int64_t{quietMs} * kRate / 1000;
        });
    }

    // When the first sound since the last reset() reached the sink, on the steady clock; 0
    // after `timeoutMs`.
    std::int64_t firstSound(int timeoutMs)
    {
        std::int64_t at = 0;
        within(timeoutMs, [&] {
            std::lock_guard lock(m_mutex);
            at = m_first >= 0 ? m_origin + m_first * 1'000'000'000 / kRate : 0;
            return at != 0;
        });
        return at;
    }

private:
    void read(int fd)
    {
        unsigned char buffer[8192];
        int low = -1; // the first byte of a sample split between two reads
        for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) {
            const std::int64_t arrived = nowNs();
            std::lock_guard lock(m_mutex);
            for (ssize_t i = 0; i < got; ++i) {
                if (low < 0) {
                    low = buffer[i];
                    continue;
                }
                if (std::abs(static_cast<std::int16_t>(low | (buffer[i] << 8))) > kLoud) {
                    m_first = m_first < 0 ? m_count : m_first;
                    m_last = m_count;
                }
                ++m_count;
                low = -1;
            }
            m_origin = std::min(m_origin, arrived - m_count * 1'000'000'000 / kRate);
            m_widestGap = m_arrival != 0 ? std::max(m_widestGap, arrived - m_arrival) : 0;
            m_arrival = arrived;
        }
    }

    Child m_parec;
    std::thread m_reader;
    std::mutex m_mutex;
    std::int64_t m_count = 0;          // samples since reset()
    std::int64_t m_first = -1;         // the first loud one
    std::int64_t m_last = -1;          // the last loud one
    std::int64_t m_origin = INT64_MAX; // when sample 0 came, on the steady clock
    std::int64_t m_widestGap = 0;      // between two pieces, in ns
    std::int64_t m_arrival = 0;        // of the last piece
};

// The SoundFont the player picks on its own: ORVANE_SOUNDFONT, else the system's default GM
// SoundFont, else a known Debian one.
std::string soundFont()
{
    std::vector<std::string> candidates;
    if (const char* chosen = std::getenv("ORVANE_SOUNDFONT"); chosen != nullptr && *chosen != 0)
        candidates.emplace_back(chosen);
    for (const char* folder : {"/usr/local/share/sounds/", "/usr/share/sounds/"})
        for (const char* file :
             {"sf2/default-GM.sf2", "sf3/default-GM.sf3", "sf2/FluidR3_GM.sf2", "sf2/TimGM6mb.sf2"})
            candidates.push_back(std::string(folder) + file);
    for (const std::string& path : candidates)
        if (fs::is_regular_file(path))
            return fs::canonical(path).string();
    return {};
}

// The figures of one program by name ("idle map", "wav sound", ...), and the milestones.
struct Figures
{
    std::map<std::string, Samples> of;
    std::vector<std::string> milestones; // in the order first printed; figures "trace NAME"
};

enum Watch { kWindow = 1, kIdle = 2, kSound = 4, kPlaying = 8, kTrace = 16, kAfter = 32 };

struct Bench
{
    fs::path folder; // empty/, wav/tone.wav, mid/chord.mid, stderr.txt
    MapWatch windows;
    SinkTap tap;
    pid_t server = 0; // the sound server
    int failures = 0;

    std::string dir(const char* name) const { return (folder / name).string(); }

    void failed(const std::string& what)
    {
        ++failures;
        std::fprintf(stderr, "bench_startup: %s\n", what.c_str());
        std::ifstream log(dir("stderr.txt"));
        for (std::string line; std::getline(log, line);)
            std::fprintf(stderr, "  | %s\n", line.c_str());
    }

    // Percent of a core that `pid` and the sound server spend over kCpuSeconds, as NAME cpu and
    // NAME server.
    void cpuShare(pid_t pid, const std::string& name, Figures& into) const
    {
        const double own = cpuSeconds(pid);
        const double serverStart = server > 0 ? cpuSeconds(server) : 0;
        const std::int64_t start = nowNs();
        sleepMs(kCpuSeconds * 1000);
        const double elapsed = static_cast<double>(nowNs() - start) / 1e9;
        into.of[name + " cpu"].push_back(100 * (cpuSeconds(pid) - own) / elapsed);
        if (server > 0)
            into.of[name + " server"].push_back(100 * (cpuSeconds(server) - serverStart) / elapsed);
    }

    // Launches `command` in `in` and keeps, as NAME ...: with kWindow, launch to its window
    // mapped ("map"), and with kIdle 2 s later its memory ("rss", "anon") and idle CPU; with
    // kSound, launch to its first sound at the sink ("sound"), and with kPlaying its CPU while
    // it plays; with kAfter, its memory once the sink is silent again ("after rss"), or for a
    // program that ends with its file, half a second into the sound; with kTrace, its
    // milestones.
    void run(const std::vector<std::string>& command, const char* in, const std::string& name,
             int watch, Figures& into)
    {
        if ((watch & kSound) != 0 && !tap.waitForQuiet(300, 10000))
            return failed("the sink does not fall silent");
        tap.reset();
        Child child = launch(command, dir(in), (watch & kTrace) != 0, dir("stderr.txt"));
        const std::int64_t mapped =
            (watch & kWindow) != 0 ? windows.waitForMap(child.pid, 20000) : 0;
        const std::int64_t sound = (watch & kSound) != 0 ? tap.firstSound(20000) : 0;
        const bool noWindow = (watch & kWindow) != 0 && mapped == 0;
        if (noWindow || ((watch & kSound) != 0 && sound == 0)) {
            end(child);
            return failed(command[0] + (noWindow ? ": no window" : ": no sound") + " within 20 s");
        }
        if ((watch & kIdle) != 0) {
            sleepMs(2000 - static_cast<double>(nowNs() - mapped) / 1e6);
            into.of[name + " rss"].push_back(statusMiB(child.pid, "VmRSS"));
            into.of[name + " anon"].push_back(statusMiB(child.pid, "RssAnon"));
            cpuShare(child.pid, name, into);
        }
        if ((watch & kPlaying) != 0) {
            sleepMs(500);
            cpuShare(child.pid, name, into);
        }
        if ((watch & kAfter) != 0) {
            if ((watch & kWindow) != 0)
                tap.waitForQuiet(500, 20000);
            else
                sleepMs(500);
            into.of[name + " after rss"].push_back(statusMiB(child.pid, "VmRSS"));
        }
        end(child);
        if (mapped != 0)
            into.of[name + " map"].push_back(static_cast<double>(mapped - child.startNs) / 1e6);
        if (sound != 0)
            into.of[name + " sound"].push_back(static_cast<double>(sound - child.startNs) / 1e6);
        if ((watch & kTrace) == 0)
            return;
        std::ifstream log(dir("stderr.txt"));
        for (std::string line; std::getline(log, line);) {
            char milestone[128];
            double ms = 0;
            if (std::sscanf(line.c_str(), "trace %lf %127[^\n]", &ms, milestone) != 2)
                continue;
            const std::string figure = "trace " + std::string(milestone);
            if (!into.of.contains(figure))
                into.milestones.emplace_back(milestone);
            into.of[figure].push_back(ms);
        }
    }
};

// Launches the player with the WAV queued, and once it idles, asks it to play through MPRIS:
// the time from starting dbus-send to the first sound ("press sound"); beside it, the time
// dbus-send takes to ask the bus itself something ("press sound" of the floor).
void pressPlay(Bench& bench, Figures& player, Figures& floor)
{
    const auto ask = [&bench](const std::string& destination, const std::string& path,
                              const std::string& method) {
        Child child = launch(
            {"dbus-send", "--session", "--print-reply", "--dest=" + destination, path, method},
            bench.dir("wav"), false, bench.dir("stderr.txt"));
        int status = 0;
        waitpid(child.pid, &status, 0);
        return std::pair{child.startNs, WIFEXITED(status) && WEXITSTATUS(status) == 0};
    };
    Child orvane = launch({ORVANE_PROGRAM, "/q"}, bench.dir("wav"), false, bench.dir("stderr.txt"));
    if (bench.windows.waitForMap(orvane.pid, 20000) == 0 || !bench.tap.waitForQuiet(300, 10000)) {
        end(orvane);
        return bench.failed("the player queued no WAV in quiet");
    }
    sleepMs(1500);
    bench.tap.reset();
    const auto [pressed, asked] = ask("org.mpris.MediaPlayer2.orvane", "/org/mpris/MediaPlayer2",
                                      "org.mpris.MediaPlayer2.Player.Play");
    const std::int64_t sound = asked ? bench.tap.firstSound(5000) : 0;
    end(orvane);
    if (sound == 0)
        return bench.failed("Play through MPRIS: no sound within 5 s");
    player.of["press sound"].push_back(static_cast<double>(sound - pressed) / 1e6);
    const auto [started, answered] =
        ask("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus.Peer.Ping");
    if (answered)
        floor.of["press sound"].push_back(static_cast<double>(nowNs() - started) / 1e6);
}

// "(N runs)" when fewer than `runs` went into a median.
std::string fewer(const Samples& samples, int runs)
{
    return static_cast<int>(samples.size()) < runs
               ? "  (" + std::to_string(samples.size()) + " runs)"
               : "";
}

void row(const char* label, Figures& player, Figures& floor, const std::string& figure,
         const std::string& floorName, int runs)
{
    const double a = median(player.of[figure]);
    const double b = median(floor.of[figure]);
    char ratio[16] = "-";
    if (std::isfinite(a) && std::isfinite(b) && b > 0.05)
        std::snprintf(ratio, sizeof ratio, "%.2f", a / b);
    std::printf("%-40s %9.1f %9.1f %6s  %s%s%s\n", label, a, b, ratio, floorName.c_str(),
                fewer(player.of[figure], runs).c_str(), fewer(floor.of[figure], runs).c_str());
}

// Each milestone's median time since launch and the step from the one before, in the order the
// player reached them, then the window mapped and the first sound of the same launches.
void printMilestones(Figures& player, int runs)
{
    std::printf("\nWhere start-up goes: the player's milestones with the MIDI file "
                "(ORVANE_STARTUP_TRACE), medians of %d runs\n",
                runs);
    if (player.milestones.empty()) {
        std::printf("  none: the player printed no \"trace <ms> <milestone>\" lines\n");
        return;
    }
    std::vector<std::pair<std::string, std::string>> rows;
    for (const std::string& milestone : player.milestones)
        rows.emplace_back(milestone, "trace " + milestone);
    rows.emplace_back("window mapped (X server)", "mid map");
    rows.emplace_back("first sound (null sink)", "mid sound");
    std::printf("  %-28s %16s %10s\n", "milestone", "since launch, ms", "step, ms");
    double before = 0;
    for (const auto& [label, figure] : rows) {
        const double at = median(player.of[figure]);
        std::printf("  %-28s %16.1f %10.1f%s\n", label.c_str(), at, at - before,
                    fewer(player.of[figure], runs).c_str());
        before = std::isfinite(at) ? at : before;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    const int runs = argc == 3 && argv[1] == std::string("--runs") ? std::atoi(argv[2]) : 10;
    if ((argc != 1 && argc != 3) || runs < 1)
        giveUp("usage: bench_startup [--runs N (10)]");
    unsetenv("PULSE_LATENCY_MSEC"); // each program asks for its own buffer

    const std::string rig = "run it as tests/rig/usersession.sh --pulse -- bench_startup";
    if (std::getenv("DISPLAY") == nullptr || *std::getenv("DISPLAY") == 0)
        giveUp("no DISPLAY: " + rig);
    if (const char* qpa = std::getenv("QT_QPA_PLATFORM");
        qpa != nullptr && qpa != std::string("xcb"))
        giveUp("it watches windows on X, not with QT_QPA_PLATFORM=" + std::string(qpa));
    for (const char* tool : {"parec", "paplay", "pactl", "dbus-send"})
        if (!onPath(tool))
            giveUp(std::string("no ") + tool + " on PATH (Debian packages pulseaudio-utils, dbus)");
    if (std::system("pactl list short sinks 2>/dev/null | grep -q test_sink") != 0)
        giveUp("no sound server with the null sink test_sink: " + rig);
    for (const char* program : {ORVANE_PROGRAM, BARE_WINDOW})
        if (access(program, X_OK) != 0)
            giveUp(std::string("not built: ") + program);
    const std::string font = soundFont();
    if (font.empty())
        giveUp("no General MIDI SoundFont (Debian package timgm6mb-soundfont)");
    const bool fluidsynth = onPath("fluidsynth");

    Bench bench;
    char folderName[] = "/tmp/orvane-startup.XXXXXX";
    if (mkdtemp(folderName) == nullptr)
        giveUp("cannot make a folder in /tmp");
    bench.folder = folderName;
    for (const char* sub : {"empty", "wav", "mid"})
        fs::create_directory(bench.folder / sub);
    // A sine at its peak from the first frame; a piano chord from tick 0.
    const std::string wav = bench.dir("wav") + "/tone.wav";
    const std::string mid = bench.dir("mid") + "/chord.mid";
    if (writeSineWav(wav, SF_FORMAT_PCM_16, 44100, 2, kCpuSeconds + 4, 440, 0.5, 0,
                     std::numbers::pi / 2) == 0)
        giveUp("cannot write " + wav);
    TrackBuilder track;
    track.tempo(0, 500000).program(0, 0, 0);
    for (const int key : {60, 64, 67})
        track.noteOn(0, 0, key, 127);
    track.noteOff(1920, 0, 60).noteOff(0, 0, 64).noteOff(0, 0, 67);
    writeBytes(mid, smfFile(0, 480, {track.endTrack(0)}));

    if (!bench.windows.open())
        giveUp("cannot watch the X server of DISPLAY");
    if (!bench.tap.start())
        giveUp("parec does not record test_sink.monitor in real time");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::ifstream(std::string(runtime != nullptr ? runtime : "") + "/pulse/pid") >> bench.server;

    std::printf("Start-up and first sound, medians of %d interleaved runs (player, floor, ...) "
                "after one warm-up round\nSoundFont %s; CPU over %.0f s\n\n",
                runs, font.c_str(), kCpuSeconds);
    Figures player;
    Figures floor;
    std::pair<int, int> size;
    for (int round = 0; round <= runs; ++round) {
        std::fprintf(stderr, "round %d of %d%s\n", round, runs, round == 0 ? " (warm-up)" : "");
        Figures warmUp; // not kept
        Figures& mine = round == 0 ? warmUp : player;
        Figures& base = round == 0 ? warmUp : floor;
        bench.run({ORVANE_PROGRAM}, "empty", "idle", kWindow | kIdle, mine);
        if (round == 0)
            size = bench.windows.size;
        bench.run({BARE_WINDOW, std::to_string(size.first), std::to_string(size.second)}, "empty",
                  "idle", kWindow | kIdle, base);
        bench.run({ORVANE_PROGRAM, wav}, "wav", "wav", kSound | kPlaying, mine);
        bench.run({"paplay", wav}, "wav", "wav", kSound | kPlaying, base);
        bench.run({ORVANE_PROGRAM, mid}, "mid", "mid", kWindow | kSound | kTrace | kAfter, mine);
        if (fluidsynth) {
            bench.run({"fluidsynth", "-a", "pulseaudio", "-i", "-q", font, mid}, "mid", "mid",
                      kSound | kAfter, base);
            // Without the SoundFont: the difference is the SoundFont's own share of memory.
            // (Given none, it loads its default one: point that at nothing.)
            bench.run({"fluidsynth", "-a", "pulseaudio", "-i", "-q", "-o",
                       "synth.default-soundfont=/nonexistent.sf2", mid},
                      "mid", "nosf", kAfter, base);
        }
        pressPlay(bench, mine, base);
    }
    char share[160] = "none: no fluidsynth";
    if (fluidsynth) {
        const double soundFontShare =
            median(floor.of["mid after rss"]) - median(floor.of["nosf after rss"]);
        floor.of["midi rss"] = {median(floor.of["idle rss"]) + soundFontShare};
        std::snprintf(share, sizeof share,
                      "bare_window + the SoundFont's share of fluidsynth's memory (%.1f MiB)",
                      soundFontShare);
    }
    player.of["midi rss"] = player.of["mid after rss"];

    const std::string bare = "bare_window " + std::to_string(size.first) + "x" +
                             std::to_string(size.second) + ", a menu bar";
    std::printf("%-40s %9s %9s %6s  %s\n", "figure", "Orvane", "floor", "ratio", "floor is");
    row("launch to window mapped, ms", player, floor, "idle map", bare, runs);
    row("resident memory idle (VmRSS), MiB", player, floor, "idle rss", bare, runs);
    row("  anonymous part (RssAnon), MiB", player, floor, "idle anon", bare, runs);
    row("CPU idle, % of a core", player, floor, "idle cpu", bare, runs);
    row("  sound server meanwhile, % of a core", player, floor, "idle server", bare, runs);
    row("launch to first sound, WAV, ms", player, floor, "wav sound", "paplay", runs);
    row("CPU playing the WAV, % of a core", player, floor, "wav cpu", "paplay", runs);
    row("  sound server meanwhile, % of a core", player, floor, "wav server", "paplay", runs);
    row("launch to first sound, MIDI, ms", player, floor, "mid sound",
        fluidsynth ? "fluidsynth -a pulseaudio -i"
                   : "none: no fluidsynth (Debian package fluidsynth)",
        runs);
    row("resident memory after the MIDI file, MiB", player, floor, "midi rss", share, 1);
    row("MPRIS Play to first sound (WAV), ms", player, floor, "press sound",
        "dbus-send asking the bus itself", runs);
    printMilestones(player, runs);
    fs::remove_all(bench.folder);
    return bench.failures == 0 ? 0 : 1;
}
