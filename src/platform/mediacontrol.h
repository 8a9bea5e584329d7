#pragma once

#include <cstdint>
#include <string>

namespace orvane {

class MediaControlEvents;

// Boolean settings of the media control that are written as given and mean nothing more here.
enum class MediaFlag { Flag14 = 14, Flag24 = 24, Flag25 = 25, Flag26 = 26, Flag52 = 52 };

// What the media control is doing.
enum class MediaMode { NotOpen, Stopped, Playing, Paused };

// The multimedia control: opens one file on a device, plays it and raises events on the
// GUI thread. Commands are text: "Close", "Open", "play", and the buttons' own "pause",
// "resume" and "stop".
class MediaControl
{
public:
    virtual ~MediaControl() = default;

    // Carries out a command at once; "play" returns while the file plays on.
    virtual void setCommand(const std::string& command) = 0;
    // Device for the next "Open": "Sequencer" (MIDI) or "WaveAudio" (WAV).
    virtual void setDeviceType(const std::string& deviceType) = 0;
    // Gets `deviceType` ready in the background for a file opened on it later (a MIDI
    // synthesizer loads its SoundFont); nothing when it is ready.
    virtual void prepare(const std::string& deviceType) = 0;
    // File for the next "Open": a full path.
    virtual void setFileName(const std::string& fileName) = 0;
    // Unit of length and position; 0 is milliseconds, the only one supported.
    virtual void setTimeFormat(std::int32_t format) = 0;
    // Length of the open file in milliseconds; 0 when nothing is open.
    virtual std::int32_t length() const = 0;
    // Position in the open file in milliseconds.
    virtual std::int32_t position() const = 0;
    // Interval between StatusUpdate events in milliseconds; 0 means none.
    virtual std::int16_t updateInterval() const = 0;
    // Sets the StatusUpdate interval; 0 stops the events.
    virtual void setUpdateInterval(std::int16_t milliseconds) = 0;
    // Result of the command whose completion raised Done: 1 when it completed successfully.
    virtual std::int16_t doneResult() const = 0;
    // Stores a Boolean setting as written.
    virtual void setFlag(MediaFlag flag, bool value) = 0;
    // What the control is doing now.
    virtual MediaMode mode() const = 0;
    // Receiver of Done and StatusUpdate (and, through the transport buttons, their click events).
    virtual void setEvents(MediaControlEvents* events) = 0;
};

// Receiver of the media control's events, all raised on the GUI thread.
class MediaControlEvents
{
public:
    virtual ~MediaControlEvents() = default;

    // A command completed; doneResult() tells how (1 = a file played to its end).
    virtual void MMControl1_Done(int NotifyCode) = 0;
    // Raised once per update interval while the interval is above 0.
    virtual void MMControl1_StatusUpdate() = 0;
    // Play button; set Cancel to skip the button's own action.
    virtual void MMControl1_PlayClick(bool& Cancel) = 0;
    // Pause button; set Cancel to skip the button's own action.
    virtual void MMControl1_PauseClick(bool& Cancel) = 0;
    // Stop button; set Cancel to skip the button's own action.
    virtual void MMControl1_StopClick(bool& Cancel) = 0;
    // Next button; set Cancel to skip the button's own action.
    virtual void MMControl1_NextClick(bool& Cancel) = 0;
};

} // namespace orvane
