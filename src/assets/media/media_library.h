// The game's five media players by name, on one audio output. The game's
// Effects forwards its media calls to open() and apply().
//
//   MediaLibrary media(openAudioOutput());                 // the sound card, or silent
//   MediaLibrary media(std::make_unique<SilentOutput>(c)); // tests: clock c
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "audio_output.h"
#include "engine/effects.h"
#include "media_player.h"
#include "midi_source.h"

namespace glamora::media {

// The music player sounds at the music's level, the four voices at the voices'.
SoundKind soundKindOf(Media player);

class MediaLibrary {
 public:
  explicit MediaLibrary(std::unique_ptr<AudioOutput> output, std::vector<std::string> soundFonts = defaultSoundFonts());
  ~MediaLibrary();

  // Opens the player on a file; throws GameError with a readable text.
  void open(Media player, const std::string& path);
  // Play, stop or rewind; Open opens the player's current file again.
  // Nothing happens on a player with no file open.
  void apply(Media player, MediaOp op);

  MediaPlayer& player(Media player);
  AudioOutput& output() { return *output_; }

 private:
  std::unique_ptr<AudioOutput> output_;  // outlives the players
  std::array<std::unique_ptr<MediaPlayer>, kMediaCount> players_;
};

}  // namespace glamora::media
