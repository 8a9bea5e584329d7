#include "engine/midisynth.h"

#include "engine/audiolibraries.h"
#include "engine/audiolog.h"
#include "engine/outputformat.h"
#include "engine/regularfile.h"
#include "engine/soundfontlocator.h"

#include <array>
#include <cstdlib>
#include <fluidsynth.h>
#include <malloc.h>
#include <unistd.h>

namespace orvane {

namespace {

void silenceFluidSynthLogging()
{
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
        fluid_set_log_function(level, nullptr, nullptr);
}

// Loads `path` into `synth` if it is a SoundFont; why not otherwise. Only a regular file that
// starts like a SoundFont reaches FluidSynth, which opens it again by name: through
// /proc/self/fd the name is that very file, so that nothing can swap it for a pipe meanwhile.
std::string loadSoundFontFile(fluid_synth_t* synth, const std::string& path)
{
    std::string error;
    const RegularFile file = RegularFile::open(path, error);
    if (!file)
        return error;
    if (error = soundFontProblem(file); !error.empty())
        return error;
    const std::string self = "/proc/self/fd/" + std::to_string(file.descriptor());
    const std::string& name = ::access(self.c_str(), R_OK) == 0 ? self : path;
    if (fluid_synth_sfload(synth, name.c_str(), 1) == FLUID_FAILED)
        return "FluidSynth cannot load it";
    return {};
}

} // namespace

MidiSynth::MidiSynth(std::string soundFont) : m_soundFont(std::move(soundFont)) {}

MidiSynth::~MidiSynth()
{
    if (m_loader.joinable())
        m_loader.join();
    if (m_synth != nullptr)
        delete_fluid_synth(m_synth);
    if (m_settings != nullptr)
        delete_fluid_settings(m_settings);
}

void MidiSynth::preload()
{
    if (m_started.exchange(true, std::memory_order_acq_rel))
        return;
    m_loader = std::thread([this] {
        load();
        m_failed.store(m_synth == nullptr, std::memory_order_release);
    });
}

fluid_synth_t* MidiSynth::synth()
{
    if (!m_started.exchange(true, std::memory_order_acq_rel)) {
        load();
        m_failed.store(m_synth == nullptr, std::memory_order_release);
    }
    if (m_loader.joinable())
        m_loader.join();
    if (m_synth == nullptr && !m_reported) {
        m_reported = true;
        reportAudioProblem(m_error);
    }
    return m_synth;
}

void MidiSynth::reset()
{
    if (m_synth == nullptr)
        return;
    std::array<float, 64> scratch{};
    const auto renderSilently = [&](int blocks) {
        for (int block = 0; block < blocks; ++block)
            fluid_synth_write_float(m_synth, static_cast<int>(scratch.size()), scratch.data(), 0, 1,
                                    scratch.data(), 0, 1);
    };
    // FluidSynth carries out both on its next block; a system reset straight after the sounds
    // are switched off leaves the voices sounding, so each gets a block of its own.
    fluid_synth_all_sounds_off(m_synth, -1);
    renderSilently(1);
    // Channels, controllers and programs as at the start; the reverb's and the chorus's lines
    // cleared. FluidSynth's reverb keeps a little of its state through a reset, which comes
    // back some 50 ms later at about -64 dBFS: once that has reached the lines, a second reset
    // clears it for good (to below -140 dBFS).
    fluid_synth_system_reset(m_synth);
    renderSilently(64);
    fluid_synth_system_reset(m_synth);
    renderSilently(1);
}

void MidiSynth::load()
{
    const auto started = std::chrono::steady_clock::now();
    if (!fluidSynthLibrary().load()) {
        m_error = "FluidSynth cannot be loaded";
        return;
    }
    silenceFluidSynthLogging();
    m_settings = new_fluid_settings();
    if (m_settings == nullptr) {
        m_error = "cannot set up the MIDI synthesizer";
        return;
    }
    fluid_settings_setnum(m_settings, "synth.sample-rate", kOutputRate);
    // Only one thread drives the synthesizer at a time, so its own locking is not needed.
    fluid_settings_setint(m_settings, "synth.threadsafe-api", 0);
    fluid_settings_setint(m_settings, "synth.lock-memory", 0);
    fluid_settings_setstr(m_settings, "player.timing-source", "sample");
    fluid_settings_setnum(m_settings, "synth.gain", kGain);
    // Samples are read while loading, so the SoundFont is not opened again by name later.
    fluid_settings_setint(m_settings, "synth.dynamic-sample-loading", 0);
    m_synth = new_fluid_synth(m_settings);
    if (m_synth == nullptr) {
        m_error = "cannot set up the MIDI synthesizer";
        return;
    }

    if (!loadSoundFont()) {
        delete_fluid_synth(m_synth);
        m_synth = nullptr;
        return;
    }
    m_loadTime = std::chrono::steady_clock::now() - started;
#ifdef __GLIBC__
    // Reading the SoundFont leaves megabytes of freed memory in this thread's heap, which
    // the C library keeps unless asked to hand it back.
    malloc_trim(0);
#endif
}

bool MidiSynth::loadSoundFont()
{
    if (!m_soundFont.empty()) {
        const std::string problem = loadSoundFontFile(m_synth, m_soundFont);
        if (!problem.empty())
            m_error = "cannot load the SoundFont " + m_soundFont + " (" + problem +
                      "); MIDI files will not play";
        return problem.empty();
    }
    // Every candidate that cannot be loaded is passed over like a missing one; a candidate that
    // is there but unusable, and a missing one the user named, are worth a line.
    const char* variable = std::getenv("ORVANE_SOUNDFONT");
    const std::string named = variable != nullptr ? variable : "";
    const SoundFontLocator locator([&](const std::string& path) {
        const bool isNamed = !named.empty() && path == named;
        if (!isNamed && ::access(path.c_str(), F_OK) != 0)
            return false;
        const std::string problem = loadSoundFontFile(m_synth, path);
        if (problem.empty())
            return true;
        if (isNamed)
            reportAudioProblem("ORVANE_SOUNDFONT names " + path + ", which cannot be used (" +
                               problem + "); looking for the system's SoundFont");
        else
            reportAudioProblem("cannot use the SoundFont " + path + " (" + problem +
                               "); trying the next one");
        return false;
    });
    if (locator.locate())
        return true;
    m_error = "no General MIDI SoundFont found (install timgm6mb-soundfont or "
              "fluid-soundfont-gm, or set ORVANE_SOUNDFONT to a .sf2 or .sf3 file); "
              "MIDI files will not play";
    return false;
}

} // namespace orvane
