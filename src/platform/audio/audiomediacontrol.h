#pragma once

#include "platform/audio/audiomediacontroloptions.h"
#include "platform/inertmediacontrol.h"

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace orvane {

class AudioEventRelay;
class AudioOutput;
class AudioSource;
class EventLoop;
class MidiSynth;
class PlaybackDeck;
class Timer;

// The media control over real audio: "WaveAudio" files through libsndfile, "Sequencer" files
// through FluidSynth, both into one SDL2 output stream that stays open across tracks (a silent
// sink that keeps real time when no device opens). Done and StatusUpdate are raised on the
// GUI thread through the event loop.
class AudioMediaControl : public InertMediaControl
{
public:
    explicit AudioMediaControl(EventLoop& loop, AudioMediaControlOptions options = {});
    ~AudioMediaControl() override;
    AudioMediaControl(const AudioMediaControl&) = delete;
    AudioMediaControl& operator=(const AudioMediaControl&) = delete;

    void setCommand(const std::string& command) override;
    std::int32_t length() const override;
    std::int32_t position() const override;
    void setUpdateInterval(std::int16_t milliseconds) override;
    std::int16_t doneResult() const override { return m_doneResult; }

    // Waits until the output stream is open; a description of it ("SDL audio (pulseaudio)",
    // "silent sink (real time)", ...).
    std::string waitForOutput();

private:
    void open();
    void close();
    void play();
    void stop();
    std::unique_ptr<AudioSource> openSource(const std::string& path, std::string& error);
    void openOutput(AudioMediaControlOptions::Output output);
    void onPlaybackEnded();
    void updateStatusTimer();

    EventLoop& m_loop;
    AudioMediaControlOptions m_options;
    std::shared_ptr<int> m_alive; // posted tasks check it: the control may be gone by then

    std::unique_ptr<MidiSynth> m_synth;
    std::unique_ptr<AudioEventRelay> m_relay;
    std::unique_ptr<PlaybackDeck> m_deck;
    std::unique_ptr<AudioOutput> m_output;
    std::thread m_outputOpener;
    std::unique_ptr<Timer> m_statusTimer;
    std::int16_t m_timerInterval = 0;

    std::unique_ptr<AudioSource> m_source;
    bool m_sourceUsed = false; // played since opened or rewound
    std::uint64_t m_playback = 0;
    std::int64_t m_frozenPosition = 0; // ms, while stopped
    std::int16_t m_doneResult = 0;
};

} // namespace orvane
