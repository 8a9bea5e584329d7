#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct sf_private_tag;
struct _SDL_AudioStream;

namespace orvane {

class WavFileInput;

// Decodes a WAV file with libsndfile and converts it with SDL's audio stream to float stereo
// at the output rate.
class WavDecoder
{
public:
    // The decoder of the WAV file at `path`, opened without waiting (see RegularFile); null,
    // with `error` set, when it is not a regular file, libsndfile cannot read it or it is not a
    // WAV. A file cut short decodes what it holds, and its length says so; a WAV of no samples
    // has length 0.
    static std::unique_ptr<WavDecoder> open(const std::string& path, std::string& error);
    ~WavDecoder();
    WavDecoder(const WavDecoder&) = delete;
    WavDecoder& operator=(const WavDecoder&) = delete;

    // Writes up to `maxFrames` converted frames to `out`; 0 once the file is used up.
    std::size_t decode(float* out, std::size_t maxFrames);
    // Goes back to the first frame.
    bool rewind(std::string& error);
    // frames / sample rate, in whole milliseconds.
    long long lengthMilliseconds() const { return m_lengthMilliseconds; }

private:
    WavDecoder(std::unique_ptr<WavFileInput> input, sf_private_tag* file, _SDL_AudioStream* stream,
               int sampleRate, int channels, long long lengthMilliseconds);

    std::unique_ptr<WavFileInput> m_input; // libsndfile reads through it: it outlives m_file
    sf_private_tag* m_file;
    _SDL_AudioStream* m_stream;
    int m_channels;
    long long m_lengthMilliseconds;
    std::size_t m_inputFrames;
    std::vector<float> m_samples;
    bool m_inputDone = false;
};

} // namespace orvane
