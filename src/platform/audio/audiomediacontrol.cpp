#include "platform/audio/audiomediacontrol.h"

#include "platform/audio/audiolog.h"
#include "platform/audio/audiosource.h"
#include "platform/audio/audiosourcefactory.h"
#include "platform/audio/midisynth.h"
#include "platform/audio/outputformat.h"
#include "platform/audio/outputkeeper.h"
#include "platform/audio/playbackdeck.h"
#include "platform/audio/sdlaudiooutput.h"
#include "platform/audio/statusticker.h"
#include "platform/eventloop.h"
#include "text/lowercase.h"

#include <algorithm>
#include <limits>

namespace orvane {

namespace {

// Bounds on the wait for the keeper and the worker at the end.
constexpr auto kKeeperStopWait = std::chrono::milliseconds(350);
constexpr auto kDeckStopWait = std::chrono::milliseconds(250);

} // namespace

AudioMediaControl::AudioMediaControl(EventLoop& loop, AudioMediaControlOptions options,
                                     OutputTap tap)
    : m_loop(loop), m_options(std::move(options)), m_alive(std::make_shared<int>(0)),
      m_synth(std::make_shared<MidiSynth>(m_options.soundFont))
{
    SdlAudioOutput::prepareEnvironment();
    // The SoundFont loads in the background: MIDI files play at once when their turn comes.
    m_synth->preload();
    PlaybackDeck::Events events;
    events.ended = [this](std::uint64_t playback) {
        post([this, playback] { onPlaybackEnded(playback); });
    };
    events.failed = [this](std::uint64_t playback, const std::string& error) {
        post([this, playback, error] { onPlaybackFailed(playback, error); });
    };
    m_deck = PlaybackDeck::create(std::move(events));
    const auto kind = m_options.output == AudioMediaControlOptions::Output::Device
                          ? OutputKeeper::Kind::Device
                          : OutputKeeper::Kind::Silent;
    m_keeper = OutputKeeper::create(m_deck, kind, std::move(tap), [this](const std::string& text) {
        post([this, text] {
            if (m_noteHandler)
                m_noteHandler(text);
        });
    });
    StatusTicker::Clock clock;
    clock.playing = [this] { return m_mode == MediaMode::Playing; };
    clock.position = [this] { return position(); };
    clock.length = [this] { return length(); };
    m_status = std::make_unique<StatusTicker>(m_loop, std::move(clock), [this] {
        if (MediaControlEvents* receiver = this->events())
            receiver->MMControl1_StatusUpdate();
    });
}

AudioMediaControl::~AudioMediaControl()
{
    m_alive.reset();
    m_status.reset();
    close();
    // Neither a sound server that does not answer nor a long render holds up the end: what is
    // still busy after a short wait is left to finish by itself.
    m_keeper->stop(kKeeperStopWait);
    m_deck->stop(kDeckStopWait);
}

void AudioMediaControl::post(std::function<void()> task)
{
    m_loop.post([alive = std::weak_ptr<int>(m_alive), task = std::move(task)] {
        if (alive.lock())
            task();
    });
}

std::string AudioMediaControl::waitForOutput()
{
    return m_keeper->waitForFirstOutput();
}

void AudioMediaControl::setNoteHandler(std::function<void(const std::string& text)> handler)
{
    m_noteHandler = std::move(handler);
}

std::uint64_t AudioMediaControl::dropouts() const
{
    return m_deck->dropouts();
}

void AudioMediaControl::setCommand(const std::string& command)
{
    const std::string verb = lowerCase(command);
    if (verb == "close") {
        close();
    } else if (verb == "open") {
        open();
    } else if (verb == "play") {
        play();
    } else if (verb == "pause") {
        if (m_mode == MediaMode::Playing)
            setPaused(true);
    } else if (verb == "resume") {
        if (m_mode == MediaMode::Paused)
            setPaused(false);
    } else if (verb == "stop") {
        stop();
    } else {
        reportAudioProblem("unknown media command \"" + command + "\"");
    }
    m_keeper->wake();
    scheduleStatus();
}

void AudioMediaControl::open()
{
    close();
    std::string error;
    std::shared_ptr<AudioSource> source = openAudioSource(deviceType(), fileName(), m_synth, error);
    if (!source) {
        reportAudioProblem("cannot open \"" + fileName() + "\": " + error);
        return;
    }
    m_source = std::move(source);
    m_frozenPosition = 0;
    m_mode = MediaMode::Stopped;
}

void AudioMediaControl::close()
{
    if (m_mode == MediaMode::Playing || m_mode == MediaMode::Paused) {
        m_deck->cut();
        m_followsOn = false;
    }
    // After a playback that ended by itself, its last frames still play out.
    m_deck->retire(std::move(m_source));
    m_source.reset();
    m_frozenPosition = 0;
    m_endedWhilePaused = false;
    m_mode = MediaMode::NotOpen;
}

void AudioMediaControl::play()
{
    if (!m_source)
        return;
    // Straight after a playback that ended by itself, this one follows its last frame.
    const bool cut = !(m_mode == MediaMode::Stopped && m_followsOn);
    m_playback = m_deck->play(m_source, cut);
    m_followsOn = false;
    m_endedWhilePaused = false;
    m_mode = MediaMode::Playing;
}

void AudioMediaControl::stop()
{
    if (m_mode != MediaMode::Playing && m_mode != MediaMode::Paused)
        return;
    m_frozenPosition = position();
    m_deck->cut();
    m_followsOn = false;
    m_endedWhilePaused = false;
    m_mode = MediaMode::Stopped;
}

void AudioMediaControl::setPaused(bool paused)
{
    m_deck->setPaused(paused);
    m_mode = paused ? MediaMode::Paused : MediaMode::Playing;
    if (!paused && m_endedWhilePaused)
        endPlayback();
}

void AudioMediaControl::onPlaybackEnded(std::uint64_t playback)
{
    if (playback != m_playback)
        return; // replaced since: that playback did not end by itself
    if (m_mode == MediaMode::Paused)
        m_endedWhilePaused = true; // its last frames are still to be heard
    else if (m_mode == MediaMode::Playing)
        endPlayback();
}

void AudioMediaControl::endPlayback()
{
    m_endedWhilePaused = false;
    m_frozenPosition = length();
    m_mode = MediaMode::Stopped;
    m_followsOn = true;
    m_deck->letTailPlay();
    m_keeper->wake();
    scheduleStatus();
    m_doneResult = 1;
    if (events() != nullptr)
        events()->MMControl1_Done(1);
}

void AudioMediaControl::onPlaybackFailed(std::uint64_t playback, const std::string& error)
{
    if (playback != m_playback || m_mode == MediaMode::NotOpen)
        return;
    reportAudioProblem("cannot play \"" + fileName() + "\": " + error);
    close();
    m_keeper->wake();
}

std::int32_t AudioMediaControl::length() const
{
    if (!m_source)
        return 0;
    return static_cast<std::int32_t>(std::clamp<long long>(
        m_source->lengthMilliseconds(), 0, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t AudioMediaControl::position() const
{
    switch (m_mode) {
    case MediaMode::NotOpen:
        return 0;
    case MediaMode::Stopped:
        return static_cast<std::int32_t>(m_frozenPosition);
    case MediaMode::Playing:
    case MediaMode::Paused:
        break;
    }
    const long long played = outputFramesToMilliseconds(m_deck->framesPlayed(m_playback));
    return static_cast<std::int32_t>(std::min<long long>(played, length()));
}

void AudioMediaControl::setUpdateInterval(std::int16_t milliseconds)
{
    const bool changed = milliseconds != updateInterval();
    MediaControlSettings::setUpdateInterval(milliseconds);
    if (changed || !m_status->isActive())
        scheduleStatus();
}

void AudioMediaControl::scheduleStatus()
{
    m_status->reschedule(updateInterval());
}

} // namespace orvane
