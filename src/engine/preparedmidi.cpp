#include "engine/preparedmidi.h"

#include "engine/midilimits.h"
#include "engine/midinormaliser.h"
#include "engine/rmidunwrapper.h"
#include "engine/smfscanner.h"

namespace orvane {

PreparedMidi prepareMidi(std::span<const std::uint8_t> fileBytes)
{
    PreparedMidi prepared;
    if (fileBytes.size() > kMaxMidiFileBytes) {
        prepared.error = "too large (" + std::to_string(fileBytes.size()) + " bytes)";
        return prepared;
    }
    std::span<const std::uint8_t> smf = fileBytes;
    if (isRiff(fileBytes)) {
        const RmidContents contents = unwrapRmid(fileBytes);
        if (!contents.found) {
            prepared.error = contents.error;
            return prepared;
        }
        smf = contents.smf;
    }
    MidiNormaliser normaliser(smf.size());
    const SmfSummary summary = scanSmf(smf, &normaliser);
    if (!summary.valid) {
        prepared.error = summary.error;
        return prepared;
    }
    prepared.smf = normaliser.finish(summary);
    prepared.lengthSeconds = summary.lengthSeconds;
    prepared.valid = true;
    return prepared;
}

} // namespace orvane
