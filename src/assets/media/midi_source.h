// A MIDI song rendered by FluidSynth into the mixer. FluidSynth only
// synthesises; the events come from our reader and are handed over at their
// exact frame, so position, rewind and the end are ours to know.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <optional>

#include "cached_music.h"
#include "midi_file.h"
#include "sound_source.h"

typedef struct _fluid_synth_t fluid_synth_t;

namespace glamora::media {

// Hands one event of `song` to the synthesiser; note-ons only when `notes`
// (while skipping, settings apply but nothing sounds).
void sendToSynth(fluid_synth_t* synth, const MidiSong& song, const MidiEvent& event, bool notes);

// The General MIDI SoundFonts to try, smallest first.
std::vector<std::string> defaultSoundFonts();

// Starts loading the first SoundFont of the list that loads into a synthesiser
// on a thread of its own; the next loadMidi() with the same list takes that
// synthesiser (waiting for it if need be) instead of loading again.
void loadSoundFontAhead(const std::vector<std::string>& soundFonts);
// Waits until the synthesiser being loaded ahead, if any, can be taken.
void waitForSoundFontAhead();

// Reads, checks and loads a MIDI file held in memory. Throws GameError naming
// `path` when the file is broken or when none of the SoundFonts can be loaded.
// With `render` false nothing is heard yet: the song keeps its place without a
// synthesiser (only a SoundFont's presence is checked) and takes one, loaded
// in the background, once it is first asked to sound.
std::unique_ptr<SoundSource> loadMidi(const std::vector<std::uint8_t>& bytes, const std::string& path,
                                      const std::vector<std::string>& soundFonts, bool render = true);

// Synthesises `song` from its start with a synthesiser of its own, exactly as
// it sounds live, handing blocks of frames to `sink` until the song ends
// (true) or the sink returns false. False too when no SoundFont loads.
bool synthesiseSong(const MidiSong& song, const std::vector<std::string>& soundFonts,
                    const std::function<bool(const float*, int)>& sink);

// Where and how `song` (read from `bytes`) is kept rendered; none when
// $GLAMORA_MUSIC_CACHE is "off".
std::optional<CachedMusicPlan> planMusicCache(const MidiSong& song, const std::vector<std::uint8_t>& bytes,
                                              const std::vector<std::string>& soundFonts);

}  // namespace glamora::media
