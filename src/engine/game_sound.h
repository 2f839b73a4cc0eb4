// A game screen's music and voice switches and what they do to the music.
#pragma once

#include <optional>

#include "effects.h"
#include "errors.h"

namespace glamora {

class GameSound {
 public:
  explicit GameSound(Effects& effects) : effects_(effects) {}

  bool bgmOff = false;  // the music is switched off
  bool seOff = false;   // the voices are switched off

  // A game starts: the piece starts over from its beginning.
  void gameStarted() {
    if (!bgmOff) rewindAnd(MediaOp::Play);
  }
  // A game ends or is left while `roundActive` says whether one was running.
  void gameStopped(bool roundActive = true) {
    if (!bgmOff && roundActive) rewindAnd(MediaOp::Stop);
  }
  void voice(Media player) {
    if (!seOff) effects_.media(player, MediaOp::Play);
  }
  // The "BGM" ON / OFF items: during a game they also start or stop the piece.
  void setMusic(bool on, bool roundActive) {
    if (const std::optional<MediaOp> op = musicSwitch(on, bgmOff, roundActive)) rewindAnd(*op);
    bgmOff = !on;
  }
  // What setting the music switch does to the piece of a game: it rewinds
  // and plays it or stops it, or leaves it alone.
  static std::optional<MediaOp> musicSwitch(bool on, bool wasOff, bool roundActive) {
    if (!roundActive || on != wasOff) return std::nullopt;
    return on ? MediaOp::Play : MediaOp::Stop;
  }
  // Whether these switches let `player` be heard.
  bool lets(Media player) const { return player == Media::Bgm ? !bgmOff : !seOff; }
  void setVoices(bool on) { seOff = !on; }

 private:
  void rewindAnd(MediaOp op) {
    effects_.media(Media::Bgm, MediaOp::Rewind);
    effects_.media(Media::Bgm, op);
  }
  Effects& effects_;
};

// Runs a menu command or a timer tick; a GameError ends it and shows the error
// box. Any other exception is a fault of the program and is not caught here.
template <typename F>
void guarded(Effects& effects, F&& handler) {
  try {
    handler();
  } catch (const GameError& e) {
    effects.showError(errorBoxText(e));
  }
}

}  // namespace glamora
