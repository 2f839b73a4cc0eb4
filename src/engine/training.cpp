#include "training.h"

#include <algorithm>

namespace glamora {

namespace {

// The training screen shows its wins under "WIN" (winA) and its losses under
// "LOSE" (winB).
constexpr PlayerLabels kLabels{Label::WhatPhaseP1, Label::WherePhaseP1, Label::WhatTimeP1,
                               Label::WhereTimeP1, Label::ScoreP1,      Label::WinsP1};
constexpr PauseSign kPauseSigns[] = {PauseSign::SupplyP1, PauseSign::CarriedP1};

template <int C>
void showMarker(Training& t) {
  t.player().showMarker(C);
}

}  // namespace

Training::Training(Effects& effects, ScreenView& view, const EditorValues& editor)
    : RoundScreen(effects, view, editor, kPauseSigns), player_(0, state.flags, *this, view, kLabels) {}

// The training screen's own timer numbers; column-height upkeep is Timer9
// here, so it runs before the refill (Timer13) when both are due.
void Training::registerTasks(Scheduler& scheduler) {
  static constexpr TimerEntry<Training> kTimers[] = {
      {1, 500, showMarker<1>},
      {2, 500, showMarker<2>},
      {3, 500, showMarker<3>},
      {4, 500, showMarker<4>},
      {5, 500, showMarker<5>},
      {6, 500, showMarker<6>},
      {7, 100, [](Training& t) { t.checkNorm(); }},
      {8, 1000, [](Training& t) { t.tickMirrorCountdown(); }},
      {9, 100, [](Training& t) { t.player_.lowerNextRows(); }},
      {13, 100, [](Training& t) { t.player_.refillSupply(); }},
      {15, 100, [](Training& t) { t.player_.refreshSupply(); }},
      {17, 300, [](Training& t) { t.player_.switchToWhat(); }},
      {19, 300, [](Training& t) { t.player_.switchToWhere(); }},
      {21, 1000, [](Training& t) { t.player_.tickWhatCountdown(); }},
      {23, 1000, [](Training& t) { t.player_.tickWhereCountdown(); }},
      {25, 100, [](Training& t) { t.player_.scanColumns(); }},
      {27, 100, [](Training& t) { t.player_.fall(); }},
      {29, 100, [](Training& t) { t.player_.copyMirrors(); }},
      {31, 100, [](Training& t) { t.player_.scanRows(); }},
      {35, 100, [](Training& t) { t.updatePauseSigns(); }},
      {36, kComputerTaskMs, [](Training& t) { t.computerTurn(0); }},
  };
  registerTimers<Training>(scheduler, TaskOwner::Training, effects_, *this, kTimers);
}

// ---- menu commands -------------------------------------------------------------------

bool Training::chooseStage(int n) {
  if (n < 1 || n > kOriginalStage || !state.enabled[n - 1]) return false;
  startStage(n);
  return true;
}

void Training::loadStageValues(int n) {
  if (n == kOriginalStage) {
    state.mirrorPeriod = editor_.mirrorTime();
    state.norm = editor_.norm();
  } else {
    state.mirrorPeriod = trainingMirrorPeriod(n);
    state.norm = trainingNorm(n);
  }
}

void Training::roundStarting() {
  state.cleared = false;
  showNumber(view_, Label::TargetScore, state.norm);
  state.mirrorCountdown = state.mirrorPeriod;
  showNumber(view_, Label::MirrorCountdown, state.mirrorCountdown);
}

NextStage Training::nextStage() const {
  if (state.stageNo == 0) return {};
  if (!state.cleared) return {state.stageNo, false};
  return {std::min(state.stageNo + 1, kOriginalStage), true};
}

void Training::unlock(int n) {
  for (int k = 2; k <= kBuiltInStages; ++k) state.enabled[k - 1] = k <= n;
  view_.menuChanged();
}

void Training::chooseCharacter(Character character) {
  guarded(effects_, [&] {
    state.character = character;
    view_.menuChanged();
    const TrainingVoices voices = trainingVoices(character);
    effects_.openMedia(Media::P1sw, dataFiles(voices.win));
    effects_.openMedia(Media::P1sl, dataFiles(voices.lose));
    view_.characterChanged(character);
  });
}

// ---- the training's own tasks ------------------------------------------------------------

void Training::checkNorm() {
  if (player_.state.points < state.norm || !state.flags.roundActive) return;
  state.won = true;
  roundOverCheck();
  // Winning a built-in stage but the last unlocks the next one, once the won
  // dialog is closed.
  if (state.stageNo >= 1 && state.stageNo < kBuiltInStages && !state.enabled[state.stageNo]) {
    state.enabled[state.stageNo] = true;
    view_.menuChanged();
  }
}

void Training::tickMirrorCountdown() {
  if (!state.flags.inputOpen || !state.flags.roundActive) return;
  if (state.mirrorCountdown == 1) {
    state.mirrorCountdown = 0;
    showNumber(view_, Label::MirrorCountdown, 0);
    state.flags.inputOpen = false;
    dropMirrors();
    state.mirrorCountdown = state.mirrorPeriod;
    showNumber(view_, Label::MirrorCountdown, state.mirrorCountdown);
    state.flags.inputOpen = true;
  } else {
    state.mirrorCountdown -= 1;
    showNumber(view_, Label::MirrorCountdown, state.mirrorCountdown);
  }
}

// One mirror facing down onto every column at once, into row 9 whatever it
// held; a column whose rows 1..9 are full takes it into the OUT ZONE row.
void Training::dropMirrors() {
  for (int c = 1; c <= kColumns; ++c) player_.dropMirror(c, Row9Taken::Replace);
}

void Training::roundOverCheck() {
  PlayerState& s = player_.state;
  if (state.won) {
    state.won = false;
    state.cleared = true;
    endRound(Media::P1sw, s.wins, kLabels.win, Dialog::TrainingWon);
  } else if (s.lost) {
    s.lost = false;
    endRound(Media::P1sl, state.losses, Label::TrainingLosses, Dialog::TrainingLost);
  }
}

}  // namespace glamora
