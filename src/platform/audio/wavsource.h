#pragma once

#include "platform/audio/audiosource.h"
#include "platform/audio/sampleringbuffer.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvane {

class WavDecoder;

// A WAV file for the output: a feeder thread decodes ahead into a ring that the audio thread
// drains, so the callback never reads the file.
class WavSource : public AudioSource
{
public:
    // The source of the WAV file at `path`, its first fraction of a second already decoded;
    // null with `error` set when the file cannot be played.
    static std::unique_ptr<WavSource> open(const std::string& path, std::string& error);
    ~WavSource() override;

    std::size_t render(float* out, std::size_t frames) override;
    bool finished() const override { return m_finished; }
    bool rewind() override;
    long long lengthMilliseconds() const override;

private:
    explicit WavSource(std::unique_ptr<WavDecoder> decoder);

    // Decodes into the ring until it is full or the file ends; false once the file has ended.
    bool fill(std::size_t maxFrames);
    void startFeeding();
    void stopFeeding();
    void feed();

    std::unique_ptr<WavDecoder> m_decoder;
    SampleRingBuffer m_ring;
    std::vector<float> m_chunk;
    std::atomic<bool> m_decodeDone{false};
    bool m_finished = false;

    std::thread m_feeder;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopFeeding = false;
};

} // namespace orvane
