// Every WAV variant libsndfile reads: its length, and what comes out of the conversion to the
// output format; and WAVs that must be refused.
#include "audiofixtures.h"
#include "platform/audio/outputformat.h"
#include "platform/audio/wavsource.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <sndfile.h>

using namespace orvane;
using namespace orvane::testing;

class WavSourceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void decodesEveryFormat_data();
    void decodesEveryFormat();
    void rewindPlaysTheSameAgain();
    void badWavIsRefused_data();
    void badWavIsRefused();

private:
    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }
    QTemporaryDir m_dir;
};

namespace {

struct Decoded
{
    std::vector<float> left;
    std::vector<float> right;
};

// Renders the whole source as the render worker would.
Decoded renderAll(WavSource& source)
{
    Decoded decoded;
    std::vector<float> buffer(512 * kOutputChannels);
    while (!source.finished()) {
        const std::size_t frames = source.render(buffer.data(), 512);
        for (std::size_t i = 0; i < frames; ++i) {
            decoded.left.push_back(buffer[2 * i]);
            decoded.right.push_back(buffer[2 * i + 1]);
        }
    }
    return decoded;
}

double rms(const std::vector<float>& samples, std::size_t skip)
{
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t i = skip; i + skip < samples.size(); ++i, ++count)
        sum += double{samples[i]} * samples[i];
    return count == 0 ? 0 : std::sqrt(sum / static_cast<double>(count));
}

// Times upward swings through a band around zero, so that coding noise near zero (ADPCM)
// does not count as extra cycles, and block padding at the end does not count as time.
double frequency(const std::vector<float>& samples)
{
    int cycles = 0;
    std::size_t first = 0;
    std::size_t last = 0;
    bool low = false;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] < -0.1f) {
            low = true;
        } else if (samples[i] > 0.1f && low) {
            low = false;
            if (cycles++ == 0)
                first = i;
            last = i;
        }
    }
    return cycles < 2 ? 0 : (cycles - 1) / (static_cast<double>(last - first) / kOutputRate);
}

} // namespace

void WavSourceTest::decodesEveryFormat_data()
{
    QTest::addColumn<int>("container");
    QTest::addColumn<int>("subtype");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<bool>("lossy");

    struct Format
    {
        const char* name;
        int subtype;
        bool lossy;
        bool monoOnly;
    };
    const Format formats[] = {
        {"8-bit", SF_FORMAT_PCM_U8, true, false},
        {"16-bit", SF_FORMAT_PCM_16, false, false},
        {"24-bit", SF_FORMAT_PCM_24, false, false},
        {"32-bit", SF_FORMAT_PCM_32, false, false},
        {"float", SF_FORMAT_FLOAT, false, false},
        {"double", SF_FORMAT_DOUBLE, false, false},
        {"mu-law", SF_FORMAT_ULAW, true, false},
        {"A-law", SF_FORMAT_ALAW, true, false},
        {"IMA ADPCM", SF_FORMAT_IMA_ADPCM, true, false},
        {"MS ADPCM", SF_FORMAT_MS_ADPCM, true, false},
        {"GSM 6.10", SF_FORMAT_GSM610, true, true},
    };
    const int rates[] = {8000, 22050, 44100, 48000, 96000};
    for (const Format& format : formats) {
        for (const int rate : rates) {
            for (const int channels : {1, 2}) {
                if (format.monoOnly && (channels != 1 || rate != 8000))
                    continue;
                QTest::addRow("%s %d Hz %d ch", format.name, rate, channels)
                    << 0 << format.subtype << rate << channels << format.lossy;
            }
        }
    }
    const int extensible = SF_FORMAT_WAVEX;
    QTest::newRow("extensible 16-bit 6 ch")
        << extensible << int{SF_FORMAT_PCM_16} << 48000 << 6 << false;
    QTest::newRow("extensible float 6 ch")
        << extensible << int{SF_FORMAT_FLOAT} << 44100 << 6 << false;
    QTest::newRow("extensible 24-bit stereo")
        << extensible << int{SF_FORMAT_PCM_24} << 44100 << 2 << false;
    QTest::newRow("384 kHz") << 0 << int{SF_FORMAT_PCM_24} << 384000 << 2 << false;
    QTest::newRow("11025 Hz 4 ch") << 0 << int{SF_FORMAT_PCM_16} << 11025 << 4 << false;
}

void WavSourceTest::decodesEveryFormat()
{
    QFETCH(int, container);
    QFETCH(int, subtype);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(bool, lossy);
    const double seconds = 0.4;
    const std::string file = path("tone.wav");
    const long long frames =
        writeSineWav(file, subtype, rate, channels, seconds, 440, 0.5, container);
    QVERIFY(frames > 0);

    std::string error;
    const auto source = WavSource::open(file, error);
    QVERIFY2(source, error.c_str());
    QCOMPARE(source->lengthMilliseconds(), frames * 1000 / rate);

    const Decoded decoded = renderAll(*source);
    QVERIFY(source->finished());
    const double expectedFrames = static_cast<double>(frames) * kOutputRate / rate;
    QCOMPARE_LE(std::abs(static_cast<double>(decoded.left.size()) - expectedFrames),
                expectedFrames * 0.01 + 64);

    // Lossy coders (MS ADPCM in particular) take a while to settle on the tone.
    QCOMPARE_LE(std::abs(frequency(decoded.left) - 440.0), 440.0 * (lossy ? 0.05 : 0.01));
    // The tone only, without block padding (ADPCM, GSM) and the resampler's ramps at its ends.
    const auto toneFrames = static_cast<std::size_t>(seconds * kOutputRate);
    const std::vector<float> left(decoded.left.begin(), decoded.left.begin() + toneFrames);
    const std::vector<float> right(decoded.right.begin(), decoded.right.begin() + toneFrames);
    const std::size_t edge = kOutputRate / 50;
    const double level = rms(left, edge);
    if (channels <= 2) {
        const double expected = 0.5 / std::sqrt(2.0);
        QCOMPARE_LE(std::abs(level - expected), expected * (lossy ? 0.06 : 0.01));
        QCOMPARE_LE(std::abs(rms(right, edge) - level), level * 0.01);
    } else {
        QCOMPARE_GT(level, 0.05); // a downmix: the level depends on SDL's matrix
    }
}

void WavSourceTest::rewindPlaysTheSameAgain()
{
    const std::string file = path("again.wav");
    QVERIFY(writeSineWav(file, SF_FORMAT_PCM_16, 44100, 2, 1.5) > 0);
    std::string error;
    const auto source = WavSource::open(file, error);
    QVERIFY(source);
    const Decoded first = renderAll(*source);
    QVERIFY(source->start(error));
    QVERIFY(!source->finished());
    const Decoded second = renderAll(*source);
    QCOMPARE(second.left.size(), first.left.size());
    QVERIFY(second.left == first.left);
}

void WavSourceTest::badWavIsRefused_data()
{
    // Zero bytes, random bytes, a truncated WAV and a header claiming gigabytes are refused
    // through the media control (tst_audiomediacontrol); these are the source's own cases.
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("content"); // null: the file is left as it is

    QVERIFY(writeSineWav(path("good.wav"), SF_FORMAT_PCM_16, 44100, 2, 1.0) > 0);
    const Bytes wav = readBytes(path("good.wav"));
    const QByteArray whole(reinterpret_cast<const char*>(wav.data()),
                           static_cast<qsizetype>(wav.size()));
    QByteArray megahertz = whole.left(44 + 4000);
    megahertz.replace(24, 4, QByteArray("\x40\x1F\x40\x00", 4)); // 4.2 MHz
    // Not a WAV container, even though libsndfile reads it.
    QVERIFY(writeSineWav(path("aiff.wav"), SF_FORMAT_PCM_16, 44100, 1, 0.1, 440, 0.5,
                         SF_FORMAT_AIFF) > 0);

    QTest::newRow("missing") << QByteArray("missing.wav") << QByteArray();
    QTest::newRow("a folder") << QByteArray(".") << QByteArray();
    QTest::newRow("AIFF named .wav") << QByteArray("aiff.wav") << QByteArray();
    QTest::newRow("text") << QByteArray("text.wav") << QByteArray("Not a sound at all.\n");
    QTest::newRow("cut in the header") << QByteArray("header.wav") << whole.left(30);
    QTest::newRow("RIFF MIDI named .wav")
        << QByteArray("song.wav") << QByteArray("RIFF\x04\0\0\0RMID", 12);
    QTest::newRow("absurd sample rate") << QByteArray("fast.wav") << megahertz;
    QTest::newRow("no frames") << QByteArray("noframes.wav") << whole.left(44);
}

void WavSourceTest::badWavIsRefused()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, content);
    const std::string file = path(name.constData());
    if (!content.isNull())
        writeBytes(file, Bytes(content.begin(), content.end()));
    std::string error;
    QVERIFY(!WavSource::open(file, error));
    QVERIFY(!error.empty());
}

QTEST_GUILESS_MAIN(WavSourceTest)
#include "tst_wavsource.moc"
