// FluidSynth's functions that the program calls, bound when first called.
#include "engine/audiolibraries.h"

#include <fluidsynth.h>

namespace orvane {

LazyLibrary& fluidSynthLibrary()
{
    static LazyLibrary library("libfluidsynth.so.3");
    return library;
}

} // namespace orvane

using orvane::fluidSynthLibrary;

ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), fluid_settings_t*, new_fluid_settings, (void), ())
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), void, delete_fluid_settings,
                     (fluid_settings_t * settings), (settings))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), int, fluid_settings_setint,
                     (fluid_settings_t * settings, const char* name, int value),
                     (settings, name, value))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), int, fluid_settings_setnum,
                     (fluid_settings_t * settings, const char* name, double value),
                     (settings, name, value))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), int, fluid_settings_setstr,
                     (fluid_settings_t * settings, const char* name, const char* str),
                     (settings, name, str))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), fluid_synth_t*, new_fluid_synth,
                     (fluid_settings_t * settings), (settings))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), void, delete_fluid_synth, (fluid_synth_t * synth),
                     (synth))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), int, fluid_synth_sfload,
                     (fluid_synth_t * synth, const char* filename, int reset_presets),
                     (synth, filename, reset_presets))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), int, fluid_synth_all_sounds_off,
                     (fluid_synth_t * synth, int chan), (synth, chan))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), int, fluid_synth_system_reset, (fluid_synth_t * synth),
                     (synth))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), int, fluid_synth_write_float,
                     (fluid_synth_t * synth, int len, void* lout, int loff, int lincr, void* rout,
                      int roff, int rincr),
                     (synth, len, lout, loff, lincr, rout, roff, rincr))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), fluid_player_t*, new_fluid_player,
                     (fluid_synth_t * synth), (synth))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), void, delete_fluid_player, (fluid_player_t * player),
                     (player))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), int, fluid_player_add_mem,
                     (fluid_player_t * player, const void* buffer, size_t len),
                     (player, buffer, len))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), int, fluid_player_play, (fluid_player_t * player),
                     (player))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), int, fluid_player_stop, (fluid_player_t * player),
                     (player))
ORVANE_LAZY_FUNCTION(fluidSynthLibrary(), fluid_log_function_t, fluid_set_log_function,
                     (int level, fluid_log_function_t fun, void* data), (level, fun, data))
