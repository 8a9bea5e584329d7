#include "platform/audio/smpteconverter.h"

#include <array>

namespace orvane {

namespace {

constexpr std::uint8_t kSequencerSpecific = 0x7F;

void putBigEndian32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

std::uint32_t bigEndian32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

} // namespace

std::vector<std::uint8_t> convertSmpteToMetrical(std::span<const std::uint8_t> bytes,
                                                 const SmfSummary& summary)
{
    const bool dropFrame = summary.smpteFramesPerSecond == 29;
    const auto framesPerSecond =
        static_cast<std::uint32_t>(dropFrame ? 30 : summary.smpteFramesPerSecond);
    const auto division = framesPerSecond * static_cast<std::uint32_t>(summary.smpteTicksPerFrame);
    const std::uint32_t tempo = dropFrame ? 1001000 : 1000000; // microseconds per quarter note

    std::vector<std::uint8_t> out(bytes.begin(), bytes.end());
    out[12] = static_cast<std::uint8_t>(division >> 8);
    out[13] = static_cast<std::uint8_t>(division & 0xFF);
    for (const std::size_t offset : summary.tempoTypeOffsets)
        out[offset] = kSequencerSpecific;

    const std::array<std::uint8_t, 7> tempoEvent = {0x00,
                                                    0xFF,
                                                    0x51,
                                                    0x03,
                                                    static_cast<std::uint8_t>(tempo >> 16),
                                                    static_cast<std::uint8_t>((tempo >> 8) & 0xFF),
                                                    static_cast<std::uint8_t>(tempo & 0xFF)};
    const std::size_t track = summary.firstTrackOffset;
    putBigEndian32(out, track + 4, bigEndian32(bytes, track + 4) + tempoEvent.size());
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(track + 8), tempoEvent.begin(),
               tempoEvent.end());
    return out;
}

} // namespace orvane
