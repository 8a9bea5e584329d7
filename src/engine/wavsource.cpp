#include "engine/wavsource.h"

#include "engine/wavdecoder.h"

namespace orvane {

std::unique_ptr<WavSource> WavSource::open(const std::string& path, std::string& error)
{
    std::unique_ptr<WavDecoder> decoder = WavDecoder::open(path, error);
    if (!decoder)
        return nullptr;
    return std::unique_ptr<WavSource>(new WavSource(path, std::move(decoder)));
}

WavSource::WavSource(std::string path, std::unique_ptr<WavDecoder> decoder)
    : m_path(std::move(path)), m_lengthMilliseconds(decoder->lengthMilliseconds()),
      m_decoder(std::move(decoder))
{
}

WavSource::~WavSource() = default;

bool WavSource::start(std::string& error)
{
    if (m_used && !m_decoder->rewind(error)) {
        // Some codings cannot seek (GSM 6.10): the file is opened again instead.
        std::unique_ptr<WavDecoder> again = WavDecoder::open(m_path, error);
        if (!again) {
            error = "cannot go back to the start of the WAV file: " + error;
            return false;
        }
        m_decoder = std::move(again);
    }
    m_used = false;
    m_finished = false;
    return true;
}

std::size_t WavSource::render(float* out, std::size_t frames)
{
    m_used = true;
    const std::size_t got = m_decoder->decode(out, frames);
    // The decoder fills every frame asked for until the file is used up.
    m_finished = got < frames;
    return got;
}

} // namespace orvane
