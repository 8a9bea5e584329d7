// The render-ahead stretch driven frame by frame: the worker takes its turns inline and the test
// is the output, pulling periods on a clock of its own. Then the same with a worker thread and
// an output thread at once.
#include "engine/audiosource.h"
#include "engine/outputformat.h"
#include "engine/outputlimiter.h"
#include "engine/playbackdeck.h"

#include <QTest>
#include <atomic>
#include <cmath>
#include <cstring>
#include <random>
#include <thread>

using namespace orvane;

namespace {

constexpr std::size_t kPeriod = 1200;
constexpr std::int64_t kPeriodNs = 25000000;

// `frames` frames, frame k holding base + k / 2^20 in both channels: a frame lost, repeated or
// out of place shows. (A source that cannot start: tst_playbackengine, without a SoundFont.)
class CountedSource : public AudioSource
{
public:
    CountedSource(std::size_t frames, float base) : m_frames(frames), m_base(base) {}
    static float value(float base, std::size_t frame) { return base + float(frame) / 1048576.0f; }

    bool start(std::string&) override
    {
        m_next = 0;
        return true;
    }
    std::size_t render(float* out, std::size_t frames) override
    {
        const std::size_t n = std::min(frames, m_frames - m_next);
        for (std::size_t i = 0; i < n; ++i)
            out[2 * i] = out[2 * i + 1] = value(m_base, m_next + i);
        m_next += n;
        return n;
    }
    bool finished() const override { return m_next == m_frames; }
    long long lengthMilliseconds() const override { return 0; }

private:
    const std::size_t m_frames;
    const float m_base;
    std::size_t m_next = 0;
};

// A deck with its worker inline and the test as its output.
struct DeckRig
{
    DeckRig()
    {
        PlaybackDeck::Events events;
        events.ended = [this](std::uint64_t number) { ended.push_back(number); };
        events.failed = [](std::uint64_t, const std::string&) {};
        deck = PlaybackDeck::create(std::move(events), PlaybackDeck::Mode::Inline,
                                    [this] { return now; });
    }
    ~DeckRig() { deck->stop(std::chrono::seconds(5)); }

    std::shared_ptr<CountedSource> play(std::size_t frames, float base, bool cut = true)
    {
        auto source = std::make_shared<CountedSource>(frames, base);
        playback = deck->play(source, cut);
        return source;
    }
    // Pulls `periods` periods of `frames` frames, 25 ms apart; the left channel of each frame.
    std::vector<float> pull(int periods, std::size_t frames = kPeriod)
    {
        std::vector<float> left;
        std::vector<float> buffer(2 * frames);
        for (int i = 0; i < periods; ++i) {
            deck->pull(buffer.data(), frames);
            for (std::size_t frame = 0; frame < frames; ++frame)
                left.push_back(buffer[2 * frame]);
            now += kPeriodNs;
        }
        return left;
    }

    std::int64_t now = 0;
    std::vector<std::uint64_t> ended;
    std::shared_ptr<PlaybackDeck> deck;
    std::uint64_t playback = 0;
};

// The frames `from` to `from + count` of a counted source, for comparing with what was heard.
std::vector<float> counted(float base, std::size_t from, std::size_t count)
{
    std::vector<float> values(count);
    for (std::size_t i = 0; i < count; ++i)
        values[i] = CountedSource::value(base, from + i);
    return values;
}

std::vector<float> slice(const std::vector<float>& heard, std::size_t from, std::size_t count)
{
    return {heard.begin() + static_cast<std::ptrdiff_t>(from),
            heard.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

} // namespace

class TestPlaybackDeck : public QObject
{
    Q_OBJECT

private slots:
    void aSourceThatFollowsOneThatEndedStartsOnTheVeryNextFrame()
    {
        DeckRig rig;
        rig.play(3000, 0.125f);
        // All of it is rendered ahead at once, and its end told: the next source follows it.
        QCOMPARE(rig.ended, std::vector<std::uint64_t>{rig.playback});
        rig.deck->letTailPlay();
        rig.play(5000, 0.25f, false);
        // The last one ended too: the output is wanted until its rest has been heard, no longer.
        rig.deck->letTailPlay();
        QVERIFY(rig.deck->needsOutput());
        const std::vector<float> heard = rig.pull(8);
        QVERIFY(!rig.deck->needsOutput());
        QVERIFY(slice(heard, 0, 3000) == counted(0.125f, 0, 3000));
        QVERIFY(slice(heard, 3000, 5000) == counted(0.25f, 0, 5000));
        QVERIFY(slice(heard, 8000, 1600) == std::vector<float>(1600, 0.0f));
        QCOMPARE(rig.ended.size(), 2u);
    }

    void aLatePullIsOneDropoutAndTheEndIsToldOnceTheLastFrameIsRendered()
    {
        DeckRig rig;
        const auto source = rig.play(30000, 0.125f);
        std::vector<float> heard = rig.pull(1);
        // 250 ms at once, more than is rendered ahead: what there is, then silence, counted.
        const std::vector<float> late = rig.pull(1, 12000);
        QVERIFY(slice(late, 0, 8400) == counted(0.125f, kPeriod, 8400));
        QVERIFY(slice(late, 8400, 3600) == std::vector<float>(3600, 0.0f));
        QCOMPARE(rig.deck->dropouts(), 1u);
        heard.insert(heard.end(), late.begin(), late.begin() + 8400);
        for (int period = 0; period < 40; ++period) {
            QCOMPARE(rig.ended.size(), source->finished() ? 1u : 0u);
            const std::vector<float> more = rig.pull(1);
            heard.insert(heard.end(), more.begin(), more.end());
        }
        QCOMPARE(rig.ended.size(), 1u);
        QVERIFY(slice(heard, 0, 30000) == counted(0.125f, 0, 30000)); // nothing lost
        QCOMPARE(rig.deck->dropouts(), 1u);                           // no more in time
    }

    void aPauseHoldsSilenceLosingNoFrameAndACutDropsTheRest()
    {
        DeckRig rig;
        rig.play(30000, 0.125f);
        QVERIFY(rig.deck->needsOutput());
        QVERIFY(rig.pull(2) == counted(0.125f, 0, 2 * kPeriod));
        rig.deck->setPaused(true);
        QVERIFY(!rig.deck->needsOutput());
        QVERIFY(rig.pull(3) == std::vector<float>(3 * kPeriod, 0.0f));
        rig.deck->setPaused(false);
        QVERIFY(rig.pull(2) == counted(0.125f, 2 * kPeriod, 2 * kPeriod));
        rig.deck->cut();
        QVERIFY(!rig.deck->needsOutput());
        QVERIFY(rig.pull(1) == std::vector<float>(kPeriod, 0.0f));
        // Cut and played again before the output pulls: the new source from its first frame.
        rig.play(30000, 0.25f);
        rig.play(30000, 0.375f);
        QVERIFY(rig.pull(2) == counted(0.375f, 0, 2 * kPeriod));
    }

    void thePositionCountsOnlyTheFramesTheOutputTook()
    {
        DeckRig rig;
        rig.play(30000, 0.125f);
        const std::uint64_t first = rig.playback;
        rig.now += 1000000000; // a second without a pull: nothing heard
        QCOMPARE(rig.deck->framesPlayed(first), 0u);
        rig.pull(1);
        rig.now -= kPeriodNs; // the moment the period was taken
        QCOMPARE(rig.deck->framesPlayed(first), 0u);
        rig.now += 10000000; // 10 ms into it
        QCOMPARE(rig.deck->framesPlayed(first), 480u);
        rig.now += 3600LL * 1000000000; // an hour on: still only what the output took
        QCOMPARE(rig.deck->framesPlayed(first), kPeriod);
        rig.deck->setPaused(true);
        QCOMPARE(rig.deck->framesPlayed(first), kPeriod);
        rig.deck->setPaused(false);
        rig.play(30000, 0.25f);
        rig.pull(2);
        QCOMPARE(rig.deck->framesPlayed(first), 0u); // followed by another
        QCOMPARE(rig.deck->framesPlayed(rig.playback), 2 * kPeriod);
    }

    void theLimiterLeavesEverySampleFiniteWithinFullScale()
    {
        OutputLimiter limiter;
        // Quiet sound passes unchanged, sample for sample.
        std::vector<float> quiet = counted(0.125f, 0, 2 * 4800);
        const std::vector<float> before = quiet;
        limiter.process(quiet.data(), 4800);
        QVERIFY(quiet == before);
        // Anything at all: music far too loud, infinities, NaN, random bit patterns.
        std::mt19937 bits(3);
        const float harmful[] = {NAN, INFINITY, -INFINITY, 1e30f, -1e30f, 4.0f, 1e-40f};
        std::vector<float> wild(2 * 48000);
        for (std::size_t i = 0; i < wild.size(); ++i) {
            wild[i] = 3.0f * std::sin(float(i) * 0.01f);
            if (i % 97 == 0)
                wild[i] = harmful[(i / 97) % std::size(harmful)];
            if (i > wild.size() / 2) {
                const std::uint32_t pattern = bits();
                std::memcpy(&wild[i], &pattern, sizeof pattern);
            }
        }
        limiter.process(wild.data(), 48000);
        float peak = 0.0f;
        for (float sample : wild) {
            QVERIFY(std::isfinite(sample) && std::fabs(sample) <= 1.0f);
            peak = std::max(peak, std::fabs(sample));
        }
        QCOMPARE_LE(peak, OutputLimiter::kCeiling + 1e-6f);
        QCOMPARE_GT(peak, OutputLimiter::kKnee);
    }

    void aWorkerThreadAndAnOutputThreadKeepEveryRule()
    {
        // The owner plays, cuts and pauses at random while an output thread pulls as fast as
        // it can: what comes out is silence or a source's frames, and the last source, once
        // the owner has let be, plays whole and in order.
        std::atomic<int> ended{0};
        PlaybackDeck::Events events;
        events.ended = [&ended](std::uint64_t) { ++ended; };
        events.failed = [](std::uint64_t, const std::string&) {};
        std::atomic<std::int64_t> now{0};
        const auto deck = PlaybackDeck::create(std::move(events), PlaybackDeck::Mode::OwnThread,
                                               [&now] { return now.load(); });
        std::atomic<bool> pulling{true};
        std::atomic<long> unsafe{0};
        std::atomic<std::size_t> lastCount{0};
        std::vector<float> last(50000);
        std::thread output([&] {
            std::vector<float> buffer(2 * kPeriod);
            while (pulling.load()) {
                deck->pull(buffer.data(), kPeriod);
                now += kPeriodNs;
                for (std::size_t i = 0; i < buffer.size(); ++i) {
                    const float x = buffer[i];
                    unsafe += !std::isfinite(x) || x < 0.0f || x >= 1.0f;
                    // Only the last source reaches 0.5.
                    if (i % 2 == 0 && x >= 0.5f && lastCount.load() < last.size())
                        last[lastCount++] = x;
                }
            }
        });
        std::mt19937 choice(4);
        for (int step = 0; step < 3000; ++step) {
            const unsigned what = choice() % 4;
            if (what == 0)
                deck->play(std::make_shared<CountedSource>(1 + choice() % 20000,
                                                           0.125f * float(1 + choice() % 3)),
                           choice() % 2 == 0);
            else if (what == 1)
                deck->cut();
            else
                deck->setPaused(choice() % 2 == 0);
            std::this_thread::yield();
        }
        deck->play(std::make_shared<CountedSource>(50000, 0.5f), true);
        for (int wait = 0; wait < 20000 && lastCount.load() < last.size(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        pulling = false;
        output.join();
        std::this_thread::sleep_for(std::chrono::milliseconds(100)); // the worker asleep again
        QVERIFY(deck->stop(std::chrono::seconds(5)));
        QCOMPARE(unsafe.load(), 0);
        QCOMPARE(lastCount.load(), last.size());
        QVERIFY(last == counted(0.5f, 0, 50000));
        QCOMPARE_GE(ended.load(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPlaybackDeck)
#include "tst_playbackdeck.moc"
