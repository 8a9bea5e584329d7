#include "platform/audio/audiomediacontrol.h"

#include "platform/audio/audioeventrelay.h"
#include "platform/audio/audiolog.h"
#include "platform/audio/filebytes.h"
#include "platform/audio/midilimits.h"
#include "platform/audio/midisource.h"
#include "platform/audio/midisynth.h"
#include "platform/audio/outputformat.h"
#include "platform/audio/playbackdeck.h"
#include "platform/audio/preparedmidi.h"
#include "platform/audio/sdlaudiooutput.h"
#include "platform/audio/silentaudiooutput.h"
#include "platform/audio/wavsource.h"
#include "platform/eventloop.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace orvane {

namespace {

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

AudioMediaControl::AudioMediaControl(EventLoop& loop, AudioMediaControlOptions options)
    : m_loop(loop), m_options(std::move(options)), m_alive(std::make_shared<int>(0)),
      m_synth(std::make_unique<MidiSynth>(m_options.soundFont))
{
    m_relay = std::make_unique<AudioEventRelay>([this, alive = std::weak_ptr<int>(m_alive)] {
        m_loop.post([this, alive] {
            if (alive.lock())
                onPlaybackEnded();
        });
    });
    m_deck = std::make_unique<PlaybackDeck>([relay = m_relay.get()] { relay->signal(); },
                                            m_options.outputTap);
    m_statusTimer = m_loop.createTimer([this] {
        if (events() != nullptr)
            events()->MMControl1_StatusUpdate();
    });
    // Opening a device can take a tenth of a second or more: the window need not wait for it.
    m_outputOpener = std::thread([this, kind = m_options.output] { openOutput(kind); });
}

AudioMediaControl::~AudioMediaControl()
{
    m_alive.reset();
    if (m_outputOpener.joinable())
        m_outputOpener.join();
    m_output.reset(); // no callback runs after this
    m_statusTimer.reset();
    m_source.reset();
    m_deck.reset();
    m_relay.reset();
    m_synth.reset();
}

std::string AudioMediaControl::waitForOutput()
{
    if (m_outputOpener.joinable())
        m_outputOpener.join();
    return m_output->description();
}

void AudioMediaControl::openOutput(AudioMediaControlOptions::Output kind)
{
    AudioOutput::Render render = [deck = m_deck.get()](float* out, std::size_t frames) {
        deck->render(out, frames);
    };
    if (kind == AudioMediaControlOptions::Output::Device) {
        std::string error;
        m_output = SdlAudioOutput::open(render, error);
        if (!m_output) {
            reportAudioProblem("no audio output device (" + error +
                               "); playing to a silent sink instead");
            m_output = std::make_unique<SilentAudioOutput>(render);
        }
        return;
    }
    m_output = std::make_unique<SilentAudioOutput>(render);
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
        if (m_mode == MediaMode::Playing) {
            m_deck->setPaused(true);
            m_mode = MediaMode::Paused;
        }
    } else if (verb == "resume") {
        if (m_mode == MediaMode::Paused) {
            m_deck->setPaused(false);
            m_mode = MediaMode::Playing;
        }
    } else if (verb == "stop") {
        stop();
    } else {
        reportAudioProblem("unknown media command \"" + command + "\"");
    }
    updateStatusTimer();
}

void AudioMediaControl::open()
{
    close();
    std::string error;
    std::unique_ptr<AudioSource> source = openSource(fileName(), error);
    if (!source) {
        reportAudioProblem("cannot open \"" + fileName() + "\": " + error);
        return;
    }
    m_source = std::move(source);
    m_sourceUsed = false;
    m_frozenPosition = 0;
    m_mode = MediaMode::Stopped;
}

std::unique_ptr<AudioSource> AudioMediaControl::openSource(const std::string& path,
                                                           std::string& error)
{
    const std::string device = lowerCase(deviceType());
    if (device == "waveaudio") {
        // A MIDI file may well follow: have the SoundFont ready by then.
        m_synth->preload();
        return WavSource::open(path, error);
    }
    if (device != "sequencer") {
        error = deviceType().empty() ? "no device type set"
                                     : "unknown device type \"" + deviceType() + "\"";
        return nullptr;
    }
    const auto bytes = readFileBytes(path, kMaxMidiFileBytes, error);
    if (!bytes)
        return nullptr;
    PreparedMidi midi = prepareMidi(*bytes);
    if (!midi.valid) {
        error = midi.error;
        return nullptr;
    }
    fluid_synth_t* synth = m_synth->synth();
    if (synth == nullptr) {
        error = "no SoundFont to play MIDI with";
        return nullptr;
    }
    return MidiSource::open(synth, std::move(midi), error);
}

void AudioMediaControl::close()
{
    stop();
    m_source.reset();
    m_sourceUsed = false;
    m_frozenPosition = 0;
    m_mode = MediaMode::NotOpen;
}

void AudioMediaControl::play()
{
    if (!m_source)
        return;
    m_deck->stop();
    if (m_sourceUsed && !m_source->rewind()) {
        close();
        return;
    }
    m_sourceUsed = true;
    m_playback = m_deck->start(*m_source);
    m_mode = MediaMode::Playing;
}

void AudioMediaControl::stop()
{
    if (m_mode != MediaMode::Playing && m_mode != MediaMode::Paused)
        return;
    m_frozenPosition = position();
    m_deck->stop();
    m_deck->setPaused(false);
    m_mode = MediaMode::Stopped;
}

void AudioMediaControl::onPlaybackEnded()
{
    const bool current = m_mode == MediaMode::Playing || m_mode == MediaMode::Paused;
    if (!current || m_deck->endedPlayback() != m_playback)
        return; // stopped, closed or replaced since: that playback did not end by itself
    m_frozenPosition = length();
    m_deck->setPaused(false);
    m_mode = MediaMode::Stopped;
    updateStatusTimer();
    m_doneResult = 1;
    if (events() != nullptr)
        events()->MMControl1_Done(1);
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
    const long long played = outputFramesToMilliseconds(m_deck->framesPlayed());
    return static_cast<std::int32_t>(std::min<long long>(played, length()));
}

void AudioMediaControl::setUpdateInterval(std::int16_t milliseconds)
{
    InertMediaControl::setUpdateInterval(milliseconds);
    updateStatusTimer();
}

void AudioMediaControl::updateStatusTimer()
{
    const std::int16_t interval = updateInterval();
    if (interval > 0 && m_mode == MediaMode::Playing) {
        if (!m_statusTimer->isActive() || m_timerInterval != interval) {
            m_timerInterval = interval;
            m_statusTimer->start(interval);
        }
    } else if (m_statusTimer->isActive()) {
        m_statusTimer->stop();
    }
}

} // namespace orvane
