// The output keeper, look by look on a clock of the test's: which output is open, when, and what
// feeds on the sound.
#include "engine/audiofixtures.h"
#include "engine/outputkeeper.h"
#include "engine/soundstream.h"

#include <QTest>

using namespace orvane;
using namespace std::chrono_literals;

namespace {

using Time = OutputKeeper::Clock::time_point;

// A device whose streams the test runs by hand.
class HandDevice : public OutputDevice
{
public:
    class Stream : public AudioOutput
    {
    public:
        Stream(HandDevice& device, RenderCallback callback)
            : m_device(device), render(std::move(callback))
        {
            m_device.stream = this;
        }
        ~Stream() override { m_device.stream = nullptr; }
        std::string description() const override { return "hand"; }
        bool lost() const override { return isLost; }

        HandDevice& m_device;
        RenderCallback render;
        bool isLost = false;
    };

    std::unique_ptr<AudioOutput> open(RenderCallback render, bool, std::string& error) override
    {
        ++opens;
        if (refuse) {
            error = "refused";
            return nullptr;
        }
        return std::make_unique<Stream>(*this, std::move(render));
    }
    bool mayAppear() const override { return appears; }
    void release() override {}

    // Plays a period: what the stream gave, 0 when none is open.
    float play()
    {
        float period[2] = {0, 0};
        if (stream)
            stream->render(period, 1);
        return period[0];
    }

    Stream* stream = nullptr;
    int opens = 0;
    bool refuse = false;
    bool appears = true;
};

// Sound that is wanted or not, every frame 0.5.
class Tone : public SoundStream
{
public:
    bool needsOutput() const override { return wanted; }
    void pull(float* out, std::size_t frames) override { std::fill_n(out, 2 * frames, 0.5f); }

    bool wanted = false;
};

struct KeeperRig
{
    explicit KeeperRig(bool withDevice = true)
        : keeper(
              tone, withDevice ? device : nullptr, silent,
              [this](const float*, std::size_t) { ++tapped; },
              [this](const std::string& text) { notices.push_back(text); })
    {
    }
    void look(bool wanted, std::chrono::milliseconds at) { keeper.look(wanted, Time(at)); }

    std::shared_ptr<Tone> tone = std::make_shared<Tone>();
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
        rig.look(false, 500ms);
        rig.look(false, 1400ms);
        QVERIFY(rig.device->stream);
        rig.look(true, 1450ms);
        rig.look(false, 2000ms);
        rig.look(false, 2999ms);
        QVERIFY(rig.device->stream);
        rig.look(false, 3000ms);
        QVERIFY(!rig.device->stream);
        QCOMPARE(rig.device->opens, 1);
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
        rig.device->refuse = false;
        rig.look(true, 2000ms);
        QCOMPARE(rig.device->play(), 0.5f);
        QVERIFY(!rig.silent->stream);
        const std::string lines = stderrText.text();
        QCOMPARE(std::count(lines.begin(), lines.end(), '\n'), 1);
        QVERIFY(rig.notices.empty()); // no device at the start is not news to the user
    }

    void aLostDeviceIsToldOnceAndTheSoundGoesOnSilentlyUntilItIsBack()
    {
        const testing::StderrCapture stderrText;
        KeeperRig rig;
        rig.look(true, 0ms);
        rig.device->stream->isLost = true;
        rig.device->refuse = true;
        rig.look(true, 200ms);
        QCOMPARE(rig.notices,
                 std::vector<std::string>{"Sound device lost: playing silently until it is back"});
        QVERIFY(!rig.device->stream);
        QCOMPARE(rig.silent->play(), 0.5f);
        rig.look(true, 1100ms);
        QCOMPARE(rig.device->opens, 1); // not before a second has passed
        rig.look(true, 1200ms);
        QCOMPARE(rig.device->opens, 2);
        rig.device->refuse = false;
        rig.look(true, 2200ms);
        QCOMPARE(rig.device->play(), 0.5f);
        QCOMPARE(rig.notices.size(), 1u);
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
            QCOMPARE(rig.keeper.tryFirst(), std::string("silent sink (real time)"));
            rig.look(true, 0ms);
            rig.look(true, 5000ms);
            QCOMPARE(rig.device->opens, withDevice ? 1 : 0);
            QCOMPARE(rig.silent->play(), 0.5f);
        }
    }
};

QTEST_GUILESS_MAIN(TestOutputKeeper)
#include "tst_outputkeeper.moc"
