// Prepares arbitrary bytes as a .mid or .rmi file, the whole way the player does (unwrap, scan,
// normalise). Whatever is accepted must be a file FluidSynth's own reader loads and plays with
// the events the scan found, and must scan again to the same length.
#include "fluidsynthreader.h"
#include "platform/audio/preparedmidi.h"
#include "platform/audio/rmidunwrapper.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    if (orvane::isRiff(bytes)) {
        const orvane::RmidContents contents = orvane::unwrapRmid(bytes);
        if (contents.found &&
            (contents.smf.data() < data || contents.smf.data() + contents.smf.size() > data + size))
            std::abort();
    }
    const orvane::PreparedMidi prepared = orvane::prepareMidi(bytes);
    if (prepared.valid && !orvane::testing::fluidSynthDisagrees(bytes, prepared).empty())
        std::abort();
    return 0;
}
