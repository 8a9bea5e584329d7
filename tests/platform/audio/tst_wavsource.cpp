// Every WAV variant libsndfile reads: its length, and what comes out of the conversion to the
// output format; odd and hostile WAV files through the real media control.
#include "audiofixtures.h"
#include "controlrig.h"
#include "platform/audio/outputformat.h"
#include "platform/audio/wavsource.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <sndfile.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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
    void oddWavsPlayWhatTheyHoldOrOneLineSaysWhy_data();
    void oddWavsPlayWhatTheyHoldOrOneLineSaysWhy();

private:
    std::string path(const char* name) const { return m_dir.path().toStdString() + "/" + name; }
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
    // Each coding once, the rates and channel counts spread over them: the codings are
    // libsndfile's, the resampling SDL's; what is ours is how they are joined.
    const int rates[] = {8000, 22050, 44100, 48000, 96000};
    std::size_t row = 0;
    for (const Format& format : formats) {
        const int rate = format.monoOnly ? 8000 : rates[row % 5];
        const int channels = format.monoOnly ? 1 : 1 + static_cast<int>(row % 2);
        ++row;
        QTest::addRow("%s %d Hz %d ch", format.name, rate, channels)
            << 0 << format.subtype << rate << channels << format.lossy;
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

void WavSourceTest::oddWavsPlayWhatTheyHoldOrOneLineSaysWhy_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("content"); // null: the file is left as it is
    QTest::addColumn<int>("length");         // ms; -1: refused
    QTest::addColumn<QByteArray>("shown");   // how the name appears on stderr when refused

    const auto bytesOf = [&](const char* name) {
        const Bytes bytes = readBytes(path(name));
        return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    };
    const auto withSize = [](QByteArray wav, qsizetype at, quint32 size) {
        for (int i = 0; i < 4; ++i)
            wav[at + i] = static_cast<char>(size >> (8 * i));
        return wav;
    };
    QVERIFY(writeSineWav(path("tone.wav"), SF_FORMAT_PCM_16, 22050, 1, 0.3) > 0);
    QVERIFY(writeSineWav(path("long.wav"), SF_FORMAT_PCM_16, 22050, 1, 2.0) > 0);
    QVERIFY(writeSineWav(path("empty.wav"), SF_FORMAT_PCM_16, 22050, 1, 0.0) == 0);
    QVERIFY(writeSineWav(path("aiff.wav"), SF_FORMAT_PCM_16, 44100, 1, 0.1, 440, 0.5,
                         SF_FORMAT_AIFF) > 0);
    const QByteArray tone = bytesOf("tone.wav");
    const qsizetype data = tone.indexOf("data") + 4;
    QByteArray megahertz = tone;
    megahertz.replace(24, 4, QByteArray("\x40\x1F\x40\x00", 4)); // 4.2 MHz
    const QByteArray text("Not a sound at all.\n");

    // Streaming writers leave the RIFF or data size at 0 or 0xFFFFFFFF: all of it plays. (A
    // wrong RIFF size alone is libsndfile's to read.)
    QTest::newRow("no samples") << QByteArray("empty.wav") << QByteArray() << 0 << QByteArray();
    QTest::newRow("cut short") << QByteArray("cut.wav") << bytesOf("long.wav").left(44 + 22050)
                               << 500 << QByteArray();
    QTest::newRow("data size 0") << QByteArray("data0.wav") << withSize(tone, data, 0) << 300
                                 << QByteArray();
    QTest::newRow("data size FFFFFFFF")
        << QByteArray("dataff.wav") << withSize(tone, data, 0xFFFFFFFF) << 300 << QByteArray();
    QTest::newRow("both sizes 0") << QByteArray("stream.wav")
                                  << withSize(withSize(tone, 4, 0), data, 0) << 300 << QByteArray();

    QTest::newRow("missing") << QByteArray("missing.wav") << QByteArray() << -1
                             << QByteArray("missing.wav");
    QTest::newRow("a folder") << QByteArray("folder.wav") << QByteArray("folder") << -1
                              << QByteArray("folder.wav");
    QTest::newRow("a named pipe") << QByteArray("pipe.wav") << QByteArray("pipe") << -1
                                  << QByteArray("pipe.wav");
    QTest::newRow("AIFF named .wav")
        << QByteArray("aiff.wav") << QByteArray() << -1 << QByteArray("aiff.wav");
    QTest::newRow("absurd sample rate")
        << QByteArray("fast.wav") << megahertz << -1 << QByteArray("fast.wav");
    QTest::newRow("terminal escapes in the name")
        << QByteArray("x\x1b]0;OWNED\a\x1b[2J\x1b[31mred.wav") << text << -1
        << QByteArray("x\\x1b]0;OWNED\\x07\\x1b[2J\\x1b[31mred.wav");
    QTest::newRow("line feed and bad UTF-8 in the name")
        << QByteArray("new\nline \xff.wav") << text << -1 << QByteArray("new\\nline \\xff.wav");
}

void WavSourceTest::oddWavsPlayWhatTheyHoldOrOneLineSaysWhy()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, content);
    QFETCH(int, length);
    QFETCH(QByteArray, shown);
    const std::string file = path(name.constData());
    if (content == "folder")
        QVERIFY(::mkdir(file.c_str(), 0700) == 0);
    else if (content == "pipe")
        QVERIFY(::mkfifo(file.c_str(), 0600) == 0); // a queued file swapped for a pipe
    else if (!content.isNull())
        writeBytes(file, Bytes(content.begin(), content.end()));

    const StderrCapture stderrText;
    ControlRig rig;
    const Playback played = rig.play("WaveAudio", file);
    if (length < 0) {
        QVERIFY(!played.opened);
        QCOMPARE(rig.play("WaveAudio", file).opened, false); // the same problem again
        ::unlink(file.c_str()); // a name that is not UTF-8 is beyond QTemporaryDir
        const std::string lines = stderrText.text();
        QCOMPARE(std::count(lines.begin(), lines.end(), '\n'), 1);
        QVERIFY2(lines.find(shown.toStdString()) != std::string::npos, lines.c_str());
        QVERIFY(std::none_of(lines.begin(), lines.end() - 1,
                             [](char c) { return static_cast<unsigned char>(c) < 0x20; }));
        return;
    }
    QVERIFY(played.opened);
    QCOMPARE(played.length, length);
    QCOMPARE(played.done, std::vector<int>{1});
    QCOMPARE_LE(std::abs(played.loudFrames - length * 48LL), 300);
    QCOMPARE(stderrText.text(), std::string());
}

QTEST_GUILESS_MAIN(WavSourceTest)
#include "tst_wavsource.moc"
