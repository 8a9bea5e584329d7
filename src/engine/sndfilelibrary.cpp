// libsndfile's functions that the program calls, bound when first called.
#include "engine/audiolibraries.h"

#include <sndfile.h>

namespace orvane {

LazyLibrary& sndfileLibrary()
{
    static LazyLibrary library("libsndfile.so.1");
    return library;
}

} // namespace orvane

using orvane::sndfileLibrary;

ORVANE_LAZY_FUNCTION(sndfileLibrary(), SNDFILE*, sf_open_virtual,
                     (SF_VIRTUAL_IO * sfvirtual, int mode, SF_INFO* sfinfo, void* user_data),
                     (sfvirtual, mode, sfinfo, user_data))
ORVANE_LAZY_FUNCTION(sndfileLibrary(), sf_count_t, sf_readf_float,
                     (SNDFILE * sndfile, float* ptr, sf_count_t frames), (sndfile, ptr, frames))
ORVANE_LAZY_FUNCTION(sndfileLibrary(), sf_count_t, sf_seek,
                     (SNDFILE * sndfile, sf_count_t frames, int whence), (sndfile, frames, whence))
ORVANE_LAZY_FUNCTION(sndfileLibrary(), const char*, sf_strerror, (SNDFILE * sndfile), (sndfile))
ORVANE_LAZY_FUNCTION(sndfileLibrary(), int, sf_close, (SNDFILE * sndfile), (sndfile))
