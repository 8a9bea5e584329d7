#include "platform/media/enginemediacontrol.h"

#include "engine/audiolog.h"
#include "text/lowercase.h"

namespace orvane {

EngineMediaControl::EngineMediaControl(OwnerLoop& loop, std::shared_ptr<OutputDevice> device,
                                       EngineOptions options)
{
    EngineEvents& events = *this;
    m_engine =
        std::make_unique<PlaybackEngine>(loop, events, std::move(device), std::move(options));
}

EngineMediaControl::~EngineMediaControl() = default;

void EngineMediaControl::setNoteHandler(std::function<void(const std::string& text)> handler)
{
    m_noteHandler = std::move(handler);
}

void EngineMediaControl::setCommand(const std::string& command)
{
    const std::string verb = lowerCase(command);
    if (verb == "close")
        m_engine->close();
    else if (verb == "open")
        open();
    else if (verb == "play")
        m_engine->play();
    else if (verb == "pause")
        m_engine->pause();
    else if (verb == "resume")
        m_engine->resume();
    else if (verb == "stop")
        m_engine->stop();
    else
        reportAudioProblem("unknown media command \"" + command + "\"");
}

void EngineMediaControl::prepare(const std::string& deviceType)
{
    const std::string device = lowerCase(deviceType);
    if (device == "sequencer")
        m_engine->prepare(TrackKind::Midi);
    else if (device == "waveaudio")
        m_engine->prepare(TrackKind::Wave);
}

void EngineMediaControl::open()
{
    const std::string device = lowerCase(m_deviceType);
    if (device == "sequencer") {
        m_engine->open(TrackKind::Midi, m_fileName);
        return;
    }
    if (device == "waveaudio") {
        m_engine->open(TrackKind::Wave, m_fileName);
        return;
    }
    m_engine->close();
    reportAudioProblem("cannot open \"" + m_fileName + "\": " +
                       (m_deviceType.empty() ? "no device type set"
                                             : "unknown device type \"" + m_deviceType + "\""));
}

std::int16_t EngineMediaControl::updateInterval() const
{
    return static_cast<std::int16_t>(m_engine->positionInterval());
}

void EngineMediaControl::setUpdateInterval(std::int16_t milliseconds)
{
    m_engine->setPositionInterval(milliseconds);
}

MediaMode EngineMediaControl::mode() const
{
    switch (m_engine->state()) {
    case EngineState::Closed:
        return MediaMode::NotOpen;
    case EngineState::Stopped:
        return MediaMode::Stopped;
    case EngineState::Playing:
        return MediaMode::Playing;
    case EngineState::Paused:
        return MediaMode::Paused;
    }
    return MediaMode::NotOpen;
}

void EngineMediaControl::ended()
{
    m_doneResult = 1;
    if (m_events != nullptr)
        m_events->MMControl1_Done(1);
}

void EngineMediaControl::failed(const std::string&)
{
    // Said on standard error already; the handlers wait for Next, as for a file that did not
    // open.
}

void EngineMediaControl::position(std::int32_t)
{
    if (m_events != nullptr)
        m_events->MMControl1_StatusUpdate();
}

void EngineMediaControl::note(const std::string& text)
{
    if (m_noteHandler)
        m_noteHandler(text);
}

} // namespace orvane
