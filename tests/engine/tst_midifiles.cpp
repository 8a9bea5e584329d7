// MIDI lengths through the tempo map, RIFF MIDI unwrapping, SMPTE conversion, lenient reading
// and refusal of what holds no MIDI, from files written here: what prepareMidi hands on must be
// what FluidSynth reads.
#include "audiofixtures.h"
#include "engine/midilimits.h"
#include "engine/preparedmidi.h"
#include "engine/rmidunwrapper.h"
#include "engine/smfscanner.h"
#include "fluidsynthreader.h"

#include <QTemporaryDir>
#include <QTest>
#include <random>

using namespace orvane;
using namespace orvane::testing;

Q_DECLARE_METATYPE(orvane::testing::Bytes)

class MidiFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void lengthFollowsTheTempoMapAlsoInsideRmid_data();
    void lengthFollowsTheTempoMapAlsoInsideRmid();
    void smpteBecomesMetricalWithTheSameTiming_data();
    void smpteBecomesMetricalWithTheSameTiming();
    void badMidiIsRefused_data();
    void badMidiIsRefused();
    void everyTruncationPlaysWhatParses();
    void randomBytesNeverReadOutside();

private:
    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    QTemporaryDir m_dir;
};

namespace {

// 480 ticks per quarter note: at the default 120 bpm a quarter lasts 0.5 s.
constexpr std::uint16_t kTpq = 480;

TrackBuilder notes(int quarters, int channel = 0)
{
    TrackBuilder track;
    for (int i = 0; i < quarters; ++i)
        track.noteOn(0, channel, 60 + i % 12).noteOff(kTpq, channel, 60 + i % 12);
    return track;
}

} // namespace

void MidiFilesTest::lengthFollowsTheTempoMapAlsoInsideRmid_data()
{
    QTest::addColumn<Bytes>("file");
    QTest::addColumn<double>("seconds");

    QTest::newRow("format 0, 120 bpm by default")
        << smfFile(0, kTpq, {notes(4).endTrack(0)}) << 2.0;
    QTest::newRow("format 0, tempo change mid-track")
        << smfFile(
               0, kTpq,
               {notes(2).tempo(0, 1000000).noteOn(0, 0, 64).noteOff(2 * kTpq, 0, 64).endTrack(0)})
        << 1.0 + 2.0;
    // Conductor track: 60 bpm from the start, 240 bpm after two quarters.
    QTest::newRow("format 1, tempo changes on another track")
        << smfFile(1, kTpq,
                   {TrackBuilder().tempo(0, 1000000).tempo(2 * kTpq, 250000).endTrack(0),
                    notes(6, 1).endTrack(0)})
        << 2.0 + 4 * 0.25;
    // Two tracks change it in turn: 60 bpm, 240 bpm after two quarters, 120 bpm after four.
    QTest::newRow("format 1, tempo changes on two tracks in turn")
        << smfFile(1, kTpq,
                   {TrackBuilder().tempo(0, 1000000).tempo(4 * kTpq, 500000).endTrack(0),
                    TrackBuilder().tempo(2 * kTpq, 250000).endTrack(0), notes(6, 1).endTrack(0)})
        << 2.0 + 2 * 0.25 + 2 * 0.5;
    QTest::newRow("format 1, tracks ending at different times")
        << smfFile(1, kTpq,
                   {TrackBuilder().tempo(0, 500000).endTrack(0), notes(2, 0).endTrack(0),
                    notes(7, 1).endTrack(0), notes(3, 2).endTrack(0)})
        << 3.5;
    QTest::newRow("format 1, tempo change after the music ends")
        << smfFile(1, kTpq,
                   {TrackBuilder().tempo(10 * kTpq, 1000000).endTrack(0), notes(2).endTrack(0)})
        << 10 * 0.5;
    QTest::newRow("long rest before the end of track")
        << smfFile(0, kTpq, {notes(1).endTrack(9 * kTpq)}) << 5.0;
    QTest::newRow("sysex and unknown chunk between tracks") << [] {
        Bytes file = smfFile(1, kTpq, {TrackBuilder().tempo(0, 250000).endTrack(0)});
        const Bytes junk = {'X', 'F', 'I', 'H', 0, 0, 0, 2, 0xAB, 0xCD};
        file.insert(file.end(), junk.begin(), junk.end());
        TrackBuilder sysex;
        sysex.event(0, {0xF0, 0x03, 0x7E, 0x7F, 0xF7}).noteOn(0, 0, 60).noteOff(4 * kTpq, 0, 60);
        const Bytes second = smfFile(0, kTpq, {sysex.endTrack(0)});
        file.insert(file.end(), second.begin() + 14, second.end());
        file[11] = 2;
        return file;
    }() << 1.0;
    QTest::newRow("track without end-of-track event") << smfFile(0, kTpq, {notes(3)}) << 1.5;
    QTest::newRow("damaged event: the track ends after the last whole one")
        << smfFile(0, kTpq, {notes(2).event(0, {0x90, 60, 0xC0}).noteOff(4 * kTpq, 0, 60)}) << 1.0;
    QTest::newRow("the fastest tempo a file can state, 1 us a quarter")
        << smfFile(0, kTpq, {TrackBuilder().tempo(0, 1).noteOn(0, 0, 60).endTrack(1000 * kTpq)})
        << 0.001;
    TrackBuilder smpte;
    smpte.tempo(0, 2000000).noteOn(0, 0, 60).noteOff(1500, 0, 60).endTrack(1000);
    QTest::newRow("SMPTE 25 fps, 40 ticks per frame, tempo ignored")
        << smfFile(0, smpteDivision(25, 40), {smpte}) << 2.5;
    QTest::newRow("SMPTE 29.97 fps drop-frame")
        << smfFile(0, smpteDivision(29, 100), {TrackBuilder().noteOn(0, 0, 60).endTrack(30000)})
        << 30000 / (100 * 30000.0 / 1001.0);
    // Read as the MIDI file format says readers must: skip unknown chunks, honour the header's
    // length; and what FluidSynth would refuse the whole file for is passed over.
    const Bytes plain = smfFile(0, kTpq, {notes(2).endTrack(0)});
    QTest::newRow("MThd of 10 bytes, unknown chunk before the track") << [&] {
        Bytes file = plain;
        file[7] = 10;
        file.insert(file.begin() + 14,
                    {0xAA, 0xBB, 0xCC, 0xDD, 'X', 'Y', 'Z', 'w', 0, 0, 0, 3, 1, 2, 3});
        return file;
    }() << 1.0;
    QTest::newRow("only an end of track") << smfFile(0, kTpq, {TrackBuilder().endTrack(0)}) << 0.0;
    TrackBuilder passedOver;
    passedOver.event(0, {0xF7, 0x02, 0x43, 0x12}).noteOn(0, 0, 60);
    passedOver.event(kTpq, {0xFF, 0x51, 0x02, 0x07, 0xA1}).tempo(0, 0).noteOff(kTpq, 0, 60);
    QTest::newRow("escape, short tempo and zero tempo passed over")
        << smfFile(0, kTpq, {passedOver.endTrack(0)}) << 1.0;
    TrackBuilder running;
    running.event(0, {0x90, 60, 100}).event(0, {0xFF, 0x01, 0x01, 'x'}).event(kTpq, {62, 100});
    running.event(kTpq, {60, 0}).event(kTpq, {62, 0}).endTrack(0);
    QTest::newRow("running status, also across a meta event") << smfFile(0, kTpq, {running}) << 1.5;
    // Events after one passed over are written anew, not copied; FluidSynth keeps the status of
    // every event it reads, meta events included, for the next to run on.
    const std::initializer_list<std::uint8_t> escape = {0xF7, 0x01, 0x00};
    TrackBuilder writtenFirst;
    writtenFirst.event(3, escape).program(5, 0, 1).noteOn(5, 0, 60);
    writtenFirst.event(3, escape).program(5, 0, 2).noteOff(kTpq, 0, 60).endTrack(0);
    QTest::newRow("status written, copied, written again")
        << smfFile(0, kTpq, {writtenFirst}) << (16 + 5 + kTpq) / 960.0;
    TrackBuilder copiedFirst;
    copiedFirst.noteOn(0, 0, 60).event(3, escape).program(5, 0, 1);
    copiedFirst.event(3, escape).noteOn(5, 0, 62).noteOff(kTpq, 0, 60).endTrack(0);
    QTest::newRow("status copied, written, written again")
        << smfFile(0, kTpq, {copiedFirst}) << (16 + kTpq) / 960.0;
    TrackBuilder longDelta; // too long for one event: a meta event carries some of it
    longDelta.tempo(0, 1).noteOn(0, 0, 60).event(0x0FFFFFFF, escape);
    longDelta.noteOn(10, 0, 62).noteOff(kTpq, 0, 60).endTrack(0);
    QTest::newRow("a delta time too long for one event")
        << smfFile(0, kTpq, {longDelta}) << (0x0FFFFFFF + 10 + kTpq) / (kTpq * 1e6);
}

void MidiFilesTest::lengthFollowsTheTempoMapAlsoInsideRmid()
{
    QFETCH(Bytes, file);
    QFETCH(double, seconds);
    const SmfSummary summary = scanSmf(file);
    QVERIFY2(summary.valid, summary.error.c_str());
    QCOMPARE_LE(std::abs(summary.lengthSeconds - seconds), 1e-6);

    // The file as it is, and wrapped as RIFF MIDI without and with chunks around 'data'.
    for (const Bytes& wrapped : {file, rmidFile(file, false), rmidFile(file)}) {
        const PreparedMidi prepared = prepareMidi(wrapped);
        QVERIFY2(prepared.valid, prepared.error.c_str());
        QCOMPARE_LE(std::abs(prepared.lengthSeconds - seconds), 1e-6);
        QCOMPARE(fluidSynthDisagrees(wrapped, prepared), std::string());
    }
    const Bytes wrapped = rmidFile(file); // the unwrapped span points into it
    const RmidContents contents = unwrapRmid(wrapped);
    QVERIFY2(contents.found, contents.error.c_str());
    QVERIFY(std::equal(contents.smf.begin(), contents.smf.end(), file.begin(), file.end()));
}

void MidiFilesTest::smpteBecomesMetricalWithTheSameTiming_data()
{
    QTest::addColumn<Bytes>("file");
    for (const int fps : {24, 25, 29, 30}) {
        for (const int ticksPerFrame : {1, 4, 80, 255}) {
            // Two tracks, tempo events that must lose their effect, notes on both.
            const Bytes file = smfFile(
                1, smpteDivision(fps, ticksPerFrame),
                {TrackBuilder().tempo(0, 300000).tempo(100, 1500000).endTrack(50),
                 TrackBuilder().noteOn(0, 0, 60).noteOff(fps * ticksPerFrame, 0, 60).endTrack(7)});
            QTest::addRow("%d fps, %d ticks per frame", fps, ticksPerFrame) << file;
        }
    }
}

void MidiFilesTest::smpteBecomesMetricalWithTheSameTiming()
{
    QFETCH(Bytes, file);
    const SmfSummary original = scanSmf(file);
    QVERIFY(original.valid && original.smpte);

    const PreparedMidi prepared = prepareMidi(file);
    QVERIFY(prepared.valid);
    QCOMPARE(fluidSynthDisagrees(file, prepared), std::string());
    const SmfSummary metrical = scanSmf(prepared.smf);
    QCOMPARE(metrical.trackCount, original.trackCount);
    QCOMPARE(metrical.endTick, original.endTick);
    QCOMPARE_LE(std::abs(metrical.lengthSeconds - original.lengthSeconds), 1e-9);
}

void MidiFilesTest::badMidiIsRefused_data()
{
    QTest::addColumn<Bytes>("file");
    const Bytes good = smfFile(0, kTpq, {notes(2).endTrack(0)});
    const auto changed = [&](std::size_t at, std::uint8_t value) {
        Bytes f = good;
        f[at] = value;
        return f;
    };

    QTest::newRow("zero bytes") << Bytes{};
    QTest::newRow("WAV bytes") << Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
    QTest::newRow("RMID without data chunk") << Bytes{'R', 'I', 'F', 'F', 12,  0,   0, 0, 'R', 'M',
                                                      'I', 'D', 'L', 'I', 'S', 'T', 0, 0, 0,   0};
    QTest::newRow("RMID holding garbage") << rmidFile(Bytes(64, 0x42));
    QTest::newRow("format 3") << changed(9, 3);
    QTest::newRow("no tracks") << smfFile(0, kTpq, {});
    QTest::newRow("division zero") << smfFile(0, 0, {notes(2).endTrack(0)});
    QTest::newRow("bad SMPTE rate") << smfFile(0, smpteDivision(23, 10), {notes(2).endTrack(0)});
    QTest::newRow("header length 5") << changed(7, 5);
    QTest::newRow("no readable event")
        << smfFile(0, kTpq, {TrackBuilder().event(0, {60, 100}).endTrack(0)});
    QTest::newRow("129 tracks") << smfFile(1, kTpq,
                                           std::vector<TrackBuilder>(129, notes(1).endTrack(0)));
    QTest::newRow("more events than the cap") << [] {
        TrackBuilder track;
        track.program(0, 0, 0);
        for (std::size_t i = 0; i < kMaxMidiEvents; ++i)
            track.raw({0, 1}); // program changes in running status
        return smfFile(0, kTpq, {track.endTrack(0)});
    }();
}

void MidiFilesTest::badMidiIsRefused()
{
    QFETCH(Bytes, file);
    const PreparedMidi prepared = prepareMidi(file);
    QVERIFY(!prepared.valid);
    QVERIFY(!prepared.error.empty());
}

void MidiFilesTest::everyTruncationPlaysWhatParses()
{
    const Bytes file =
        smfFile(1, kTpq, {TrackBuilder().tempo(0, 600000).endTrack(0), notes(3).endTrack(kTpq)});
    const Bytes rmid = rmidFile(file);
    const double whole = prepareMidi(file).lengthSeconds;
    QCOMPARE_LE(std::abs(whole - 4 * 0.6), 1e-9);
    for (const Bytes* full : {&file, &rmid}) {
        // The first whole event lies 14 + 8 + 7 bytes into the MIDI file.
        const std::size_t firstEvent = (full == &file ? 0 : 12 + 14 + 8) + 14 + 8 + 7;
        double previous = 0;
        for (std::size_t size = 0; size <= full->size(); ++size) {
            const Bytes cut(full->begin(), full->begin() + static_cast<std::ptrdiff_t>(size));
            const PreparedMidi prepared = prepareMidi(cut);
            QVERIFY2(prepared.valid == (size >= firstEvent),
                     qPrintable(QString("cut at %1").arg(size)));
            if (!prepared.valid)
                continue;
            QCOMPARE(fluidSynthDisagrees(cut, prepared), std::string());
            QCOMPARE_GE(prepared.lengthSeconds, previous); // the more there is, the longer
            previous = prepared.lengthSeconds;
        }
        QCOMPARE(previous, whole);
    }
}

void MidiFilesTest::randomBytesNeverReadOutside()
{
    // The fuzz targets go much further; this keeps a quick guard in every test run.
    std::mt19937 random(1234);
    const Bytes seed =
        smfFile(1, kTpq, {TrackBuilder().tempo(0, 600000).endTrack(0), notes(3).endTrack(0)});
    for (int round = 0; round < 20000; ++round) {
        Bytes file = round % 2 == 0 ? seed : rmidFile(seed);
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i)
            file[random() % file.size()] = static_cast<std::uint8_t>(random());
        const PreparedMidi prepared = prepareMidi(file);
        if (prepared.valid && round % 8 == 0)
            QCOMPARE(fluidSynthDisagrees(file, prepared), std::string());
    }
}

QTEST_GUILESS_MAIN(MidiFilesTest)
#include "tst_midifiles.moc"
