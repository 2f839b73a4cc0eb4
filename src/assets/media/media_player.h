// One player of the game: a WAVE or MIDI file opened by path, played through
// the shared mixer. Positions and lengths are in milliseconds.
//
// The play rule: a piece that has played to its end starts over; otherwise
// play goes on from where the piece stands, so playing a voice that is still
// sounding does not restart it. Every operation on a player with no file
// open does nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio_output.h"
#include "mixer.h"
#include "sound_source.h"

namespace glamora::media {

class MediaPlayer final : private MixerInput {
 public:
  // `kind` chooses which of the mixer's levels the player sounds at.
  MediaPlayer(AudioOutput& output, std::vector<std::string> soundFonts, SoundKind kind = SoundKind::Voices);
  ~MediaPlayer() override;
  MediaPlayer(const MediaPlayer&) = delete;
  MediaPlayer& operator=(const MediaPlayer&) = delete;

  // Closes the file open now, then opens `path` (a .mid file as MIDI, a .wav
  // file as WAVE), stopped at its start. Throws GameError with a readable
  // text naming the file; the player is then left with no file open.
  void open(const std::string& path);
  void close();
  bool isOpen() const;
  std::string path() const;

  void play();
  void stop();    // keeps the position
  void rewind();  // back to the start; a playing piece goes on from there
  bool playing();
  // While held (the game paused) the piece stands where it is and sounds
  // nothing; play, stop and rewind still take effect and show once let go.
  void hold(bool held);

  std::int64_t position();  // ms from the start
  std::int64_t length();    // ms; 0 with no file open

 private:
  void mixInto(float* out, int frames) override;
  void skip(std::int64_t frames) override;

  AudioOutput& output_;
  std::vector<std::string> soundFonts_;
  // Guarded by the mixer's lock: the device thread reads them.
  std::unique_ptr<SoundSource> source_;
  std::string path_;
  std::int64_t frame_ = 0;
  bool playing_ = false;
  bool held_ = false;
};

}  // namespace glamora::media
