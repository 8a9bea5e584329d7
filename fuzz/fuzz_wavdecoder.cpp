// Opens arbitrary bytes as a WAV file, the way the player does (a regular file, the data size
// corrected for a streamed one), and decodes it to the output format. scripts/fuzz.sh caps the
// memory it may take.
#include "engine/wavdecoder.h"

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/orvane-fuzz-" + std::to_string(::getpid()) + ".wav";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    std::string error;
    const auto decoder = orvane::WavDecoder::open(path, error);
    if (decoder) {
        std::vector<float> out(2 * 4096);
        // Bounded: a fuzzed header may promise hours of audio.
        for (int i = 0; i < 64 && decoder->decode(out.data(), 4096) > 0; ++i) {
        }
    }
    return 0;
}
