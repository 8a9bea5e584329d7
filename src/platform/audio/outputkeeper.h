#pragma once

#include "platform/audio/audiooutput.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace orvane {

class PlaybackDeck;

// Keeps the deck's sound going out, on a thread of its own so that the GUI thread never waits
// for a device or a sound server. While there is sound to play it has an output running: the
// device, or a silent sink that keeps real time while there is none; it notices within a
// second when the device is lost and tries it again every second. When nothing has needed
// the output for a second it closes it, so that an idle player costs nothing.
class OutputKeeper : public std::enable_shared_from_this<OutputKeeper>
{
public:
    enum class Kind {
        Device, // the machine's audio device, a silent sink while there is none
        Silent  // a silent sink only
    };
    // Receives a short line for the user when the device is lost; on the keeper's thread.
    using Notice = std::function<void(const std::string& text)>;

    // A keeper with its thread running; with Kind::Device it tries the device at once.
    static std::shared_ptr<OutputKeeper> create(std::shared_ptr<PlaybackDeck> deck, Kind kind,
                                                OutputTap tap, Notice notice);
    ~OutputKeeper();
    OutputKeeper(const OutputKeeper&) = delete;
    OutputKeeper& operator=(const OutputKeeper&) = delete;

    // Any thread: the deck's need for output may have changed.
    void wake();
    // Waits until the first try at the device is over; what the sound goes to.
    std::string waitForFirstOutput();
    // Closes the outputs and ends the keeper's thread, waiting at most `bound`; false when it
    // was held up (by a sound server that does not answer): it is then left to end by itself.
    // Neither the notice nor the tap is called after this returns.
    bool stop(std::chrono::milliseconds bound);

private:
    OutputKeeper(std::shared_ptr<PlaybackDeck> deck, Kind kind, OutputTap tap, Notice notice);
    void run();
    bool tryDevice(bool again);
    void startSilent();
    void keep(bool wanted, std::chrono::steady_clock::time_point now);
    AudioOutput::Render renderFor(int output);

    std::shared_ptr<PlaybackDeck> m_deck;
    const Kind m_kind;
    OutputTap m_tap;
    Notice m_notice;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_woken = false;
    bool m_stopping = false;
    bool m_ended = false;
    std::string m_firstOutput; // set once the first try is over
    std::thread m_thread;

    // Keeper's thread only.
    std::unique_ptr<AudioOutput> m_device;
    std::unique_ptr<AudioOutput> m_silent;
    bool m_deviceFailed = false;
    std::chrono::steady_clock::time_point m_lastTry;
    std::chrono::steady_clock::time_point m_idleSince;
    bool m_idle = false;

    std::atomic<int> m_active{0};        // which output feeds on the deck: kSilent or kDevice
    std::atomic<bool> m_detached{false}; // stopped: no more notices or taps
    std::atomic<int> m_inTap{0};
};

} // namespace orvane
