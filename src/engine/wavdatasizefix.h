#pragma once

#include <cstdint>
#include <optional>

namespace orvane {

class RegularFile;

// Where a WAV file's data chunk size must read otherwise for libsndfile to find the audio.
struct WavDataSizeFix
{
    std::uint64_t offset; // of the chunk's four-byte little-endian size field
    std::uint32_t size;
};

// A streaming writer that is never told the length leaves the data chunk's size at 0 with the
// audio after it, up to the end of the file; libsndfile then reads no frame at all. Finds such
// a chunk: a size of 0 followed by bytes that are not a further chunk. Nothing for every other
// file, a WAV of no samples included (libsndfile already reads sizes of 0xFFFFFFFF, a wrong
// RIFF size and files cut short).
std::optional<WavDataSizeFix> findWavDataSizeFix(const RegularFile& file);

} // namespace orvane
