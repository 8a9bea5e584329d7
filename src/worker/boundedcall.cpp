#include "worker/boundedcall.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace orvane {

namespace {

// How often a call that runs past the bound is looked at again.
constexpr std::chrono::milliseconds kLookAgain{50};

// True when thread `id` of this process is asleep in the kernel rather than running or
// waiting for a processor.
bool asleepInKernel(int id)
{
    const std::string path = "/proc/self/task/" + std::to_string(id) + "/stat";
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        return false; // the thread has ended
    char line[512] = {};
    const std::size_t length = std::fread(line, 1, sizeof line - 1, file);
    std::fclose(file);
    // "id (name) S ...": the name may hold anything, so the state follows the last ')'.
    const char* close = static_cast<const char*>(memrchr(line, ')', length));
    if (!close || close + 2 >= line + length)
        return false;
    const char state = close[2];
    return state == 'S' || state == 'D';
}

} // namespace

bool CallState::waitWithin(std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_mutex);
    if (m_ended.wait_for(lock, bound, [this] { return m_done; }))
        return true;
    while (true) {
        // Not yet begun is a busy machine too.
        const int thread = m_thread;
        lock.unlock();
        const bool asleep = thread != 0 && asleepInKernel(thread);
        lock.lock();
        if (m_done)
            return true;
        if (asleep)
            return false;
        if (m_ended.wait_for(lock, kLookAgain, [this] { return m_done; }))
            return true;
    }
}

void CallState::wait()
{
    std::unique_lock lock(m_mutex);
    m_ended.wait(lock, [this] { return m_done; });
}

void CallState::begin()
{
    const int thread = static_cast<int>(syscall(SYS_gettid));
    std::lock_guard lock(m_mutex);
    m_thread = thread;
}

void CallState::end()
{
    std::lock_guard lock(m_mutex);
    m_done = true;
    m_ended.notify_all();
}

} // namespace orvane
