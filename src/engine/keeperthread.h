#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace orvane {

class OutputKeeper;
class SoundStream;

// Runs an output keeper's looks on a thread of its own, so that the owner never waits for a
// device or a sound server: at once when woken, every 200 ms while an output is open or
// sound is wanted, and not at all while neither. The device is first tried once sound is
// wanted or expected, not before: a player that plays nothing opens nothing.
class KeeperThread
{
public:
    // A thread that looks after `keeper` for `stream`, trying the device first once woken; it
    // holds both until it ends.
    static std::unique_ptr<KeeperThread> start(std::shared_ptr<OutputKeeper> keeper,
                                               std::shared_ptr<SoundStream> stream);
    ~KeeperThread();
    KeeperThread(const KeeperThread&) = delete;
    KeeperThread& operator=(const KeeperThread&) = delete;

    // Any thread: the stream's need for output may have changed.
    void wake();
    // Any thread: sound is expected soon: the device gets ready to open at once (see
    // OutputKeeper::prepare), opening nothing yet.
    void warm();
    // Tries the device unless it has been, and waits until that first try is over; what the
    // sound goes to.
    std::string waitForFirstOutput();
    // Closes the outputs and ends the thread, waiting at most `bound`; false when it was held
    // up (by a sound server that does not answer): it is then left to end by itself. The
    // keeper calls neither its notice nor its tap after this returns.
    bool stop(std::chrono::milliseconds bound);

private:
    struct Shared;
    explicit KeeperThread(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};

} // namespace orvane
