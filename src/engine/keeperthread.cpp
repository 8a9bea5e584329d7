#include "engine/keeperthread.h"

#include "engine/audiolibraries.h"
#include "engine/outputkeeper.h"
#include "engine/soundstream.h"

#include <SDL.h>
#include <utility>

namespace orvane {

namespace {

// How often the keeper looks while an output is open or sound is wanted.
constexpr auto kLookInterval = std::chrono::milliseconds(200);
// How often it looks for the first sound of a playback before a stream is open.
constexpr auto kFirstSoundLook = std::chrono::milliseconds(2);

} // namespace

// What the thread and its owner share; the thread holds it until it ends.
struct KeeperThread::Shared
{
    std::shared_ptr<OutputKeeper> keeper;
    std::shared_ptr<SoundStream> stream;
    std::mutex mutex;
    std::condition_variable changed;
    bool woken = false;
    bool warming = false;    // sound is expected
    bool firstAsked = false; // the owner waits for the first try
    bool stopping = false;
    bool ended = false;
    std::string firstOutput; // set once the first try is over

    void run();
};

std::unique_ptr<KeeperThread> KeeperThread::start(std::shared_ptr<OutputKeeper> keeper,
                                                  std::shared_ptr<SoundStream> stream)
{
    auto shared = std::make_shared<Shared>();
    shared->keeper = std::move(keeper);
    shared->stream = std::move(stream);
    return std::unique_ptr<KeeperThread>(new KeeperThread(std::move(shared)));
}

KeeperThread::KeeperThread(std::shared_ptr<Shared> shared)
    : m_shared(std::move(shared)), m_thread([shared = m_shared] { shared->run(); })
{
}

KeeperThread::~KeeperThread()
{
    if (m_thread.joinable())
        m_thread.detach(); // left waiting on a server: it ends by itself
}

void KeeperThread::wake()
{
    const std::lock_guard lock(m_shared->mutex);
    m_shared->woken = true;
    m_shared->changed.notify_all();
}

void KeeperThread::warm()
{
    const std::lock_guard lock(m_shared->mutex);
    if (m_shared->warming)
        return; // a queue being filled asks once per file
    m_shared->warming = true;
    m_shared->woken = true;
    m_shared->changed.notify_all();
}

std::string KeeperThread::waitForFirstOutput()
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->firstAsked = true;
    m_shared->woken = true;
    m_shared->changed.notify_all();
    m_shared->changed.wait(lock, [this] { return !m_shared->firstOutput.empty(); });
    return m_shared->firstOutput;
}

bool KeeperThread::stop(std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->stopping = true;
    m_shared->changed.notify_all();
    const bool ended = m_shared->changed.wait_for(lock, bound, [this] { return m_shared->ended; });
    lock.unlock();
    // Whatever the thread still does, the keeper tells no one any more.
    m_shared->keeper->detach();
    if (!ended)
        return false;
    m_thread.join();
    return true;
}

void KeeperThread::Shared::run()
{
    bool tried = false;
    bool raised = false;
    std::unique_lock lock(mutex);
    while (!stopping) {
        woken = false;
        // Expected sound gets the device ready, opening no stream: the first buffer starts one.
        const bool warm = std::exchange(warming, false);
        const bool asked = std::exchange(firstAsked, false);
        lock.unlock();
        // A stream opens with the first sound ready, not before: what it asks for until then
        // would be silence, and the sound would follow the silence the server holds.
        const bool playing = stream->needsOutput();
        const bool wanted = playing && (keeper->isOpen() || stream->soundReady());
        if (!raised && (warm || wanted || asked)) {
            raised = true;
            // Where the system grants it. The threads started from here inherit it: the silent
            // sink's, and the main loop of SDL's PulseAudio driver, which passes the server's
            // requests for sound on to SDL's own (real-time) thread.
            if (sdlLibrary().load())
                SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
        }
        if (warm && !keeper->isOpen())
            keeper->prepare();
        if (!tried && (wanted || asked)) {
            tried = true;
            const std::string first = keeper->tryFirst(OutputKeeper::Clock::now());
            const std::lock_guard firstLock(mutex);
            firstOutput = first;
            changed.notify_all();
        }
        if (tried)
            keeper->look(wanted, OutputKeeper::Clock::now());
        const bool open = keeper->isOpen();
        lock.lock();
        if (stopping || woken)
            continue;
        // Nothing open and nothing to play: sleep until told otherwise, at no cost.
        if (!open && !playing)
            changed.wait(lock, [this] { return stopping || woken; });
        else if (playing && !wanted)
            changed.wait_for(lock, kFirstSoundLook, [this] { return stopping || woken; });
        else
            changed.wait_for(lock, kLookInterval, [this] { return stopping || woken; });
    }
    lock.unlock();
    keeper->closeAll();
    lock.lock();
    ended = true;
    changed.notify_all();
}

} // namespace orvane
