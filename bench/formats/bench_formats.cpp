// Times prepareMidi (unwrap, scan, normalise) on the worst files under the caps, beside two
// baselines from the same run: copying the same bytes once, and FluidSynth reading the prepared
// file. Also FluidSynth's memory per event, by which kMaxMidiEvents is chosen.
#include "audiofixtures.h"
#include "engine/midilimits.h"
#include "engine/preparedmidi.h"
#include "engine/smfscanner.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <fluidsynth.h>
#include <functional>
#include <malloc.h>

using namespace orvane;
using namespace orvane::testing;

namespace {

constexpr int kRuns = 5;

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The least CPU time of this thread over kRuns runs: other work on the machine, which makes
// even CPU time vary (caches, page faults), counts least so.
double leastMilliseconds(const std::function<void()>& work)
{
    std::array<double, kRuns> times{};
    for (double& time : times) {
        const double start = threadMilliseconds();
        work();
        time = threadMilliseconds() - start;
    }
    return *std::min_element(times.begin(), times.end());
}

// What the heap holds in use, in MB: unlike the resident size, not fooled by memory reused.
double heapMegabytes()
{
    return static_cast<double>(mallinfo2().uordblks) / 1048576.0;
}

fluid_synth_t* quietSynth()
{
    static fluid_synth_t* const synth = [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
        return new_fluid_synth(new_fluid_settings());
    }();
    return synth;
}

int ignoreEvent(void*, fluid_midi_event_t*)
{
    return FLUID_OK;
}

// FluidSynth's player reads a file as it renders its first block. Returns the heap memory it
// took for the file's events, in MB, while the player holds them.
double fluidSynthReads(const Bytes& smf)
{
    fluid_synth_t* synth = quietSynth();
    const double before = heapMegabytes();
    fluid_player_t* player = new_fluid_player(synth);
    fluid_player_set_playback_callback(player, &ignoreEvent, nullptr);
    fluid_player_add_mem(player, smf.data(), smf.size());
    fluid_player_play(player);
    std::array<float, 128> block{};
    fluid_synth_write_float(synth, 64, block.data(), 0, 2, block.data(), 1, 2);
    const double taken = heapMegabytes() - before - static_cast<double>(smf.size()) / 1048576.0;
    delete_fluid_player(player);
    return taken;
}

// `tracks` tracks of `count` events in all: `header` (a delta time and an event), then `event`
// (more of the same, in running status where it can be) over and over, then an end of track.
Bytes repeated(std::size_t count, std::initializer_list<std::uint8_t> header,
               std::initializer_list<std::uint8_t> event, int tracks = 1)
{
    std::vector<TrackBuilder> builders(static_cast<std::size_t>(tracks));
    for (TrackBuilder& track : builders) {
        track.raw(header);
        for (std::size_t i = 1; i < count / static_cast<std::size_t>(tracks); ++i)
            track.raw(event);
        track.endTrack(0);
    }
    return smfFile(1, 480, builders);
}

void report(const char* name, const Bytes& file)
{
    const double scan = leastMilliseconds([&] { scanSmf(file); });
    const double prepare = leastMilliseconds([&] { prepareMidi(file); });
    const double copying = leastMilliseconds([&] { Bytes copy(file.begin(), file.end()); });
    const PreparedMidi prepared = prepareMidi(file);
    double fluid = 0;
    if (prepared.valid)
        fluid = leastMilliseconds([&] { fluidSynthReads(prepared.smf); });
    std::printf("%-44s %6.2f MB  scan %6.2f ms  prepare %6.2f ms  copy %5.2f ms  FluidSynth reads "
                "%7.1f ms%s\n",
                name, static_cast<double>(file.size()) / 1048576.0, scan, prepare, copying, fluid,
                prepared.valid ? "" : "  (refused)");
}

} // namespace

int main()
{
    // Every large block fresh from the system, as for an Open in a player that has not held so
    // much before, so that the copy and the preparation pay the same for their memory.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    const std::size_t cap = kMaxMidiEvents - 4;
    std::printf("caps: %zu bytes, %zu events\n", kMaxMidiFileBytes, kMaxMidiEvents);
    prepareMidi(repeated(cap, {0, 0xC0, 1}, {0, 1})); // a first run, to warm up
    report("3 minutes of eighth notes", simpleMidi(180));
    report("program changes at the event cap", repeated(cap, {0, 0xC0, 1}, {0, 1}));
    report("notes at the event cap", repeated(cap, {0, 0x90, 60, 100}, {0, 60, 0}));
    // Every tempo a change, every track's interleaved with the others': they must be merged.
    report("tempo changes at the cap over 128 tracks",
           repeated(cap / 2, {0, 0xFF, 0x51, 3, 7, 0xA1, 0x20},
                    {1, 0xFF, 0x51, 3, 7, 0xA1, 0x20, 1, 0xFF, 0x51, 3, 7, 0xA1, 0x21}, 128));
    // Few events, much data: the size cap bounds these.
    const std::size_t payload = kMaxMidiFileBytes - 64;
    Bytes track = {0x00, 0xF0};
    appendVarLen(track, static_cast<std::uint32_t>(payload));
    track.insert(track.end(), payload - 1, 0x11);
    track.insert(track.end(), {0xF7, 0x00, 0xFF, 0x2F, 0x00});
    Bytes bulk = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'};
    for (int shift = 24; shift >= 0; shift -= 8)
        bulk.push_back(static_cast<std::uint8_t>(track.size() >> shift));
    bulk.insert(bulk.end(), track.begin(), track.end());
    report("one system-exclusive event at the size cap", bulk);
    report("program changes past the event cap (refused)",
           repeated(kMaxMidiFileBytes / 2 - 64, {0, 0xC0, 1}, {0, 1}));

    // FluidSynth's memory per event, which the event cap is chosen by.
    const PreparedMidi notes = prepareMidi(repeated(1'000'000, {0, 0x90, 60, 100}, {0, 60, 0}));
    const double taken = fluidSynthReads(notes.smf);
    std::printf(
        "FluidSynth holds %.1f bytes per event (%.0f MB for 1 million); at the cap %.0f MB\n",
        taken * 1048576.0 / 1e6, taken, taken * static_cast<double>(kMaxMidiEvents) / 1e6);
    return 0;
}
