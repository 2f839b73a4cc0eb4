// FluidSynth, opened the first time a song must sound. A third of the
// program's shared libraries come with it; a game with no sound card, or one
// that never plays its music, never loads them.
#pragma once

#include <fluidsynth.h>

namespace glamora::media {

// clang-format off
#define GLAMORA_FLUID_FUNCTIONS(X)                                                              \
  X(fluid_set_log_function) X(new_fluid_settings) X(delete_fluid_settings) X(fluid_settings_setnum) \
  X(fluid_settings_setint) X(new_fluid_synth) X(delete_fluid_synth) X(fluid_synth_sfload)        \
  X(fluid_synth_write_float) X(fluid_synth_system_reset) X(fluid_synth_all_sounds_off)           \
  X(fluid_synth_noteon) X(fluid_synth_noteoff) X(fluid_synth_key_pressure) X(fluid_synth_cc)     \
  X(fluid_synth_program_change) X(fluid_synth_channel_pressure) X(fluid_synth_pitch_bend)        \
  X(fluid_synth_sysex)
// clang-format on

// The functions the game calls, by their own names and types.
struct FluidLibrary {
#define GLAMORA_FLUID_POINTER(name) decltype(&::name) name = nullptr;
  GLAMORA_FLUID_FUNCTIONS(GLAMORA_FLUID_POINTER)
#undef GLAMORA_FLUID_POINTER
};

// The library, opened on the first call from any thread; null when it cannot
// be opened or lacks a function. Its log goes nowhere: the game has no log.
const FluidLibrary* fluidLibrary();

}  // namespace glamora::media
