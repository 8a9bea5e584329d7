#include "engine/playbackdeck.h"

#include "engine/audiosource.h"
#include "engine/outputformat.h"

#include <algorithm>

namespace orvane {

namespace {

// Room for what is rendered ahead, and as much again for what a cut has left in it.
constexpr std::size_t kRingFrames = 16384;

} // namespace

std::shared_ptr<PlaybackDeck> PlaybackDeck::create(Events events, Mode mode, Clock clock)
{
    std::shared_ptr<PlaybackDeck> deck(new PlaybackDeck(
        makeSampleRing(kRingFrames * kOutputChannels), std::move(events), mode, std::move(clock)));
    // The worker's thread holds the deck too: if it is left busy at the end, nothing it uses
    // goes away.
    deck->m_worker.start(deck);
    return deck;
}

PlaybackDeck::PlaybackDeck(SampleRing ring, Events events, Mode mode, Clock clock)
    : m_reader(std::move(ring.reader)),
      m_worker(std::move(ring.writer), m_ledger, std::move(events), mode), m_now(std::move(clock))
{
}

std::uint64_t PlaybackDeck::play(std::shared_ptr<AudioSource> source, bool cut)
{
    const std::uint64_t playback = m_ledger.newPlayback();
    RenderWorker::Command command{std::move(source), playback, 0};
    if (cut)
        command.cut = m_ledger.requestCut();
    m_tail.store(!cut && m_tail.load());
    m_live.store(true);
    m_paused.store(false);
    m_worker.send(std::move(command));
    return playback;
}

void PlaybackDeck::cut()
{
    const std::uint64_t cut = m_ledger.requestCut();
    m_live.store(false);
    m_tail.store(false);
    m_paused.store(false);
    m_worker.send({nullptr, 0, cut});
}

void PlaybackDeck::setPaused(bool paused)
{
    m_paused.store(paused);
}

void PlaybackDeck::letTailPlay()
{
    m_tail.store(true);
    m_live.store(false);
}

void PlaybackDeck::retire(std::shared_ptr<AudioSource> source)
{
    if (source)
        m_worker.send({std::move(source), 0, 0});
}

std::uint64_t PlaybackDeck::framesPlayed(std::uint64_t playback) const
{
    return m_ledger.framesOf(playback, m_clock.framesHeard(m_now(), m_paused.load()));
}

bool PlaybackDeck::needsOutput() const
{
    if (m_paused.load())
        return false;
    return m_live.load() || (m_tail.load() && m_reader.available() > 0);
}

bool PlaybackDeck::soundReady() const
{
    return m_reader.available() > 0;
}

void PlaybackDeck::pull(float* out, std::size_t frames)
{
    const std::size_t samples = frames * kOutputChannels;
    // One reader at a time, should two outputs overlap while one takes over from the other.
    if (m_reading.test_and_set(std::memory_order_acquire)) {
        std::fill_n(out, samples, 0.0f);
        return;
    }
    // Drop what a cut has made stale; the write count is read first (see playable()).
    const std::uint64_t written = m_reader.totalWritten() / kOutputChannels;
    const PlaybackLedger::Playable playable = m_ledger.playable(written);
    const std::uint64_t read = m_reader.totalRead() / kOutputChannels;
    if (read < playable.from)
        m_reader.discard(static_cast<std::size_t>(playable.from - read) * kOutputChannels);
    if (playable.cutPending)
        m_flowing = false;

    std::size_t got = 0;
    const std::uint64_t before = m_reader.totalRead() / kOutputChannels;
    const bool more = m_worker.rendering();
    // Start only with a whole pull's worth, so that a start is never followed by a gap.
    if (!m_paused.load(std::memory_order_relaxed) &&
        (m_flowing || m_reader.available() >= samples || !more))
        got = m_reader.read(out, samples);
    std::fill(out + got, out + samples, 0.0f);
    if (m_flowing && got < samples && more)
        m_dropouts.fetch_add(1, std::memory_order_relaxed);
    m_flowing = got == samples;
    m_clock.noteBuffer(before, got / kOutputChannels, m_now());
    m_reading.clear(std::memory_order_release);
    if (m_reader.available() / kOutputChannels < RenderWorker::kRefillFrames)
        m_worker.wake();
}

} // namespace orvane
