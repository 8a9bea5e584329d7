#include "engine/playbackengine.h"

#include "engine/audiolog.h"
#include "engine/audiosource.h"
#include "engine/audiosourcefactory.h"
#include "engine/engineevents.h"
#include "engine/keeperthread.h"
#include "engine/midisynth.h"
#include "engine/outputformat.h"
#include "engine/outputkeeper.h"
#include "engine/ownerloop.h"
#include "engine/playbackdeck.h"
#include "engine/positionticker.h"
#include "engine/silentaudiooutput.h"
#include "worker/boundedcall.h"
#include "worker/hungcalls.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace orvane {

namespace {

// Bounds on the wait for the keeper and the worker at the end.
constexpr auto kKeeperStopWait = std::chrono::milliseconds(350);
constexpr auto kDeckStopWait = std::chrono::milliseconds(250);

std::int64_t steadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

PlaybackEngine::PlaybackEngine(OwnerLoop& loop, EngineEvents& events,
                               std::shared_ptr<OutputDevice> device, EngineOptions options)
    : m_loop(loop), m_events(events), m_options(std::move(options)),
      m_alive(std::make_shared<int>(0)), m_synth(std::make_shared<MidiSynth>(m_options.soundFont)),
      m_hungOpens(std::make_shared<HungCalls>())
{
    if (!m_options.clock)
        m_options.clock = &steadyNanoseconds;
    if (m_options.preloadSoundFont)
        prepare(TrackKind::Midi);
    PlaybackDeck::Events deckEvents;
    deckEvents.ended = [this](std::uint64_t playback) {
        post([this, playback] { onEnded(playback); });
    };
    deckEvents.failed = [this](std::uint64_t playback, const std::string& error) {
        post([this, playback, error] { onFailed(playback, error); });
    };
    const bool inline_ = m_options.threads == EngineOptions::Threads::Inline;
    m_deck = PlaybackDeck::create(
        std::move(deckEvents), inline_ ? PlaybackDeck::Mode::Inline : PlaybackDeck::Mode::OwnThread,
        m_options.clock);
    m_keeper = std::make_shared<OutputKeeper>(
        m_deck, std::move(device), std::make_shared<SilentDevice>(), m_options.tap,
        [this](const std::string& text) { post([this, text] { m_events.note(text); }); });
    if (inline_)
        m_firstOutput = m_keeper->tryFirst(keeperTime());
    else
        m_keeperThread = KeeperThread::start(m_keeper, m_deck);
    PositionTicker::Clock clock;
    clock.playing = [this] { return m_state == EngineState::Playing; };
    clock.position = [this] { return position(); };
    clock.length = [this] { return length(); };
    m_ticker = std::make_unique<PositionTicker>(m_loop, std::move(clock),
                                                [this] { m_events.position(position()); });
}

PlaybackEngine::~PlaybackEngine()
{
    m_alive.reset();
    m_ticker.reset();
    cutAndForget();
    // Neither a sound server that does not answer nor a long render holds up the end: what is
    // still busy after a short wait is left to finish by itself.
    if (m_keeperThread) {
        m_keeperThread->stop(kKeeperStopWait);
    } else {
        m_keeper->detach();
        m_keeper->closeAll();
    }
    m_deck->stop(kDeckStopWait);
}

void PlaybackEngine::post(std::function<void()> task)
{
    m_loop.post([alive = std::weak_ptr<int>(m_alive), task = std::move(task)] {
        if (alive.lock())
            task();
    });
}

std::string PlaybackEngine::waitForOutput()
{
    return m_keeperThread ? m_keeperThread->waitForFirstOutput() : m_firstOutput;
}

std::uint64_t PlaybackEngine::dropouts() const
{
    return m_deck->dropouts();
}

OutputKeeper::Clock::time_point PlaybackEngine::keeperTime() const
{
    return OutputKeeper::Clock::time_point(
        std::chrono::duration_cast<OutputKeeper::Clock::duration>(
            std::chrono::nanoseconds(m_options.clock())));
}

void PlaybackEngine::wakeKeeper()
{
    if (m_keeperThread)
        m_keeperThread->wake();
    else
        m_keeper->look(m_deck->needsOutput(), keeperTime());
}

void PlaybackEngine::afterChange()
{
    wakeKeeper();
    m_ticker->reschedule(m_interval);
}

void PlaybackEngine::prepare(TrackKind kind)
{
    if (kind == TrackKind::Midi)
        m_synth->preload();
    if (m_keeperThread)
        m_keeperThread->warm();
}

bool PlaybackEngine::midiSynthStarted() const
{
    return m_synth->started();
}

bool PlaybackEngine::open(TrackKind kind, const std::string& path)
{
    cutAndForget();
    // On a thread of its own: a file on a share that has stopped answering must not hold the
    // owner's thread.
    using Opened = std::pair<std::shared_ptr<AudioSource>, std::string>;
    // While an open hangs, the other files of its folder fail at once.
    std::optional<Opened> answer;
    auto ticket = std::make_shared<HungCalls::Ticket>();
    if (m_hungOpens->enter(*ticket, path.substr(0, path.rfind('/') + 1))) {
        answer = callWithin<Opened>(
            m_options.openBound,
            [kind, path, synth = m_synth, hung = m_hungOpens, ticket] {
                std::string why;
                std::shared_ptr<AudioSource> source = openAudioSource(kind, path, synth, why);
                hung->finish(*ticket);
                return Opened(std::move(source), std::move(why));
            },
            [this, ticket] { return m_hungOpens->giveUp(*ticket); });
    }
    if (!answer)
        answer = Opened(nullptr, "its disk or share does not answer");
    std::shared_ptr<AudioSource> source = std::move(answer->first);
    const std::string& error = answer->second;
    bool opened = false;
    if (source) {
        m_source = std::move(source);
        m_path = path;
        m_frozenPosition = 0;
        m_state = EngineState::Stopped;
        opened = true;
        prepare(kind); // unless expected before
    } else {
        reportAudioProblem("cannot open \"" + path + "\": " + error);
        tellCannotPlay(path, error);
    }
    afterChange();
    return opened;
}

void PlaybackEngine::close()
{
    cutAndForget();
    afterChange();
}

void PlaybackEngine::cutAndForget()
{
    if (m_state == EngineState::Playing || m_state == EngineState::Paused) {
        m_deck->cut();
        m_followsOn = false;
    }
    // After a playback that ended by itself, its last frames still play out.
    m_deck->retire(std::move(m_source));
    m_source.reset();
    m_frozenPosition = 0;
    m_endedWhilePaused = false;
    m_state = EngineState::Closed;
}

void PlaybackEngine::play()
{
    if (m_source) {
        // Straight after a playback that ended by itself, this one follows its last frame.
        const bool cut = !(m_state == EngineState::Stopped && m_followsOn);
        m_playback = m_deck->play(m_source, cut);
        m_followsOn = false;
        m_endedWhilePaused = false;
        m_state = EngineState::Playing;
    }
    afterChange();
}

void PlaybackEngine::pause()
{
    if (m_state == EngineState::Playing)
        setPaused(true);
    afterChange();
}

void PlaybackEngine::resume()
{
    if (m_state == EngineState::Paused)
        setPaused(false);
    afterChange();
}

void PlaybackEngine::stop()
{
    if (m_state == EngineState::Playing || m_state == EngineState::Paused) {
        m_frozenPosition = position();
        m_deck->cut();
        m_followsOn = false;
        m_endedWhilePaused = false;
        m_state = EngineState::Stopped;
    }
    afterChange();
}

void PlaybackEngine::setPaused(bool paused)
{
    m_deck->setPaused(paused);
    m_state = paused ? EngineState::Paused : EngineState::Playing;
    if (!paused && m_endedWhilePaused)
        endPlayback();
}

void PlaybackEngine::setPositionInterval(std::int32_t milliseconds)
{
    const bool changed = milliseconds != m_interval;
    m_interval = milliseconds;
    if (changed || !m_ticker->isActive())
        m_ticker->reschedule(m_interval);
}

void PlaybackEngine::onEnded(std::uint64_t playback)
{
    if (playback != m_playback)
        return; // replaced since: that playback did not end by itself
    if (m_state == EngineState::Paused)
        m_endedWhilePaused = true; // its last frames are still to be heard
    else if (m_state == EngineState::Playing)
        endPlayback();
}

void PlaybackEngine::endPlayback()
{
    m_endedWhilePaused = false;
    m_frozenPosition = length();
    m_state = EngineState::Stopped;
    m_followsOn = true;
    m_deck->letTailPlay();
    afterChange();
    m_events.ended();
}

void PlaybackEngine::onFailed(std::uint64_t playback, const std::string& error)
{
    if (playback != m_playback || m_state == EngineState::Closed)
        return;
    const std::string why = "cannot play \"" + m_path + "\": " + error;
    reportAudioProblem(why);
    tellCannotPlay(m_path, error);
    cutAndForget();
    wakeKeeper();
    m_events.failed(why);
}

void PlaybackEngine::tellCannotPlay(const std::string& path, const std::string& error)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    m_events.note("Cannot play " + name + ": " + error);
}

std::int32_t PlaybackEngine::length() const
{
    if (!m_source)
        return 0;
    return static_cast<std::int32_t>(std::clamp<long long>(
        m_source->lengthMilliseconds(), 0, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t PlaybackEngine::position() const
{
    switch (m_state) {
    case EngineState::Closed:
        return 0;
    case EngineState::Stopped:
        return static_cast<std::int32_t>(m_frozenPosition);
    case EngineState::Playing:
    case EngineState::Paused:
        break;
    }
    const long long played = outputFramesToMilliseconds(m_deck->framesPlayed(m_playback));
    return static_cast<std::int32_t>(std::min<long long>(played, length()));
}

} // namespace orvane
