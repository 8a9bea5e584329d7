// The output keeper, look by look on a clock of the test's: which output is open, when, and what
// feeds on the sound.
#include "engine/audiofixtures.h"
#include "engine/outputkeeper.h"
#include "engine/soundstream.h"

#include <QTest>

using namespace orvane;
using namespace std::chrono_literals;

namespace {

// A device whose one stream the test runs by hand, a frame at a time.
struct HandDevice : OutputDevice
{
    struct Stream : AudioOutput
    {
        Stream(HandDevice& owner, RenderCallback callback) : device(owner), render(callback)
        {
            owner.stream = this;
        }
        ~Stream() override { device.stream = nullptr; }
        std::string description() const override { return "hand"; }
        bool lost() const override { return isLost; }

        HandDevice& device;
        RenderCallback render;
        bool isLost = false;
    };

    std::unique_ptr<AudioOutput> open(RenderCallback render, bool, std::string& error) override
    {
        ++opens;
        error = "refused";
        return refuse ? nullptr : std::make_unique<Stream>(*this, std::move(render));
    }
    bool mayAppear() const override { return appears; }
    void release() override {}
    // What the stream plays now; 0 when none is open.
    float play()
    {
        float frame[2] = {0, 0};
        if (stream)
            stream->render(frame, 1);
        return frame[0];
    }

    Stream* stream = nullptr;
    int opens = 0;
    bool refuse = false;
    bool appears = true;
};

struct Tone : SoundStream
{
    bool needsOutput() const override { return true; }
    void pull(float* out, std::size_t frames) override { std::fill_n(out, 2 * frames, 0.5f); }
};

struct KeeperRig
{
    explicit KeeperRig(bool withDevice = true)
        : keeper(
              std::make_shared<Tone>(), withDevice ? device : nullptr, silent,
              [this](const float*, std::size_t) { ++tapped; },
              [this](const std::string& text) { notices.push_back(text); })
    {
    }
    void look(bool wanted, std::chrono::milliseconds at)
    {
        keeper.look(wanted, OutputKeeper::Clock::time_point(at));
    }

    std::shared_ptr<HandDevice> device = std::make_shared<HandDevice>();
    std::shared_ptr<HandDevice> silent = std::make_shared<HandDevice>();
    int tapped = 0;
    std::vector<std::string> notices;
    OutputKeeper keeper;
};

} // namespace

class TestOutputKeeper : public QObject
{
    Q_OBJECT

private slots:
    void theDeviceIsOpenWhileSoundIsWantedAndForASecondAfter()
    {
        KeeperRig rig;
        rig.look(false, 0ms);
        QCOMPARE(rig.device->opens, 0);
        rig.look(true, 10ms);
        QCOMPARE(rig.device->play(), 0.5f);
        QCOMPARE(rig.tapped, 1);
        // A pause, or a stop and play again, within the second keeps the same stream.
        for (auto [wanted, at] : {std::pair{false, 500ms},
                                  {false, 1400ms},
                                  {true, 1450ms},
                                  {false, 2000ms},
                                  {false, 2999ms}})
            rig.look(wanted, at);
        QVERIFY(rig.device->stream);
        rig.look(false, 3000ms);
        QVERIFY(!rig.device->stream);
        rig.look(true, 4000ms);
        QCOMPARE(rig.device->opens, 2);
        QCOMPARE(rig.silent->opens, 0);
    }

    void withoutADeviceTheSilentSinkTakesTheSoundAndTheDeviceIsTriedEverySecond()
    {
        const testing::StderrCapture stderrText;
        KeeperRig rig;
        rig.device->refuse = true;
        rig.look(true, 0ms);
        QCOMPARE(rig.silent->play(), 0.5f);
        rig.look(true, 999ms);
        QCOMPARE(rig.device->opens, 1);
        rig.look(true, 1000ms);
        QCOMPARE(rig.device->opens, 2);
        QCOMPARE(rig.silent->play(), 0.5f); // the time goes on meanwhile
        const RenderCallback silentSink = rig.silent->stream->render;
        rig.device->refuse = false;
        rig.look(true, 2000ms);
        QCOMPARE(rig.device->play(), 0.5f);
        QVERIFY(!rig.silent->stream);
        // A call of the sink's that comes late, as it closes, plays silence, whatever the
        // buffer held.
        float frame[2] = {0.75f, 0.75f};
        silentSink(frame, 1);
        QCOMPARE(frame[0], 0.0f);
        QCOMPARE(QString::fromStdString(stderrText.text()).count('\n'), 1);
        QVERIFY(rig.notices.empty()); // no device at the start is not news to the user
    }

    void aLostDeviceIsToldOnceAndTheSoundGoesOnSilentlyUntilItIsBack()
    {
        const testing::StderrCapture quiet;
        KeeperRig rig;
        rig.look(true, 0ms);
        rig.device->stream->isLost = true;
        rig.device->refuse = true;
        rig.look(true, 200ms);
        QCOMPARE(rig.notices,
                 std::vector<std::string>{"Sound device lost: playing silently until it is back"});
        QCOMPARE(rig.silent->play(), 0.5f);
        rig.look(true, 1100ms);
        QCOMPARE(rig.device->opens, 1); // not before a second has passed
        rig.look(true, 1200ms);
        QCOMPARE(rig.device->opens, 2);
        rig.device->refuse = false;
        rig.look(true, 2200ms);
        QCOMPARE(rig.device->play(), 0.5f);
        // Once detached, the keeper tells no one and taps nothing.
        rig.keeper.detach();
        rig.device->stream->isLost = true;
        const int tapped = rig.tapped;
        rig.look(true, 2400ms);
        rig.silent->play();
        QCOMPARE(rig.notices.size(), 1u);
        QCOMPARE(rig.tapped, tapped);
    }

    void withNoDeviceToComeOnlyTheSilentSinkIsUsed()
    {
        const testing::StderrCapture quiet;
        for (const bool withDevice : {true, false}) {
            KeeperRig rig(withDevice);
            rig.device->appears = false; // as SDL's dummy driver: tried at the start only
            rig.device->refuse = true;
            QCOMPARE(rig.keeper.tryFirst(OutputKeeper::Clock::time_point()),
                     std::string("silent sink (real time)"));
            rig.look(true, 0ms);
            rig.look(true, 5000ms);
            QCOMPARE(rig.device->opens, withDevice ? 1 : 0);
            QCOMPARE(rig.silent->play(), 0.5f);
        }
    }
};

QTEST_GUILESS_MAIN(TestOutputKeeper)
#include "tst_outputkeeper.moc"
