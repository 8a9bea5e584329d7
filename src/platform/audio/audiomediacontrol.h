#pragma once

#include "platform/audio/audiomediacontroloptions.h"
#include "platform/audio/audiooutput.h"
#include "platform/audio/mediacontrolsettings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orvane {

class AudioSource;
class EventLoop;
class MidiSynth;
class OutputKeeper;
class PlaybackDeck;
class StatusTicker;

// The media control over real audio: "WaveAudio" files through libsndfile, "Sequencer" files
// through FluidSynth. A worker renders ahead of the output (see PlaybackDeck), so that a file
// opened and played from the Done of one that ended follows it without a gap; an output keeper
// (see OutputKeeper) opens the device, rides out its loss and closes it while idle. Done and
// StatusUpdate are raised on the GUI thread, which waits for neither.
class AudioMediaControl : public MediaControlSettings
{
public:
    // `tap` sees every buffer handed to the output (tests and benchmarks).
    explicit AudioMediaControl(EventLoop& loop, AudioMediaControlOptions options = {},
                               OutputTap tap = {});
    // Returns within a fraction of a second, whatever the sound server does.
    ~AudioMediaControl() override;
    AudioMediaControl(const AudioMediaControl&) = delete;
    AudioMediaControl& operator=(const AudioMediaControl&) = delete;

    void setCommand(const std::string& command) override;
    std::int32_t length() const override;
    std::int32_t position() const override;
    void setUpdateInterval(std::int16_t milliseconds) override;
    std::int16_t doneResult() const override { return m_doneResult; }

    // Waits until the first try at the device is over; what the sound goes to ("SDL audio
    // (pulseaudio)", "silent sink (real time)", ...).
    std::string waitForOutput();
    // Receives, on the GUI thread, a short note for the user about the sound (a lost device).
    void setNoteHandler(std::function<void(const std::string& text)> handler);
    // Times the output ran dry in the middle of a playback.
    std::uint64_t dropouts() const;

private:
    void open();
    void close();
    void play();
    void stop();
    void setPaused(bool paused);
    void onPlaybackEnded(std::uint64_t playback);
    void onPlaybackFailed(std::uint64_t playback, const std::string& error);
    void endPlayback();
    void scheduleStatus();
    // Runs `task` on the GUI thread unless the control is gone by then.
    void post(std::function<void()> task);

    EventLoop& m_loop;
    AudioMediaControlOptions m_options;
    std::shared_ptr<int> m_alive; // posted tasks check it: the control may be gone by then
    std::function<void(const std::string&)> m_noteHandler;

    std::shared_ptr<MidiSynth> m_synth;
    std::shared_ptr<PlaybackDeck> m_deck;
    std::shared_ptr<OutputKeeper> m_keeper;
    std::unique_ptr<StatusTicker> m_status;

    std::shared_ptr<AudioSource> m_source;
    std::uint64_t m_playback = 0;      // the deck's number for the source's latest playback
    std::int64_t m_frozenPosition = 0; // ms, while stopped
    bool m_followsOn = false;          // the last playback ended by itself: the next plays on
    bool m_endedWhilePaused = false;
    std::int16_t m_doneResult = 0;
};

} // namespace orvane
