#include "worker/boundedcall.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace orvane {

namespace {

// How often a call that runs past the bound is looked at again.
constexpr std::chrono::milliseconds kLookAgain{50};

// A thread of this process as the kernel shows it.
struct ThreadLook
{
    bool asleep = false; // in the kernel, rather than running or waiting for a processor
    long switches = 0;   // times it has given up a processor so far
};

std::string readProc(int id, const char* file)
{
    const std::string path = "/proc/self/task/" + std::to_string(id) + "/" + file;
    std::string text;
    if (std::FILE* stream = std::fopen(path.c_str(), "r")) {
        char buffer[2048];
        text.assign(buffer, std::fread(buffer, 1, sizeof buffer, stream));
        std::fclose(stream);
    }
    return text;
}

// Nothing once the thread has ended.
std::optional<ThreadLook> lookAt(int id)
{
    // "id (name) S ...": the name may hold anything, so the state follows the last ')'.
    const std::string stat = readProc(id, "stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos || close + 2 >= stat.size())
        return std::nullopt;
    ThreadLook look;
    look.asleep = stat[close + 2] == 'S' || stat[close + 2] == 'D';
    const std::string status = readProc(id, "status");
    for (const char* field : {"\nvoluntary_ctxt_switches:", "\nnonvoluntary_ctxt_switches:"}) {
        const std::size_t at = status.find(field);
        if (at != std::string::npos)
            look.switches += std::strtol(status.c_str() + at + std::strlen(field), nullptr, 10);
    }
    return look;
}

} // namespace

bool CallState::waitWithin(std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_mutex);
    if (m_ended.wait_for(lock, bound, [this] { return m_done; }))
        return true;
    // Given up only when asleep at two looks with no run in between: a thread that merely
    // waited a moment for a lock or a page, as on a busy machine, is not stuck.
    std::optional<ThreadLook> before;
    while (true) {
        const int thread = m_thread; // not yet begun is a busy machine too
        lock.unlock();
        const std::optional<ThreadLook> now =
            thread != 0 ? lookAt(thread) : std::optional<ThreadLook>();
        lock.lock();
        if (m_done)
            return true;
        if (before && now && before->asleep && now->asleep && before->switches == now->switches)
            return false;
        before = now;
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
