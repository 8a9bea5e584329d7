#pragma once

#include <atomic>
#include <mutex>

namespace orvane {

// A shared library opened when first needed rather than at start, so that what a session never
// uses costs it neither start-up time nor memory. Its functions are defined here under their own
// names (see ORVANE_LAZY_FUNCTION), each looking up the library's own on its first call.
class LazyLibrary
{
public:
    // `soname` as the dynamic linker knows it ("libfluidsynth.so.3").
    explicit LazyLibrary(const char* soname) : m_soname(soname) {}

    // Any thread: opens the library unless done; false, said once on standard error, when it
    // cannot be opened. Call before any of its functions.
    bool load();
    // Any thread: true once opened.
    bool loaded() const { return m_handle.load(std::memory_order_acquire) != nullptr; }
    // The library's function `name`; a library that cannot be opened or lacks it ends the
    // program with a line on standard error, as the dynamic linker would have at start.
    void* function(const char* name);

private:
    const char* m_soname;
    std::once_flag m_once;
    std::atomic<void*> m_handle{nullptr};
};

} // namespace orvane

// Defines function `name` of `library` (a LazyLibrary&) with the signature its header declares:
// the compiler checks that the two agree.
#define ORVANE_LAZY_FUNCTION(library, result, name, parameters, arguments)                         \
    extern "C" result name parameters                                                              \
    {                                                                                              \
        using Function = result(*) parameters;                                                     \
        static const auto function = reinterpret_cast<Function>((library).function(#name));        \
        return function arguments;                                                                 \
    }
