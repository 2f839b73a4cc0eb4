#include "round_screen.h"

#include "computer_view.h"
#include "screen_rules.h"
#include "stages.h"

namespace glamora {

Key playerOneKey(char32_t ch) {
  switch (ch) {
    case U'A':
    case U'a': return Key::Left;
    case U'S':
    case U's': return Key::Select;
    case U'D':
    case U'd': return Key::Right;
    default: return Key::None;
  }
}

Key playerTwoKey(char32_t ch) {
  switch (ch) {
    case U'4': return Key::Left;
    case U'5': return Key::Select;
    case U'6': return Key::Right;
    default: return Key::None;
  }
}

namespace {

// Seat 0 plays with player 1's keys, seat 1 with player 2's.
constexpr Key (*kSeatKeys[])(char32_t) = {playerOneKey, playerTwoKey};

}  // namespace

RoundScreen::RoundScreen(Effects& effects, ScreenView& view, const EditorValues& editor,
                         std::span<const PauseSign> pauseSigns)
    : sound(effects), effects_(effects), view_(view), editor_(editor), pauseSigns_(pauseSigns) {}

// ---- a round's start and end -------------------------------------------------------

void RoundScreen::startStage(int n) {
  guarded(effects_, [&] {
    const bool original = n == kOriginalStage;
    if (original) {
      for (int p = 0; p < seatCount(); ++p) editor_.readGridInto(seat(p).state.supply);
    }
    loadStageValues(n);
    RoundState& s = roundState();
    s.checkedStage = n;
    s.stageNo = n;
    view_.menuChanged();
    view_.setCaption(Label::Stage, stageCaption(n));
    if (!original) {
      for (int p = 0; p < seatCount(); ++p) seat(p).state.supply = stageTable(n);
    }
    startRound();
  });
}

void RoundScreen::startRound() {
  ++roundsStarted_;
  sound.gameStarted();
  for (int p = 0; p < seatCount(); ++p) seat(p).resetForRound();
  roundStarting();
  RoundState& s = roundState();
  for (PauseSign sign : pauseSigns_) view_.setPause(sign, false);
  s.pauseShown = false;
  s.flags.inputOpen = true;
  s.flags.roundActive = true;
}

void RoundScreen::lose(Player& player) {
  player.state.lost = true;
  roundOverCheck();
}

void RoundScreen::endRound(Media voice, int& tally, Label tallyLabel, Dialog dialog) {
  sound.gameStopped();
  sound.voice(voice);
  tally += 1;
  showNumber(view_, tallyLabel, tally);
  RoundFlags& flags = roundState().flags;
  flags.inputOpen = false;
  flags.roundActive = false;
  effects_.openDialog(dialog);
}

void RoundScreen::updatePauseSigns() {
  RoundState& s = roundState();
  if (!s.flags.roundActive) return;
  for (PauseSign sign : pauseSigns_) view_.setPause(sign, !s.flags.inputOpen);
  s.pauseShown = !s.flags.inputOpen;
}

// ---- keys and computer players -------------------------------------------------------------

void RoundScreen::keyPress(char32_t character) {
  for (int p = 0; p < seatCount(); ++p) {
    if (!computers_[p]) seat(p).press(kSeatKeys[p](character));
  }
}

void RoundScreen::setComputer(int p, std::optional<ComputerLevel> level, std::uint64_t seed) {
  if (p < 0 || p >= seatCount()) return;
  if (level) computers_[p].emplace(*level, seed);
  else computers_[p].reset();
}

void RoundScreen::computerTurn(int p) {
  if (!computers_[p]) return;
  const RoundState& s = roundState();
  const PlayerState* opponent = seatCount() == 2 ? &seat(1 - p).state : nullptr;
  const ComputerView view = makeComputerView(seat(p).state, opponent, s.flags, s.stageNo, mirrorCountdownShown());
  const Key key = computers_[p]->tick(view);
  if (key == Key::None) return;
  if (onComputerKey) onComputerKey(p, key);
  seat(p).press(key);
}

// ---- menu commands --------------------------------------------------------------------------

void RoundScreen::setMusic(bool on) {
  sound.setMusic(on, roundState().flags.roundActive);
  view_.menuChanged();
}

void RoundScreen::setVoices(bool on) {
  sound.setVoices(on);
  view_.menuChanged();
}

// Leaving the screen abandons a game in progress: it counts for nobody.
void RoundScreen::leaveToTitle() { screenClosed(); }

void RoundScreen::screenClosed() {
  RoundFlags& flags = roundState().flags;
  sound.gameStopped(flags.roundActive);
  flags.inputOpen = false;
  flags.roundActive = false;
}

}  // namespace glamora
