#include "engine/rmidunwrapper.h"

#include "engine/byteorder.h"

#include <algorithm>

namespace orvane {

namespace {

bool hasId(std::span<const std::uint8_t> bytes, std::size_t at, const char* id)
{
    return std::equal(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      bytes.begin() + static_cast<std::ptrdiff_t>(at + 4), id);
}

RmidContents failure(std::string why)
{
    RmidContents contents;
    contents.error = std::move(why);
    return contents;
}

} // namespace

bool isRiff(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 4 && hasId(bytes, 0, "RIFF");
}

RmidContents unwrapRmid(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 12 || !hasId(bytes, 0, "RIFF"))
        return failure("not a RIFF file");
    if (!hasId(bytes, 8, "RMID"))
        return failure("a RIFF file, but not RIFF MIDI ('RMID')");

    // Writers often get the RIFF size wrong; the file's own end is the firmer bound.
    const std::size_t riffEnd =
        std::min<std::size_t>(bytes.size(), std::size_t{8} + readLittleEndian32(bytes, 4));
    std::size_t pos = 12;
    while (riffEnd >= 8 && pos <= riffEnd - 8) {
        const std::uint32_t size = readLittleEndian32(bytes, pos + 4);
        const std::size_t dataBegin = pos + 8;
        if (hasId(bytes, pos, "data")) {
            // A file cut short keeps what it holds: the MIDI reader plays what parses.
            RmidContents contents;
            contents.found = true;
            contents.smf =
                bytes.subspan(dataBegin, std::min<std::size_t>(size, bytes.size() - dataBegin));
            return contents;
        }
        const std::size_t padded = std::size_t{size} + (size & 1u);
        if (padded > riffEnd - dataBegin)
            break;
        pos = dataBegin + padded;
    }
    return failure("the RMID file has no 'data' chunk");
}

} // namespace orvane
