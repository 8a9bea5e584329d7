#include "platform/audio/wavsource.h"

#include "platform/audio/audiolog.h"
#include "platform/audio/outputformat.h"
#include "platform/audio/wavdecoder.h"

#include <chrono>

namespace orvane {

namespace {

constexpr std::size_t kRingFrames = 32768; // about 0.7 s ahead
constexpr std::size_t kChunkFrames = 1024;
constexpr std::size_t kPrefillFrames = 8192; // decoded before "play" so that it sounds at once
constexpr auto kFeedInterval = std::chrono::milliseconds(10);

} // namespace

std::unique_ptr<WavSource> WavSource::open(const std::string& path, std::string& error)
{
    std::unique_ptr<WavDecoder> decoder = WavDecoder::open(path, error);
    if (!decoder)
        return nullptr;
    std::unique_ptr<WavSource> source(new WavSource(std::move(decoder)));
    source->fill(kPrefillFrames);
    source->startFeeding();
    return source;
}

WavSource::WavSource(std::unique_ptr<WavDecoder> decoder)
    : m_decoder(std::move(decoder)), m_ring(kRingFrames * kOutputChannels),
      m_chunk(kChunkFrames * kOutputChannels)
{
}

WavSource::~WavSource()
{
    stopFeeding();
}

long long WavSource::lengthMilliseconds() const
{
    return m_decoder->lengthMilliseconds();
}

std::size_t WavSource::render(float* out, std::size_t frames)
{
    // Read the flag first: once it is set, everything decoded is already in the ring.
    const bool decodeDone = m_decodeDone.load(std::memory_order_acquire);
    const std::size_t got = m_ring.read(out, frames * kOutputChannels) / kOutputChannels;
    if (decodeDone && m_ring.available() == 0)
        m_finished = true;
    return got;
}

bool WavSource::rewind()
{
    stopFeeding();
    std::string error;
    if (!m_decoder->rewind(error)) {
        reportAudioProblem("cannot go back to the start of the WAV file: " + error);
        return false;
    }
    m_ring.clear();
    m_decodeDone.store(false);
    m_finished = false;
    fill(kPrefillFrames);
    startFeeding();
    return true;
}

bool WavSource::fill(std::size_t maxFrames)
{
    std::size_t filled = 0;
    while (filled < maxFrames && m_ring.space() >= m_chunk.size()) {
        const std::size_t frames = m_decoder->decode(m_chunk.data(), kChunkFrames);
        if (frames == 0) {
            m_decodeDone.store(true, std::memory_order_release);
            return false;
        }
        m_ring.write(m_chunk.data(), frames * kOutputChannels);
        filled += frames;
    }
    return true;
}

void WavSource::startFeeding()
{
    if (m_decodeDone.load())
        return;
    m_stopFeeding = false;
    m_feeder = std::thread([this] { feed(); });
}

void WavSource::stopFeeding()
{
    if (!m_feeder.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopFeeding = true;
    }
    m_wake.notify_all();
    m_feeder.join();
}

void WavSource::feed()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopFeeding) {
        lock.unlock();
        const bool more = fill(kRingFrames);
        lock.lock();
        if (!more)
            return;
        m_wake.wait_for(lock, kFeedInterval, [this] { return m_stopFeeding; });
    }
}

} // namespace orvane
