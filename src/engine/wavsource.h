#pragma once

#include "engine/audiosource.h"

#include <memory>
#include <string>

namespace orvane {

class WavDecoder;

// A WAV file for the output, decoded and converted as the render worker asks for it.
class WavSource : public AudioSource
{
public:
    // The source of the WAV file at `path` (its header read); null with `error` set when the
    // file cannot be played.
    static std::unique_ptr<WavSource> open(const std::string& path, std::string& error);
    ~WavSource() override;

    bool start(std::string& error) override;
    std::size_t render(float* out, std::size_t frames) override;
    bool finished() const override { return m_finished; }
    long long lengthMilliseconds() const override { return m_lengthMilliseconds; }

private:
    WavSource(std::string path, std::unique_ptr<WavDecoder> decoder);

    const std::string m_path;
    const long long m_lengthMilliseconds; // read by any thread: the worker may replace m_decoder
    std::unique_ptr<WavDecoder> m_decoder;
    bool m_used = false; // rendered since opened or started
    bool m_finished = false;
};

} // namespace orvane
