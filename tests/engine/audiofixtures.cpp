#include "audiofixtures.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>
#include <sndfile.h>
#include <string_view>
#include <unistd.h>

namespace orvane::testing {

namespace {

std::uint8_t u8(std::uint32_t value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

// MIDI's numbers are big-endian, RIFF's little-endian.
void appendNumber(Bytes& out, std::uint32_t value, int bytes, bool little = false)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(u8(value >> (8 * (little ? i : bytes - 1 - i))));
}

void appendText(Bytes& out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

void appendChunk(Bytes& out, const char* id, const Bytes& data)
{
    appendText(out, id);
    appendNumber(out, static_cast<std::uint32_t>(data.size()), 4, true);
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 != 0)
        out.push_back(0);
}

} // namespace

void appendVarLen(Bytes& out, std::uint32_t value)
{
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = u8(value & 0x7F);
        value >>= 7;
    } while (value != 0 && count < 4);
    for (int i = count - 1; i >= 0; --i)
        out.push_back(u8(groups[i] | (i > 0 ? 0x80 : 0)));
}

TrackBuilder& TrackBuilder::event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes)
{
    appendVarLen(m_bytes, delta);
    return raw(bytes);
}

TrackBuilder& TrackBuilder::raw(std::initializer_list<std::uint8_t> bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

TrackBuilder& TrackBuilder::tempo(std::uint32_t delta, std::uint32_t microsecondsPerQuarter)
{
    const std::uint32_t us = microsecondsPerQuarter;
    return event(delta, {0xFF, 0x51, 0x03, u8(us >> 16), u8(us >> 8), u8(us)});
}

TrackBuilder& TrackBuilder::noteOn(std::uint32_t delta, int channel, int key, int velocity)
{
    return event(delta, {u8(0x90 | channel), u8(key), u8(velocity)});
}

TrackBuilder& TrackBuilder::noteOff(std::uint32_t delta, int channel, int key)
{
    return event(delta, {u8(0x80 | channel), u8(key), 0x40});
}

TrackBuilder& TrackBuilder::program(std::uint32_t delta, int channel, int program)
{
    return event(delta, {u8(0xC0 | channel), u8(program)});
}

TrackBuilder& TrackBuilder::endTrack(std::uint32_t delta)
{
    return event(delta, {0xFF, 0x2F, 0x00});
}

Bytes smfFile(int format, std::uint16_t division, const std::vector<TrackBuilder>& tracks)
{
    Bytes out;
    appendText(out, "MThd");
    appendNumber(out, 6, 4);
    appendNumber(out, static_cast<std::uint32_t>(format), 2);
    appendNumber(out, static_cast<std::uint32_t>(tracks.size()), 2);
    appendNumber(out, division, 2);
    for (const TrackBuilder& track : tracks) {
        appendText(out, "MTrk");
        appendNumber(out, static_cast<std::uint32_t>(track.bytes().size()), 4);
        out.insert(out.end(), track.bytes().begin(), track.bytes().end());
    }
    return out;
}

std::uint16_t smpteDivision(int framesPerSecond, int ticksPerFrame)
{
    return static_cast<std::uint16_t>(((256 - framesPerSecond) << 8) | ticksPerFrame);
}

Bytes rmidFile(const Bytes& smf, bool chunksAround)
{
    Bytes body;
    appendText(body, "RMID");
    if (chunksAround)
        appendChunk(body, "DISP", Bytes{1, 0, 0, 0, 'x'}); // odd size: a pad byte follows
    appendChunk(body, "data", smf);
    if (chunksAround) {
        Bytes info;
        appendText(info, "INFOINAM");
        appendNumber(info, 5, 4, true);
        appendText(info, std::string_view("Song", 5)); // with its NUL
        appendChunk(body, "LIST", info);
    }
    Bytes out;
    appendText(out, "RIFF");
    appendNumber(out, static_cast<std::uint32_t>(body.size()), 4, true);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes simpleMidi(double seconds)
{
    // 480 ticks per quarter at 120 bpm: 960 ticks a second; one note per eighth.
    const auto ticks = static_cast<std::uint32_t>(std::lround(seconds * 960));
    TrackBuilder track;
    track.program(0, 0, 0);
    std::uint32_t at = 0;
    while (at + 240 <= ticks) {
        track.noteOn(0, 0, 60 + static_cast<int>((at / 240) % 12));
        track.noteOff(240, 0, 60 + static_cast<int>((at / 240) % 12));
        at += 240;
    }
    track.endTrack(ticks - at);
    return smfFile(0, 480, {track});
}

Bytes denseMidi(double seconds)
{
    const int programs[8] = {0, 24, 48, 56, 73, 40, 32, 11};
    std::vector<TrackBuilder> tracks(9);
    tracks[0].tempo(0, 500000).endTrack(static_cast<std::uint32_t>(seconds * 960));
    const int beats = static_cast<int>(seconds * 2);
    for (int channel = 0; channel < 8; ++channel) {
        TrackBuilder& track = tracks[static_cast<std::size_t>(channel) + 1];
        track.program(0, channel, programs[channel]);
        for (int step = 0; step < beats * 2; ++step) {
            const int root = 48 + (step * 5 + channel * 3) % 24;
            for (int voice = 0; voice < 4; ++voice)
                track.noteOn(0, channel, root + voice * 4, 90);
            for (int voice = 0; voice < 4; ++voice)
                track.noteOff(voice == 0 ? 240 : 0, channel, root + voice * 4);
        }
        track.endTrack(0);
    }
    return smfFile(1, 480, tracks);
}

void writeBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Bytes readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

long long writeSineWav(const std::string& path, int subtypeFormat, int sampleRate, int channels,
                       double seconds, double frequency, double amplitude, int container,
                       double phase)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = (container != 0 ? container : SF_FORMAT_WAV) | subtypeFormat;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        return 0;
    const auto frames = static_cast<std::size_t>(std::lround(seconds * sampleRate));
    std::vector<float> samples(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(phase + 2 * std::numbers::pi * frequency *
                                                              static_cast<double>(i) / sampleRate);
        for (int c = 0; c < channels; ++c)
            samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] =
                static_cast<float>(value);
    }
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);

    SF_INFO readBack{};
    SNDFILE* check = sf_open(path.c_str(), SFM_READ, &readBack);
    if (check == nullptr)
        return 0;
    sf_close(check);
    return readBack.frames;
}

void writeTone(const std::string& path, long from, long frames, double amplitude, int channels,
               double phase)
{
    writeSineWav(path, SF_FORMAT_PCM_16, 48000, channels, static_cast<double>(frames) / 48000, 330,
                 amplitude, 0,
                 phase + 2 * std::numbers::pi * 330 * static_cast<double>(from) / 48000);
}

void writeLevel(const std::string& path, double milliseconds, float level)
{
    writeSineWav(path, SF_FORMAT_FLOAT, 48000, 1, milliseconds / 1000, 0, level, 0,
                 std::numbers::pi / 2);
}

StderrCapture::StderrCapture() : m_file(std::tmpfile()), m_saved(::dup(2))
{
    std::fflush(stderr);
    ::dup2(::fileno(m_file), 2);
}

StderrCapture::~StderrCapture()
{
    std::fflush(stderr);
    ::dup2(m_saved, 2);
    ::close(m_saved);
    std::fclose(m_file);
}

std::string StderrCapture::text() const
{
    std::fflush(stderr);
    std::string text(static_cast<std::size_t>(::lseek(::fileno(m_file), 0, SEEK_END)), '\0');
    ::pread(::fileno(m_file), text.data(), text.size(), 0);
    return text;
}

} // namespace orvane::testing
