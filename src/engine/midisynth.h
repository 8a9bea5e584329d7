#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace orvane {

// The one FluidSynth synthesizer of the run, with its General MIDI SoundFont. It has no audio
// driver of its own: the render worker renders it. The SoundFont is loaded once, on a
// background thread started by the first call to preload() or synth().
class MidiSynth
{
public:
    // The synthesizer's gain: a single melody sounds at music level; dense pieces rely on the
    // output limiter after it.
    static constexpr double kGain = 0.8;

    // `soundFont` names the SoundFont to use; empty means to locate one.
    explicit MidiSynth(std::string soundFont = {});
    ~MidiSynth();
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    // Owner's thread: starts loading in the background unless it has begun.
    void preload();
    // Any thread: true once loading has begun.
    bool started() const { return m_started.load(std::memory_order_acquire); }
    // Any thread, without waiting: true once loading has ended without a synthesizer.
    bool failed() const { return m_failed.load(std::memory_order_acquire); }
    // Waits for the load; the synthesizer, or null when no SoundFont loads (said once on
    // stderr). Call only from the thread that renders it.
    fluid_synth_t* synth();
    // Renderer's thread: silences every voice at once and sets channels, controllers,
    // programs, reverb and chorus back to how a fresh synthesizer starts.
    void reset();
    // Why synth() is null.
    const std::string& error() const { return m_error; }
    // How long creating the synthesizer and loading the SoundFont took.
    std::chrono::duration<double> loadTime() const { return m_loadTime; }

private:
    void load();
    // Loads the first SoundFont that can be loaded into m_synth; false, with m_error set, when
    // none can.
    bool loadSoundFont();

    std::string m_soundFont;
    std::thread m_loader;
    std::atomic<bool> m_started{false};
    bool m_reported = false;
    std::atomic<bool> m_failed{false};
    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;
    std::string m_error;
    std::chrono::duration<double> m_loadTime{0};
};

} // namespace orvane
