#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace orvane {

// The Standard MIDI File inside a RIFF 'RMID' container, or why there is none.
struct RmidContents
{
    bool found = false;
    std::string error;
    std::span<const std::uint8_t> smf; // a view into the container's bytes
};

// True when `bytes` start like a RIFF file of any kind.
bool isRiff(std::span<const std::uint8_t> bytes);

// Finds the 'data' chunk of a RIFF 'RMID' file wherever it stands among the other chunks
// (odd-sized chunks are followed by a pad byte); a 'data' chunk cut short by the file's end
// gives what is there. Never reads outside `bytes`.
RmidContents unwrapRmid(std::span<const std::uint8_t> bytes);

} // namespace orvane
