#include "fluidsynthreader.h"

#include "engine/rmidunwrapper.h"
#include "engine/smfscanner.h"

#include <array>
#include <cmath>
#include <fluidsynth.h>

namespace orvane::testing {

namespace {

constexpr int kMaxBlocks = 2000; // of 64 frames: at 1 us a quarter, 1.4 million quarters

bool isSent(int type)
{
    return (type >= 0x80 && type < 0xF0) || type == 0xF0;
}

int countEvent(void* counter, fluid_midi_event_t* event)
{
    if (isSent(fluid_midi_event_get_type(event)))
        ++*static_cast<std::size_t*>(counter);
    return FLUID_OK;
}

// data holds the length, as a variable-length number that may be padded (0x80 0x00), and then
// the message.
bool isEmptySysEx(std::span<const std::uint8_t> data)
{
    std::size_t lengthBytes = 0;
    std::uint32_t length = 0;
    while (lengthBytes < data.size()) {
        const std::uint8_t byte = data[lengthBytes++];
        length = (length << 7) | (byte & 0x7Fu);
        if ((byte & 0x80u) == 0)
            break;
    }
    return length == 0 && lengthBytes == data.size();
}

struct EventCounter : SmfEventSink
{
    void beginTrack() override {}
    void event(const SmfEvent& event) override
    {
        count += isSent(event.status) && !(event.status == 0xF0 && isEmptySysEx(event.data));
    }
    void endTrack(std::uint32_t) override {}
    std::size_t count = 0;
};

} // namespace

std::string fluidSynthDisagrees(std::span<const std::uint8_t> file, const PreparedMidi& prepared)
{
    const SmfSummary again = scanSmf(prepared.smf);
    if (!again.valid || again.smpte)
        return "the prepared file does not scan as metrical: " + again.error;
    if (std::abs(again.lengthSeconds - prepared.lengthSeconds) >
        1e-9 * (1 + prepared.lengthSeconds))
        return "the prepared file scans to another length";

    static fluid_synth_t* const synth = [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
        return new_fluid_synth(new_fluid_settings());
    }();
    std::array<float, 128> block{};
    const auto render = [&] {
        fluid_synth_write_float(synth, 64, block.data(), 0, 2, block.data(), 1, 2);
    };
    std::size_t sent = 0;
    fluid_player_t* player = new_fluid_player(synth);
    fluid_player_set_playback_callback(player, &countEvent, &sent);
    fluid_player_set_tempo(player, FLUID_PLAYER_TEMPO_EXTERNAL_MIDI, 1);
    fluid_player_add_mem(player, prepared.smf.data(), prepared.smf.size());
    fluid_player_play(player);
    render(); // the player loads the file as the first block renders
    const bool loads = fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
    // Its end comes seconds after the last event: it has sent them all once it reaches the end.
    const auto sentAll = [&] {
        return fluid_player_get_current_tick(player) >= fluid_player_get_total_ticks(player);
    };
    for (int i = 0; loads && i < kMaxBlocks && !sentAll(); ++i)
        render();
    const bool played = loads && sentAll();
    delete_fluid_player(player);
    fluid_synth_system_reset(synth);
    if (!loads)
        return "FluidSynth does not read the prepared file";

    EventCounter scanned;
    scanSmf(isRiff(file) ? unwrapRmid(file).smf : file, &scanned);
    if (played && sent != scanned.count)
        return "FluidSynth sends " + std::to_string(sent) + " events of " +
               std::to_string(scanned.count);
    return {};
}

} // namespace orvane::testing
