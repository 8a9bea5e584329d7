// The ring between the render worker and the output: every sample comes out once, in order,
// whatever the two sides do at once.
#include "engine/samplering.h"

#include <QTest>
#include <numeric>
#include <random>
#include <thread>

using namespace orvane;

class TestSampleRing : public QObject
{
    Q_OBJECT

private slots:
    void samplesComeOutInOrderAcrossTheEndAndNothingOverflows()
    {
        SampleRing ring = makeSampleRing(8);
        std::vector<float> in(20);
        std::iota(in.begin(), in.end(), 1.0f);
        std::vector<float> out(20, 0.0f);
        QCOMPARE(ring.writer.write(in.data(), 5), 5u);
        QCOMPARE(ring.reader.read(out.data(), 3), 3u);
        // Six fit, across the end of the storage; the seventh does not.
        QCOMPARE(ring.writer.space(), 6u);
        QCOMPARE(ring.writer.write(in.data() + 5, 7), 6u);
        QCOMPARE(ring.writer.write(in.data() + 11, 1), 0u);
        QCOMPARE(ring.reader.available(), 8u);
        QCOMPARE(ring.reader.discard(2), 2u); // 4 and 5 dropped unread
        QCOMPARE(ring.reader.read(out.data() + 3, 20), 6u);
        QCOMPARE(std::vector<float>(out.begin(), out.begin() + 9),
                 (std::vector<float>{1, 2, 3, 6, 7, 8, 9, 10, 11}));
        QCOMPARE(ring.reader.read(out.data(), 1), 0u);
        QCOMPARE(ring.reader.discard(1), 0u);
        QCOMPARE(ring.writer.totalWritten(), 11u);
        QCOMPARE(ring.reader.totalRead(), 11u);
        QCOMPARE(ring.writer.space(), 8u);
    }

    void aWriterAndAReaderAtOnceLoseAndRepeatNothing()
    {
        // Both sides in chunks of odd sizes, so that the ends fall everywhere in the storage.
        constexpr std::uint32_t kSamples = 1 << 21;
        SampleRing ring = makeSampleRing(1000);
        std::thread writer([&ring] {
            std::mt19937 sizes(1);
            std::vector<float> chunk(700);
            for (std::uint32_t next = 0; next < kSamples;) {
                const std::size_t size = std::min<std::size_t>(1 + sizes() % 700, kSamples - next);
                for (std::size_t i = 0; i < size; ++i)
                    chunk[i] = static_cast<float>((next + i) % 16777216);
                const std::size_t written = ring.writer.write(chunk.data(), size);
                next += static_cast<std::uint32_t>(written);
                if (written == 0)
                    std::this_thread::yield();
            }
        });
        std::mt19937 sizes(2);
        std::vector<float> chunk(700);
        std::uint32_t expected = 0;
        std::uint32_t wrong = 0;
        while (expected < kSamples) {
            const std::size_t got = ring.reader.read(chunk.data(), 1 + sizes() % 700);
            for (std::size_t i = 0; i < got; ++i)
                wrong += chunk[i] != static_cast<float>(expected++ % 16777216);
            if (got == 0)
                std::this_thread::yield();
        }
        writer.join();
        QCOMPARE(wrong, 0u);
        QCOMPARE(ring.reader.available(), 0u);
    }
};

QTEST_GUILESS_MAIN(TestSampleRing)
#include "tst_samplering.moc"
