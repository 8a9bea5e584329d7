// SDL2's functions that the program calls, bound when first called.
#include "engine/audiolibraries.h"

#include <SDL.h>

namespace orvane {

LazyLibrary& sdlLibrary()
{
    static LazyLibrary library("libSDL2-2.0.so.0");
    return library;
}

} // namespace orvane

using orvane::sdlLibrary;

ORVANE_LAZY_FUNCTION(sdlLibrary(), const char*, SDL_GetError, (void), ())
ORVANE_LAZY_FUNCTION(sdlLibrary(), SDL_bool, SDL_SetHint, (const char* name, const char* value),
                     (name, value))
ORVANE_LAZY_FUNCTION(sdlLibrary(), int, SDL_SetThreadPriority, (SDL_ThreadPriority priority),
                     (priority))
ORVANE_LAZY_FUNCTION(sdlLibrary(), int, SDL_AudioInit, (const char* driver_name), (driver_name))
ORVANE_LAZY_FUNCTION(sdlLibrary(), void, SDL_AudioQuit, (void), ())
ORVANE_LAZY_FUNCTION(sdlLibrary(), const char*, SDL_GetCurrentAudioDriver, (void), ())
ORVANE_LAZY_FUNCTION(sdlLibrary(), SDL_AudioDeviceID, SDL_OpenAudioDevice,
                     (const char* device, int iscapture, const SDL_AudioSpec* desired,
                      SDL_AudioSpec* obtained, int allowed_changes),
                     (device, iscapture, desired, obtained, allowed_changes))
ORVANE_LAZY_FUNCTION(sdlLibrary(), SDL_AudioStatus, SDL_GetAudioDeviceStatus,
                     (SDL_AudioDeviceID dev), (dev))
ORVANE_LAZY_FUNCTION(sdlLibrary(), void, SDL_PauseAudioDevice,
                     (SDL_AudioDeviceID dev, int pause_on), (dev, pause_on))
ORVANE_LAZY_FUNCTION(sdlLibrary(), void, SDL_CloseAudioDevice, (SDL_AudioDeviceID dev), (dev))
ORVANE_LAZY_FUNCTION(sdlLibrary(), SDL_AudioStream*, SDL_NewAudioStream,
                     (const SDL_AudioFormat src_format, const Uint8 src_channels,
                      const int src_rate, const SDL_AudioFormat dst_format,
                      const Uint8 dst_channels, const int dst_rate),
                     (src_format, src_channels, src_rate, dst_format, dst_channels, dst_rate))
ORVANE_LAZY_FUNCTION(sdlLibrary(), int, SDL_AudioStreamPut,
                     (SDL_AudioStream * stream, const void* buf, int len), (stream, buf, len))
ORVANE_LAZY_FUNCTION(sdlLibrary(), int, SDL_AudioStreamGet,
                     (SDL_AudioStream * stream, void* buf, int len), (stream, buf, len))
ORVANE_LAZY_FUNCTION(sdlLibrary(), int, SDL_AudioStreamAvailable, (SDL_AudioStream * stream),
                     (stream))
ORVANE_LAZY_FUNCTION(sdlLibrary(), int, SDL_AudioStreamFlush, (SDL_AudioStream * stream), (stream))
ORVANE_LAZY_FUNCTION(sdlLibrary(), void, SDL_AudioStreamClear, (SDL_AudioStream * stream), (stream))
ORVANE_LAZY_FUNCTION(sdlLibrary(), void, SDL_FreeAudioStream, (SDL_AudioStream * stream), (stream))
