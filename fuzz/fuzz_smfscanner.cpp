// Scans arbitrary bytes as a Standard MIDI File; a file it accepts with SMPTE timing is
// converted, and the conversion must scan again to the same length.
#include "platform/audio/smfscanner.h"
#include "platform/audio/smpteconverter.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const orvane::SmfSummary summary = orvane::scanSmf(bytes);
    if (!summary.valid || !summary.smpte)
        return 0;
    const std::vector<std::uint8_t> converted = orvane::convertSmpteToMetrical(bytes, summary);
    const orvane::SmfSummary again = orvane::scanSmf(converted);
    if (!again.valid || again.smpte || again.endTick != summary.endTick)
        std::abort();
    if (std::abs(again.lengthSeconds - summary.lengthSeconds) > 1e-6 * (1 + summary.lengthSeconds))
        std::abort();
    return 0;
}
