// Writes a small seed corpus for the fuzz targets: a few valid MIDI, RMID and WAV files of
// the kinds the player meets, into <folder>/midi, <folder>/rmid and <folder>/wav.
#include "platform/audio/audiofixtures.h"

#include <filesystem>
#include <iostream>
#include <sndfile.h>

using namespace orvane::testing;

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " folder\n";
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    for (const char* kind : {"midi", "rmid", "wav"})
        std::filesystem::create_directories(root / kind);

    const Bytes format0 = simpleMidi(1.0);
    TrackBuilder tempoTrack, notes;
    tempoTrack.tempo(0, 500000).tempo(960, 250000).endTrack(480);
    notes.program(0, 0, 1)
        .noteOn(0, 0, 60)
        .noteOff(480, 0, 60)
        .noteOn(0, 0, 64)
        .noteOff(480, 0, 64);
    notes.endTrack(1920);
    const Bytes format1 = smfFile(1, 480, {tempoTrack, notes});
    const Bytes smpte = smfFile(0, smpteDivision(25, 40), {notes});
    const std::pair<const char*, Bytes> midis[] = {
        {"format0.mid", format0}, {"format1.mid", format1}, {"smpte.mid", smpte}};
    for (const auto& [name, bytes] : midis) {
        writeBytes((root / "midi" / name).string(), bytes);
        writeBytes((root / "rmid" / name).string() + ".rmi", rmidFile(bytes));
    }
    writeBytes((root / "rmid" / "plain.rmi").string(), rmidFile(format0, false));

    const std::pair<const char*, int> wavs[] = {{"pcm16.wav", SF_FORMAT_PCM_16},
                                                {"float.wav", SF_FORMAT_FLOAT},
                                                {"ulaw.wav", SF_FORMAT_ULAW},
                                                {"ima.wav", SF_FORMAT_IMA_ADPCM},
                                                {"ms.wav", SF_FORMAT_MS_ADPCM}};
    for (const auto& [name, subtype] : wavs)
        if (writeSineWav((root / "wav" / name).string(), subtype, 8000, 1, 0.05) == 0)
            std::cerr << "could not write " << name << "\n";
    return 0;
}
