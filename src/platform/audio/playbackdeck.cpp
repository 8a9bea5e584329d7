#include "platform/audio/playbackdeck.h"

#include "platform/audio/audiosource.h"
#include "platform/audio/outputformat.h"

#include <algorithm>

namespace orvane {

PlaybackDeck::PlaybackDeck(std::function<void()> onEnded,
                           std::function<void(const float*, std::size_t)> tap)
    : m_onEnded(std::move(onEnded)), m_tap(std::move(tap))
{
}

std::uint64_t PlaybackDeck::start(AudioSource& source)
{
    std::unique_lock lock(m_mutex);
    detachLocked(lock);
    m_framesPlayed.store(0, std::memory_order_release);
    m_source = &source;
    m_paused = false;
    return ++m_playback;
}

void PlaybackDeck::stop()
{
    std::unique_lock lock(m_mutex);
    detachLocked(lock);
}

void PlaybackDeck::detachLocked(std::unique_lock<std::mutex>& lock)
{
    m_source = nullptr;
    // At most one callback's worth of rendering to wait for.
    m_idle.wait(lock, [this] { return !m_rendering; });
}

void PlaybackDeck::setPaused(bool paused)
{
    const std::lock_guard lock(m_mutex);
    m_paused = paused;
}

void PlaybackDeck::render(float* out, std::size_t frames)
{
    AudioSource* source = nullptr;
    std::uint64_t playback = 0;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_paused && m_source != nullptr) {
            source = m_source;
            playback = m_playback;
            m_rendering = true;
        }
    }

    std::size_t written = 0;
    bool ended = false;
    if (source != nullptr) {
        written = source->render(out, frames);
        ended = source->finished();
        m_framesPlayed.fetch_add(written, std::memory_order_acq_rel);
    }
    std::fill(out + written * kOutputChannels, out + frames * kOutputChannels, 0.0f);

    if (source != nullptr) {
        {
            const std::lock_guard lock(m_mutex);
            m_rendering = false;
            // A source taken away meanwhile was stopped, not ended.
            if (ended && m_source == source && m_playback == playback)
                m_source = nullptr;
            else
                ended = false;
        }
        m_idle.notify_all();
        if (ended) {
            m_endedPlayback.store(playback, std::memory_order_release);
            m_onEnded();
        }
    }
    if (m_tap)
        m_tap(out, frames);
}

} // namespace orvane
