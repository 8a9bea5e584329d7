// Prepares arbitrary bytes as a .mid or .rmi file, the whole way the player does (unwrap, scan,
// normalise). Whatever is accepted must be a file FluidSynth's own reader loads and plays with
// the events the scan found, and must scan again to the same length.
#include "engine/preparedmidi.h"
#include "engine/rmidunwrapper.h"
#include "fluidsynthreader.h"

#include <cstdio>
#include <cstdlib>
#include <string>

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
    if (prepared.valid) {
        if (const std::string why = orvane::testing::fluidSynthDisagrees(bytes, prepared);
            !why.empty()) {
            std::fprintf(stderr, "%s\n", why.c_str());
            std::abort();
        }
    }
    return 0;
}
