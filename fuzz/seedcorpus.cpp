// Writes a small seed corpus for the fuzz targets: a few MIDI, RMID and WAV files of the kinds
// the player meets, odd ones included, into <folder>/midi, <folder>/rmid and <folder>/wav.
#include "engine/audiofixtures.h"

#include <algorithm>
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
    // What is read leniently: a long MThd and an unknown chunk, events FluidSynth cannot take,
    // a file cut short, and one that holds only an end of track.
    Bytes lenient = format1;
    lenient[7] = 10;
    lenient.insert(lenient.begin() + 14, {0, 0, 0, 0, 'X', 'Y', 'Z', 'W', 0, 0, 0, 1, 0x7F});
    TrackBuilder odd;
    odd.event(0, {0xF7, 0x01, 0x43}).event(0, {0xFF, 0x51, 0x02, 1, 2}).tempo(10, 0);
    odd.event(0, {0x90, 60, 100}).event(0, {0xFF, 0x01, 0x01, 'x'}).event(96, {60, 0});
    const Bytes cut(format1.begin(), format1.end() - 5);
    const std::pair<const char*, Bytes> midis[] = {
        {"format0.mid", format0},
        {"format1.mid", format1},
        {"smpte.mid", smpte},
        {"lenient.mid", lenient},
        {"odd.mid", smfFile(0, 96, {odd})},
        {"cut.mid", cut},
        {"empty.mid", smfFile(0, 96, {TrackBuilder().endTrack(0)})}};
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
    // As a streaming writer leaves it (RIFF and data sizes 0), and cut short.
    Bytes stream = readBytes((root / "wav" / "pcm16.wav").string());
    std::fill(stream.begin() + 4, stream.begin() + 8, 0);
    std::fill(stream.begin() + 40, stream.begin() + 44, 0);
    writeBytes((root / "wav" / "stream.wav").string(), stream);
    stream.resize(stream.size() / 2);
    writeBytes((root / "wav" / "cut.wav").string(), stream);
    return 0;
}
