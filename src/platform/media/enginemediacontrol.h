#pragma once

#include "engine/engineevents.h"
#include "engine/playbackengine.h"
#include "platform/mediacontrol.h"

#include <functional>
#include <memory>
#include <string>

namespace orvane {

class OwnerLoop;

// The window's media control over the playback engine: the one place that reads the command
// texts ("Close", "Open", "play", "pause", "resume", "stop") and the device types
// ("Sequencer", "WaveAudio"). Done comes with result 1 when a file has played to its end, and
// StatusUpdate once per update interval; both on the owner's thread.
class EngineMediaControl : public MediaControl, private EngineEvents
{
public:
    // `device` may be null: a silent sink that keeps real time then takes the sound.
    EngineMediaControl(OwnerLoop& loop, std::shared_ptr<OutputDevice> device,
                       EngineOptions options = {});
    ~EngineMediaControl() override;
    EngineMediaControl(const EngineMediaControl&) = delete;
    EngineMediaControl& operator=(const EngineMediaControl&) = delete;

    void setCommand(const std::string& command) override;
    void setDeviceType(const std::string& deviceType) override { m_deviceType = deviceType; }
    void prepare(const std::string& deviceType) override;
    void setFileName(const std::string& fileName) override { m_fileName = fileName; }
    // Milliseconds, 0, are the only time format: nothing to keep.
    void setTimeFormat(std::int32_t) override {}
    std::int32_t length() const override { return m_engine->length(); }
    std::int32_t position() const override { return m_engine->position(); }
    std::int16_t updateInterval() const override;
    void setUpdateInterval(std::int16_t milliseconds) override;
    std::int16_t doneResult() const override { return m_doneResult; }
    // The flags mean nothing to the sound.
    void setFlag(MediaFlag, bool) override {}
    MediaMode mode() const override;
    void setEvents(MediaControlEvents* events) override { m_events = events; }

    // The file for the next "Open".
    const std::string& fileName() const { return m_fileName; }
    // The engine below: what the sound goes to, its dropouts.
    PlaybackEngine& engine() { return *m_engine; }
    // Receives, on the owner's thread, a short note for the user about the sound.
    void setNoteHandler(std::function<void(const std::string& text)> handler);

private:
    void open();
    void ended() override;
    void failed(const std::string& why) override;
    void position(std::int32_t milliseconds) override;
    void note(const std::string& text) override;

    std::unique_ptr<PlaybackEngine> m_engine;
    MediaControlEvents* m_events = nullptr;
    std::function<void(const std::string&)> m_noteHandler;
    std::string m_deviceType;
    std::string m_fileName;
    std::int16_t m_doneResult = 0;
};

} // namespace orvane
