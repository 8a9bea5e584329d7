#include "engine/wavdatasizefix.h"

#include "engine/byteorder.h"
#include "engine/regularfile.h"

#include <algorithm>
#include <array>

namespace orvane {

namespace {

constexpr int kMaxChunksBeforeData = 64;

using ChunkHeader = std::array<std::uint8_t, 8>;

bool readHeader(const RegularFile& file, std::uint64_t at, ChunkHeader& header)
{
    return file.readAt(header.data(), header.size(), at) == static_cast<long long>(header.size());
}

bool hasId(const ChunkHeader& header, const char* id)
{
    return std::equal(header.begin(), header.begin() + 4, id);
}

// A chunk header at `at` whose chunk fits in the file: an id of four printable characters.
bool isChunkAt(const RegularFile& file, std::uint64_t at)
{
    ChunkHeader header;
    if (!readHeader(file, at, header))
        return false;
    const bool printable = std::all_of(header.begin(), header.begin() + 4,
                                       [](std::uint8_t c) { return c >= 0x20 && c < 0x7F; });
    return printable && readLittleEndian32(header, 4) <= file.size() - at - 8;
}

} // namespace

std::optional<WavDataSizeFix> findWavDataSizeFix(const RegularFile& file)
{
    std::array<std::uint8_t, 12> riff{};
    if (file.readAt(riff.data(), riff.size(), 0) != static_cast<long long>(riff.size()) ||
        !std::equal(riff.begin(), riff.begin() + 4, "RIFF") ||
        !std::equal(riff.begin() + 8, riff.end(), "WAVE"))
        return std::nullopt;

    std::uint64_t pos = riff.size();
    for (int chunk = 0; chunk < kMaxChunksBeforeData; ++chunk) {
        ChunkHeader header;
        if (!readHeader(file, pos, header))
            return std::nullopt;
        const std::uint32_t size = readLittleEndian32(header, 4);
        const std::uint64_t audio = pos + 8;
        if (hasId(header, "data")) {
            if (size != 0 || audio >= file.size() || isChunkAt(file, audio))
                return std::nullopt;
            const std::uint64_t rest = file.size() - audio;
            return WavDataSizeFix{
                pos + 4, static_cast<std::uint32_t>(std::min<std::uint64_t>(rest, 0xFFFFFFFF))};
        }
        pos = audio + size + (size & 1u);
    }
    return std::nullopt;
}

} // namespace orvane
