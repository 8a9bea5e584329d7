// Prepares arbitrary bytes as a .mid or .rmi file, the whole way the player does (unwrap, scan,
// normalise). Whatever is accepted must be a file FluidSynth's own reader loads and plays with
// the events the scan found, and must scan again to the same length.
#include "fluidsynthreader.h"
#include "platform/audio/preparedmidi.h"
#include "platform/audio/rmidunwrapper.h"
#include "platform/audio/smfscanner.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    std::span<const std::uint8_t> smf = bytes;
    if (orvane::isRiff(bytes)) {
        const orvane::RmidContents contents = orvane::unwrapRmid(bytes);
        if (contents.found &&
            (contents.smf.data() < data || contents.smf.data() + contents.smf.size() > data + size))
            std::abort();
        smf = contents.smf;
    }
    const orvane::PreparedMidi prepared = orvane::prepareMidi(bytes);
    if (!prepared.valid)
        return 0;
    const orvane::SmfSummary again = orvane::scanSmf(prepared.smf);
    if (!again.valid || again.smpte || !(prepared.lengthSeconds >= 0) ||
        std::abs(again.lengthSeconds - prepared.lengthSeconds) >
            1e-9 * (1 + prepared.lengthSeconds))
        std::abort();
    const orvane::testing::FluidSynthReading reading =
        orvane::testing::readWithFluidSynth(prepared.smf);
    if (!reading.loads ||
        (reading.events && *reading.events != orvane::testing::eventsScanned(smf)))
        std::abort();
    return 0;
}
