#pragma once

#include "engine/outputdevice.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace orvane {

class SoundStream;

// Keeps a stream's sound going out. While there is sound to play it has an output open: the
// device, or a silent sink that keeps real time while there is none; a lost device is noticed
// at the next look and tried again every second. When nothing has needed the output for a
// second it closes it, so that an idle player costs nothing. Its looks come from a thread of
// its own (see KeeperThread) or, in tests, from the caller.
class OutputKeeper
{
public:
    using Clock = std::chrono::steady_clock;
    // Receives a short line for the user when the device is lost; on the looking thread.
    using Notice = std::function<void(const std::string& text)>;

    // How long an output stays open with nothing to play, so that a pause, or a stop and play
    // again, do not close and reopen it.
    static constexpr auto kIdleGrace = std::chrono::seconds(1);
    // How often a missing device is tried again.
    static constexpr auto kRetryInterval = std::chrono::seconds(1);

    // `device` may be null: then only `silent` is used.
    OutputKeeper(std::shared_ptr<SoundStream> stream, std::shared_ptr<OutputDevice> device,
                 std::shared_ptr<OutputDevice> silent, OutputTap tap, Notice notice);
    ~OutputKeeper();
    OutputKeeper(const OutputKeeper&) = delete;
    OutputKeeper& operator=(const OutputKeeper&) = delete;

    // Gets the device ready to open at once, opening nothing.
    void prepare();
    // The first try at the device, at `now`, before any look; what the sound goes to.
    std::string tryFirst(Clock::time_point now);
    // Looks once, at `now`: `wanted` says whether the stream needs output. Opens, falls back
    // to the silent sink, retries the device, or closes what has been idle.
    void look(bool wanted, Clock::time_point now);
    // True while an output is open.
    bool isOpen() const { return m_device || m_silent; }
    // Calls neither the notice nor the tap from now on; waits for a tap under way.
    void detach();
    // Closes every output.
    void closeAll();

private:
    bool tryDevice(bool again, Clock::time_point now);
    void startSilent();
    RenderCallback renderFor(int output);

    std::shared_ptr<SoundStream> m_stream;
    std::shared_ptr<OutputDevice> m_deviceDriver;
    std::shared_ptr<OutputDevice> m_silentDriver;
    OutputTap m_tap;
    Notice m_notice;

    std::unique_ptr<AudioOutput> m_device;
    std::unique_ptr<AudioOutput> m_silent;
    bool m_deviceFailed = false;
    Clock::time_point m_lastTry;
    Clock::time_point m_idleSince;
    bool m_idle = false;

    std::atomic<int> m_active{0};        // which output feeds on the stream: kSilent or kDevice
    std::mutex m_noticeMutex;            // a notice under way finishes before detach() returns
    std::atomic<bool> m_detached{false}; // no more notices or taps
    std::atomic<int> m_inTap{0};
};

} // namespace orvane
