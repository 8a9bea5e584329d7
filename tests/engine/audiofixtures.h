#pragma once

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace orvane::testing {

using Bytes = std::vector<std::uint8_t>;

// Builds one MIDI track from events with delta times; endTrack() appends the end of track.
class TrackBuilder
{
public:
    TrackBuilder& event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes);
    TrackBuilder& raw(std::initializer_list<std::uint8_t> bytes);
    TrackBuilder& tempo(std::uint32_t delta, std::uint32_t microsecondsPerQuarter);
    TrackBuilder& noteOn(std::uint32_t delta, int channel, int key, int velocity = 100);
    TrackBuilder& noteOff(std::uint32_t delta, int channel, int key);
    TrackBuilder& program(std::uint32_t delta, int channel, int program);
    TrackBuilder& endTrack(std::uint32_t delta);
    const Bytes& bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
};

void appendVarLen(Bytes& out, std::uint32_t value);

// A Standard MIDI File: `division` as written in the header (0x8000 set for SMPTE).
Bytes smfFile(int format, std::uint16_t division, const std::vector<TrackBuilder>& tracks);
// A SMPTE division word: -fps in the high byte, ticks per frame in the low one.
std::uint16_t smpteDivision(int framesPerSecond, int ticksPerFrame);
// `smf` wrapped as RIFF 'RMID', with an odd-sized chunk before 'data' and a LIST after it.
Bytes rmidFile(const Bytes& smf, bool chunksAround = true);

// A single-track file of `seconds` of notes at 120 bpm and 480 ticks per quarter note.
Bytes simpleMidi(double seconds);

// Eight instruments, four-note chords every eighth note at 120 bpm: 64 notes per beat.
Bytes denseMidi(double seconds);

void writeBytes(const std::string& path, const Bytes& bytes);
Bytes readBytes(const std::string& path);

// Writes a WAV of a sine at `amplitude` (the same in every channel) starting at `phase` with
// libsndfile; returns the frame count libsndfile reports when reading it back (0 if it could not
// be written).
long long writeSineWav(const std::string& path, int subtypeFormat, int sampleRate, int channels,
                       double seconds, double frequency = 440.0, double amplitude = 0.5,
                       int container = 0, double phase = 0);

// A 330 Hz tone at 48 kHz from frame `from` of an endless one (sine at phase 0), so that two
// such files in a row are one unbroken tone.
void writeTone(const std::string& path, long from, long frames, double amplitude = 0.4,
               int channels = 1, double phase = 0);

// A 48 kHz float mono WAV of `milliseconds` that holds `level` throughout: it comes out of the
// engine unchanged, so that what is heard tells the files apart.
void writeLevel(const std::string& path, double milliseconds, float level);

// Collects what this process writes to stderr while it lives.
class StderrCapture
{
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;
    // Everything written so far.
    std::string text() const;

private:
    std::FILE* m_file;
    int m_saved;
};

} // namespace orvane::testing
