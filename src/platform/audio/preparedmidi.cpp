#include "platform/audio/preparedmidi.h"

#include "platform/audio/rmidunwrapper.h"
#include "platform/audio/smfscanner.h"
#include "platform/audio/smpteconverter.h"

namespace orvane {

PreparedMidi prepareMidi(std::span<const std::uint8_t> fileBytes)
{
    PreparedMidi prepared;
    std::span<const std::uint8_t> smf = fileBytes;
    if (isRiff(fileBytes)) {
        const RmidContents contents = unwrapRmid(fileBytes);
        if (!contents.found) {
            prepared.error = contents.error;
            return prepared;
        }
        smf = contents.smf;
    }
    const SmfSummary summary = scanSmf(smf);
    if (!summary.valid) {
        prepared.error = summary.error;
        return prepared;
    }
    if (summary.lengthSeconds <= 0.0) {
        prepared.error = "the MIDI file lasts no time at all";
        return prepared;
    }
    prepared.lengthSeconds = summary.lengthSeconds;
    if (summary.smpte)
        prepared.smf = convertSmpteToMetrical(smf, summary);
    else
        prepared.smf.assign(smf.begin(), smf.end());
    prepared.valid = true;
    return prepared;
}

} // namespace orvane
