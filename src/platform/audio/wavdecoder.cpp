#include "platform/audio/wavdecoder.h"

#include "platform/audio/outputformat.h"
#include "platform/audio/regularfile.h"
#include "platform/audio/wavdatasizefix.h"

#include <SDL.h>
#include <algorithm>
#include <optional>
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

// What libsndfile reads through its virtual I/O: the opened file, with a data size corrected
// where a streaming writer left it at 0.
struct WavDecoder::Input
{
    RegularFile file;
    std::optional<WavDataSizeFix> fix;
    sf_count_t position = 0;

    static Input& of(void* user) { return *static_cast<Input*>(user); }

    static sf_count_t length(void* user) { return static_cast<sf_count_t>(of(user).file.size()); }

    static sf_count_t seek(sf_count_t offset, int whence, void* user)
    {
        Input& input = of(user);
        const sf_count_t base = whence == SEEK_CUR   ? input.position
                                : whence == SEEK_END ? length(user)
                                                     : 0;
        if (offset < -base)
            return -1;
        input.position = base + offset;
        return input.position;
    }

    static sf_count_t read(void* buffer, sf_count_t count, void* user)
    {
        Input& input = of(user);
        if (count <= 0)
            return 0;
        const long long got = input.file.readAt(buffer, static_cast<std::size_t>(count),
                                                static_cast<std::uint64_t>(input.position));
        if (got <= 0)
            return 0;
        if (input.fix)
            input.applyFix(static_cast<std::uint8_t*>(buffer), got);
        input.position += got;
        return got;
    }

    static sf_count_t write(const void*, sf_count_t, void*) { return 0; }
    static sf_count_t tell(void* user) { return of(user).position; }

    void applyFix(std::uint8_t* bytes, long long count) const
    {
        for (std::uint64_t i = 0; i < 4; ++i) {
            const std::uint64_t at = fix->offset + i;
            const auto begin = static_cast<std::uint64_t>(position);
            if (at >= begin && at < begin + static_cast<std::uint64_t>(count))
                bytes[at - begin] = static_cast<std::uint8_t>(fix->size >> (8 * i));
        }
    }
};

std::unique_ptr<WavDecoder> WavDecoder::open(const std::string& path, std::string& error)
{
    auto input = std::make_unique<Input>();
    input->file = RegularFile::open(path, error);
    if (!input->file)
        return nullptr;
    input->fix = findWavDataSizeFix(input->file);

    SF_VIRTUAL_IO io{&Input::length, &Input::seek, &Input::read, &Input::write, &Input::tell};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, input.get());
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

WavDecoder::WavDecoder(std::unique_ptr<Input> input, SNDFILE* file, SDL_AudioStream* stream,
                       int sampleRate, int channels, long long lengthMilliseconds)
    : m_input(std::move(input)), m_file(file), m_stream(stream), m_sampleRate(sampleRate),
      m_channels(channels), m_lengthMilliseconds(lengthMilliseconds),
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
