// A game screen's music and voice switches and what they do to the music.
#pragma once

#include "effects.h"
#include "errors.h"

namespace glamora {

class GameSound {
 public:
  explicit GameSound(Effects& effects) : effects_(effects) {}

  int bgmOff = 0;  // 1 = music switched off
  int seOff = 0;   // 1 = voices switched off

  // A game starts: the piece starts over from its beginning.
  void gameStarted() {
    if (bgmOff == 0) rewindAnd(MediaOp::Play);
  }
  // A game ends or is left while `roundActive` says whether one was running.
  void gameStopped(int roundActive = 1) {
    if (bgmOff == 0 && roundActive == 1) rewindAnd(MediaOp::Stop);
  }
  void voice(Media player) {
    if (seOff == 0) effects_.media(player, MediaOp::Play);
  }
  // The "BGM" ON / OFF items: during a game they also start or stop the piece.
  void setMusic(bool on, int roundActive) {
    if (on && bgmOff == 1 && roundActive == 1) rewindAnd(MediaOp::Play);
    if (!on && bgmOff == 0 && roundActive == 1) rewindAnd(MediaOp::Stop);
    bgmOff = on ? 0 : 1;
  }
  void setVoices(bool on) { seOff = on ? 0 : 1; }

 private:
  void rewindAnd(MediaOp op) {
    effects_.media(Media::Bgm, MediaOp::Rewind);
    effects_.media(Media::Bgm, op);
  }
  Effects& effects_;
};

// Runs a menu command or a timer tick; a GameError ends it and shows the error box.
template <typename F>
void guarded(Effects& effects, F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    effects.showError(errorBoxText(e));
  }
}

}  // namespace glamora
