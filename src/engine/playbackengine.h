#pragma once

#include "engine/outputdevice.h"
#include "worker/boundedcall.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orvane {

class AudioSource;
class EngineEvents;
class HungCalls;
class KeeperThread;
class MidiSynth;
class OutputKeeper;
class OwnerLoop;
class PlaybackDeck;
class PositionTicker;

// What a file is played as.
enum class TrackKind { Midi, Wave };

// What the engine is doing.
enum class EngineState { Closed, Stopped, Playing, Paused };

// How an engine runs; the defaults suit the program.
struct EngineOptions
{
    enum class Threads {
        Own,   // the worker and the output keeper on threads of their own
        Inline // both in the caller's turn, for tests that drive the output frame by frame
    };

    Threads threads = Threads::Own;
    // SoundFont for MIDI files; empty means to locate one (ORVANE_SOUNDFONT first).
    std::string soundFont;
    // Load the SoundFont in the background from the start rather than when a MIDI file is first
    // expected or opened.
    bool preloadSoundFont = false;
    // How long opening a file may wait asleep in the kernel (a share that does not answer)
    // before the file counts as one that cannot be opened.
    std::chrono::milliseconds openBound = kDiskWait;
    // Sees every buffer handed to the output (tests and benchmarks).
    OutputTap tap;
    // The steady clock in nanoseconds; empty means std::chrono::steady_clock.
    std::function<std::int64_t()> clock;
};

// Plays one file at a time: MIDI files through FluidSynth, WAV files through libsndfile. A
// worker renders ahead of the output (see PlaybackDeck), so that a file opened and played when
// the one before has ended follows it without a gap; an output keeper (see OutputKeeper) opens
// the device, rides out its loss and closes it while idle. Called from the owner's thread only,
// which never waits for the worker, the device or the disk beyond a bounded wait to open a file;
// its events come on that thread through `loop`.
class PlaybackEngine
{
public:
    // `device` may be null: then the sound goes to a silent sink that keeps real time.
    PlaybackEngine(OwnerLoop& loop, EngineEvents& events, std::shared_ptr<OutputDevice> device,
                   EngineOptions options = {});
    // Returns within a fraction of a second, whatever the sound server does.
    ~PlaybackEngine();
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    // A file of `kind` may be opened soon: what it needs (the device; the synthesizer and its
    // SoundFont, for MIDI) gets ready in the background, so that it holds up neither its first
    // note nor the end of the file before it. No stream opens before there is sound.
    void prepare(TrackKind kind);
    // True once the MIDI synthesizer has begun to load.
    bool midiSynthStarted() const;
    // Closes what is open and opens `path` as `kind`, stopped at its start. False, with the
    // reason on standard error and in a note, when it cannot be played; nothing is open then.
    bool open(TrackKind kind, const std::string& path);
    // Plays the open file from its start; straight after one that ended by itself, from the
    // frame after its last. Nothing when nothing is open.
    void play();
    // Holds a playing file where it is.
    void pause();
    // Goes on with a paused file.
    void resume();
    // Ends the playback; the file stays open, its position where the playback stopped.
    void stop();
    // Ends any playback and closes the file; what of a file that ended is still to be heard
    // plays out.
    void close();
    // Position events once every `milliseconds` from now on, in every state; 0 stops them.
    void setPositionInterval(std::int32_t milliseconds);

    EngineState state() const { return m_state; }
    std::int32_t positionInterval() const { return m_interval; }
    // Length of the open file in milliseconds; 0 when nothing is open.
    std::int32_t length() const;
    // Milliseconds of the open file heard so far.
    std::int32_t position() const;
    // Waits until the first try at the device is over; what the sound goes to ("SDL audio
    // (pulseaudio)", "silent sink (real time)", ...).
    std::string waitForOutput();
    // Times the output ran dry in the middle of a playback.
    std::uint64_t dropouts() const;

private:
    void cutAndForget();
    void setPaused(bool paused);
    void onEnded(std::uint64_t playback);
    void onFailed(std::uint64_t playback, const std::string& error);
    // The note for the user that the file at `path` cannot be played, and why.
    void tellCannotPlay(const std::string& path, const std::string& error);
    void endPlayback();
    // After every change: the keeper looks at the deck, the ticker times its next event.
    void afterChange();
    // Inline, the keeper looks in the caller's turn, on the engine's clock.
    void wakeKeeper();
    std::chrono::steady_clock::time_point keeperTime() const;
    // Runs `task` on the owner's thread unless the engine is gone by then.
    void post(std::function<void()> task);

    OwnerLoop& m_loop;
    EngineEvents& m_events;
    EngineOptions m_options;
    std::shared_ptr<int> m_alive; // posted tasks check it: the engine may be gone by then

    std::shared_ptr<MidiSynth> m_synth;
    std::shared_ptr<HungCalls> m_hungOpens; // by folder
    std::shared_ptr<PlaybackDeck> m_deck;
    std::shared_ptr<OutputKeeper> m_keeper;
    std::unique_ptr<KeeperThread> m_keeperThread; // none when Inline
    std::string m_firstOutput;                    // Inline: what the first try found
    std::unique_ptr<PositionTicker> m_ticker;

    std::shared_ptr<AudioSource> m_source;
    std::string m_path;
    EngineState m_state = EngineState::Closed;
    std::int32_t m_interval = 0;
    std::uint64_t m_playback = 0;      // the deck's number for the source's latest playback
    std::int64_t m_frozenPosition = 0; // ms, while stopped
    bool m_followsOn = false;          // the last playback ended by itself: the next plays on
    bool m_endedWhilePaused = false;
};

} // namespace orvane
