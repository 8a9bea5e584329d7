#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvane {

// Reads `count` (1 to 4) bytes at `at` as a big-endian number, as MIDI files store them. The
// caller makes sure they lie inside `bytes`.
inline std::uint32_t readBigEndian(std::span<const std::uint8_t> bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

// Appends the low `count` (1 to 4) bytes of `value`, most significant first.
inline void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int count)
{
    for (int i = count - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Overwrites four bytes at `at` with `value`, most significant first.
inline void writeBigEndian32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

// Reads four bytes at `at` as a little-endian number, as RIFF files store them.
inline std::uint32_t readLittleEndian32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8) |
           (std::uint32_t{bytes[at + 2]} << 16) | (std::uint32_t{bytes[at + 3]} << 24);
}

} // namespace orvane
