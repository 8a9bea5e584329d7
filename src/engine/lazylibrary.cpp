#include "engine/lazylibrary.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace orvane {

bool LazyLibrary::load()
{
    std::call_once(m_once, [this] {
        m_handle.store(dlopen(m_soname, RTLD_NOW | RTLD_LOCAL), std::memory_order_release);
        if (!loaded())
            std::fprintf(stderr, "orvane: cannot load %s: %s\n", m_soname, dlerror());
    });
    return loaded();
}

void* LazyLibrary::function(const char* name)
{
    void* address = load() ? dlsym(m_handle.load(), name) : nullptr;
    if (address == nullptr) {
        std::fprintf(stderr, "orvane: %s has no %s\n", m_soname, name);
        std::abort();
    }
    return address;
}

} // namespace orvane
