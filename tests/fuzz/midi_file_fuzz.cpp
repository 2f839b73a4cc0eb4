// The MIDI reader on any bytes: either MidiFormatError or a song whose events
// are in time order with valid data bytes; the song's events then go to a
// FluidSynth synthesiser exactly as the player sends them, and a block is
// rendered, so nothing FluidSynth is handed can crash it.
#include <fluidsynth.h>

#include <cstdint>
#include <vector>

#include "assets/media/midi_file.h"
#include "assets/media/midi_source.h"
#include "assets/media/mixer.h"
#include "fuzz_check.h"

using namespace glamora::media;

namespace {

// One synthesiser for the whole run: loading the SoundFont per input would
// take longer than the rest of the target together.
fluid_synth_t* sharedSynth() {
  static fluid_synth_t* synth = [] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) fluid_set_log_function(level, nullptr, nullptr);
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kOutputRate);
    fluid_settings_setint(settings, "synth.threadsafe-api", 0);
    fluid_synth_t* s = new_fluid_synth(settings);
    for (const std::string& font : defaultSoundFonts())
      if (fluid_is_soundfont(font.c_str()) && fluid_synth_sfload(s, font.c_str(), 1) != FLUID_FAILED) break;
    return s;
  }();
  return synth;
}

void checkSong(const MidiSong& song) {
  FUZZ_CHECK(song.format == 0 || song.format == 1);
  FUZZ_CHECK(song.tracks >= 1);
  std::int64_t last = 0;
  for (const MidiEvent& e : song.events) {
    FUZZ_CHECK(e.micros >= last);
    last = e.micros;
    FUZZ_CHECK(e.status >= 0x80 && e.status <= 0xF0);
    FUZZ_CHECK(e.data1 < 0x80 && e.data2 < 0x80);
    if (e.status == 0xF0) FUZZ_CHECK(e.sysex < song.sysex.size());
  }
  FUZZ_CHECK(song.lengthMicros >= last);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MidiSong song;
  try {
    song = readMidi(std::vector<std::uint8_t>(data, data + size));
  } catch (const MidiFormatError&) {
    return 0;
  }
  checkSong(song);

  fluid_synth_t* synth = sharedSynth();
  fluid_synth_system_reset(synth);
  for (const MidiEvent& e : song.events) sendToSynth(synth, song, e, true);
  float block[64 * 2];
  fluid_synth_write_float(synth, 64, block, 0, 2, block, 1, 2);
  fluid_synth_all_sounds_off(synth, -1);
  return 0;
}
