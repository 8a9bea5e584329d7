// Unwraps arbitrary bytes as RIFF MIDI and prepares whatever it finds for playing.
#include "platform/audio/preparedmidi.h"
#include "platform/audio/rmidunwrapper.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const orvane::RmidContents contents = orvane::unwrapRmid(bytes);
    if (contents.found &&
        (contents.smf.data() < data || contents.smf.data() + contents.smf.size() > data + size))
        std::abort();
    const orvane::PreparedMidi prepared = orvane::prepareMidi(bytes);
    if (prepared.valid && prepared.lengthSeconds <= 0)
        std::abort();
    return 0;
}
