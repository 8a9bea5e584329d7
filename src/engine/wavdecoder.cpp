#include "engine/wavdecoder.h"

#include "engine/audiolibraries.h"
#include "engine/outputformat.h"
#include "engine/wavfileinput.h"

#include <SDL.h>
#include <algorithm>
#include <sndfile.h>

namespace orvane {

namespace {

constexpr std::size_t kFrameBytes = sizeof(float) * kOutputChannels;
// SDL's resampler overflows its sizes on absurd ratios; no real WAV lies outside these.
constexpr int kMinSampleRate = 1000;
constexpr int kMaxSampleRate = 768000;

bool isWavContainer(int format)
{
    const int container = format & SF_FORMAT_TYPEMASK;
    return container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX ||
           container == SF_FORMAT_RF64;
}

long long framesToMilliseconds(sf_count_t frames, int rate)
{
    return static_cast<long long>(frames / rate * 1000 + frames % rate * 1000 / rate);
}

} // namespace

std::unique_ptr<WavDecoder> WavDecoder::open(const std::string& path, std::string& error)
{
    std::unique_ptr<WavFileInput> input = WavFileInput::open(path, error);
    if (!input)
        return nullptr;
    if (!sndfileLibrary().load() || !sdlLibrary().load()) {
        error = "libsndfile or SDL2 cannot be loaded";
        return nullptr;
    }
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&WavFileInput::io(), SFM_READ, &info, input.get());
    if (file == nullptr) {
        error = sf_strerror(nullptr);
        return nullptr;
    }
    const auto fail = [&](std::string why) {
        sf_close(file);
        error = std::move(why);
        return nullptr;
    };
    if (!isWavContainer(info.format))
        return fail("not a WAV file");
    if (info.samplerate <= 0 || info.channels <= 0 || info.frames < 0)
        return fail("the WAV file's header is invalid");
    if (info.samplerate < kMinSampleRate || info.samplerate > kMaxSampleRate)
        return fail("unsupported sample rate " + std::to_string(info.samplerate) + " Hz");

    SDL_AudioStream* stream =
        SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(std::min(info.channels, 255)),
                           info.samplerate, AUDIO_F32SYS, kOutputChannels, kOutputRate);
    if (stream == nullptr || info.channels > 255)
        return fail("cannot convert " + std::to_string(info.channels) + " channels at " +
                    std::to_string(info.samplerate) + " Hz: " + SDL_GetError());
    return std::unique_ptr<WavDecoder>(
        new WavDecoder(std::move(input), file, stream, info.samplerate, info.channels,
                       framesToMilliseconds(info.frames, info.samplerate)));
}

WavDecoder::WavDecoder(std::unique_ptr<WavFileInput> input, SNDFILE* file, SDL_AudioStream* stream,
                       int sampleRate, int channels, long long lengthMilliseconds)
    : m_input(std::move(input)), m_file(file), m_stream(stream), m_channels(channels),
      m_lengthMilliseconds(lengthMilliseconds),
      // About 256 output frames per read, whatever the file's rate.
      m_inputFrames(std::clamp<std::size_t>(
          static_cast<std::size_t>(sampleRate) * 256 / kOutputRate, 1, 8192)),
      m_samples(m_inputFrames * static_cast<std::size_t>(channels))
{
}

WavDecoder::~WavDecoder()
{
    SDL_FreeAudioStream(m_stream);
    sf_close(m_file);
}

std::size_t WavDecoder::decode(float* out, std::size_t maxFrames)
{
    std::size_t produced = 0;
    while (produced < maxFrames) {
        const int available = SDL_AudioStreamAvailable(m_stream);
        if (available >= static_cast<int>(kFrameBytes)) {
            const std::size_t wanted =
                std::min(static_cast<std::size_t>(available) / kFrameBytes, maxFrames - produced);
            const int got = SDL_AudioStreamGet(m_stream, out + produced * kOutputChannels,
                                               static_cast<int>(wanted * kFrameBytes));
            if (got <= 0)
                break;
            produced += static_cast<std::size_t>(got) / kFrameBytes;
            continue;
        }
        if (m_inputDone)
            break;
        const sf_count_t read =
            sf_readf_float(m_file, m_samples.data(), static_cast<sf_count_t>(m_inputFrames));
        if (read <= 0) {
            SDL_AudioStreamFlush(m_stream);
            m_inputDone = true;
            continue;
        }
        const auto bytes =
            static_cast<std::size_t>(read) * static_cast<std::size_t>(m_channels) * sizeof(float);
        if (SDL_AudioStreamPut(m_stream, m_samples.data(), static_cast<int>(bytes)) != 0) {
            m_inputDone = true;
            SDL_AudioStreamFlush(m_stream);
        }
    }
    return produced;
}

bool WavDecoder::rewind(std::string& error)
{
    if (sf_seek(m_file, 0, SEEK_SET) != 0) {
        error = sf_strerror(m_file);
        return false;
    }
    SDL_AudioStreamClear(m_stream);
    m_inputDone = false;
    return true;
}

} // namespace orvane
