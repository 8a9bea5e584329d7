#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

namespace orvane {

class AudioSource;

// Where the GUI thread hands a source to the audio thread. The output's callback renders the
// source in place (silence when there is none or it is paused), counts the frames it played
// and calls `onEnded` when the source has rendered its last frame. The lock between the two
// threads is held only to swap a pointer and a few flags.
class PlaybackDeck
{
public:
    // `onEnded` runs on the audio thread and must neither block nor allocate; so must `tap`, a
    // bench and test hook that sees every buffer handed to the output.
    explicit PlaybackDeck(std::function<void()> onEnded,
                          std::function<void(const float*, std::size_t)> tap = {});

    // GUI thread: plays `source` from where it stands; returns the number that the end of
    // this playback will carry (see endedPlayback()).
    std::uint64_t start(AudioSource& source);
    // GUI thread: takes the source away; when this returns the callback no longer uses it.
    void stop();
    // GUI thread: holds the source where it is (silence) or lets it go on.
    void setPaused(bool paused);
    // Frames of the current playback handed to the output so far.
    std::uint64_t framesPlayed() const { return m_framesPlayed.load(std::memory_order_acquire); }
    // The number of the last playback that reached its end (0 for none).
    std::uint64_t endedPlayback() const { return m_endedPlayback.load(std::memory_order_acquire); }

    // Audio thread: fills `frames` frames of interleaved stereo.
    void render(float* out, std::size_t frames);

private:
    void detachLocked(std::unique_lock<std::mutex>& lock);

    std::function<void()> m_onEnded;
    std::function<void(const float*, std::size_t)> m_tap;

    std::mutex m_mutex;
    std::condition_variable m_idle;
    AudioSource* m_source = nullptr;
    std::uint64_t m_playback = 0;
    bool m_paused = false;
    bool m_rendering = false;

    std::atomic<std::uint64_t> m_framesPlayed{0};
    std::atomic<std::uint64_t> m_endedPlayback{0};
};

} // namespace orvane
