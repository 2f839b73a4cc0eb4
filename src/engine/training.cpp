#include "training.h"

#include <algorithm>

#include "battle.h"
#include "media_files.h"
#include "screen_rules.h"
#include "stages.h"

namespace glamora {

namespace {

// The training screen shows its wins under "WIN" (winA) and its losses under
// "LOSE" (winB).
constexpr PlayerLabels kLabels{Label::whatA, Label::whereA, Label::itimeA, Label::ptimeA, Label::scoreA, Label::winA};
constexpr Label kPauseLabels[] = {Label::pau1a, Label::pau2a};

template <int C>
void showMarker(Training& t) {
  t.player().showMarker(C);
}

}  // namespace

Training::Training(Effects& effects, ScreenView& view, const EditorValues& editor)
    : sound(effects), effects_(effects), view_(view), editor_(editor), player_(0, state.flags, *this, view, kLabels) {}

// The training screen's own timer numbers; column-height upkeep is Timer9
// here, so it runs before the refill (Timer13) when both are due.
void Training::registerTasks(Scheduler& scheduler) {
  static constexpr TimerEntry<Training> kTimers[] = {
      {1, 500, showMarker<1>}, {2, 500, showMarker<2>}, {3, 500, showMarker<3>},
      {4, 500, showMarker<4>}, {5, 500, showMarker<5>}, {6, 500, showMarker<6>},
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
      {35, 100, [](Training& t) { updatePauseSigns(t.state.flags, t.view_, kPauseLabels, t.state.pauseShown); }},
      {36, kComputerTaskMs, [](Training& t) { t.computerTurn(); }},
  };
  registerTimers<Training>(scheduler, ScreenId::Training, effects_, *this, kTimers);
}

// ---- menu commands -------------------------------------------------------------------

bool Training::chooseStage(int n) {
  if (n < 1 || n > kOriginalStage || !state.enabled[n - 1]) return false;
  guarded(effects_, [&] {
    if (n == kOriginalStage) {
      editor_.readGridInto(player_.state.supply);
      state.mirrorPeriod = editor_.mirrorTime();
      state.norm = editor_.norm();
    }
    state.checkedStage = n;
    state.stageNo = n;
    view_.menuChanged();
    view_.setCaption(Label::stage, stageCaption());
    if (n != kOriginalStage) {
      state.mirrorPeriod = trainingMirrorPeriod(n);
      state.norm = trainingNorm(n);
      player_.state.supply = stageTable(n);
    }
    startRound();
  });
  return true;
}

void Training::startRound() {
  ++roundsStarted_;
  sound.gameStarted();
  player_.resetForRound();
  player_.showNumber(Label::nscore, state.norm);
  state.mirrorCountdown = state.mirrorPeriod;
  player_.showNumber(Label::cantime, state.mirrorCountdown);
  clearPauseSigns(view_, kPauseLabels, state.pauseShown);
  state.flags.inputOpen = 1;
  state.flags.roundActive = 1;
}

void Training::keyPress(char32_t character) {
  if (!computer_) player_.press(playerOneKey(character));
}

void Training::setComputer(std::optional<ComputerLevel> level, std::uint64_t seed) {
  if (level) computer_.emplace(*level, seed);
  else computer_.reset();
}

void Training::computerPress(Key key) {
  if (onComputerKey) onComputerKey(key);
  player_.press(key);
}

void Training::computerTurn() {
  if (!computer_) return;
  const ComputerView view = makeComputerView(player_.state, nullptr, state.flags, state.stageNo, state.mirrorCountdown);
  const Key key = computer_->tick(view);
  if (key != Key::None) computerPress(key);
}

void Training::setMusic(bool on) {
  sound.setMusic(on, state.flags.roundActive);
  view_.menuChanged();
}

void Training::setVoices(bool on) {
  sound.setVoices(on);
  view_.menuChanged();
}

void Training::unlock(int n) {
  for (int k = 2; k < kOriginalStage; ++k) state.enabled[k - 1] = k <= n;
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

void Training::leaveToTitle() { screenClosed(); }

void Training::screenClosed() {
  sound.gameStopped(state.flags.roundActive);
  state.flags.inputOpen = 0;
  state.flags.roundActive = 0;
}

// ---- the training's own tasks ------------------------------------------------------------

void Training::checkNorm() {
  if (player_.state.points < state.norm || state.flags.roundActive != 1) return;
  state.won = 1;
  roundOverCheck();
  // Winning stage n (1..13) unlocks stage n + 1, once the won dialog is closed.
  if (state.stageNo >= 1 && state.stageNo <= 13 && !state.enabled[state.stageNo]) {
    state.enabled[state.stageNo] = true;
    view_.menuChanged();
  }
}

void Training::tickMirrorCountdown() {
  if (state.flags.inputOpen != 1 || state.flags.roundActive != 1) return;
  if (state.mirrorCountdown == 1) {
    state.mirrorCountdown = 0;
    player_.showNumber(Label::cantime, 0);
    state.flags.inputOpen = 0;
    dropMirrors();
    state.mirrorCountdown = state.mirrorPeriod;
    player_.showNumber(Label::cantime, state.mirrorCountdown);
    state.flags.inputOpen = 1;
  } else {
    state.mirrorCountdown -= 1;
    player_.showNumber(Label::cantime, state.mirrorCountdown);
  }
}

// One mirror facing down onto every column at once, into row 9 whatever it
// held; a column whose rows 1..9 are full takes it into the OUT ZONE row.
void Training::dropMirrors() {
  PlayerState& s = player_.state;
  for (int c = 1; c <= kColumns; ++c) {
    const int height = s.nextRow[c];
    if (height >= 1 && height <= kPlayRows) {
      s.board(c, kPlayRows) = kMirrorDown;
      if (height == kPlayRows) s.nextRow[c] = kOutZoneRow;
      player_.redrawBoard();
    } else if (height == kOutZoneRow) {
      s.board(c, kOutZoneRow) = kMirrorDown;
      player_.redrawBoard();
      if (state.flags.roundActive == 1) lose(player_);
    }
  }
}

void Training::lose(Player& player) {
  player.state.lost = 1;
  roundOverCheck();
}

void Training::roundOverCheck() {
  PlayerState& s = player_.state;
  const bool won = state.won == 1;
  if (!won && s.lost != 1) return;
  sound.gameStopped();
  sound.voice(won ? Media::P1sw : Media::P1sl);
  if (won) {
    s.wins += 1;
    player_.showWins();
  } else {
    state.losses += 1;
    player_.showNumber(Label::winB, state.losses);
  }
  state.flags.inputOpen = 0;
  state.flags.roundActive = 0;
  (won ? state.won : s.lost) = 0;
  effects_.openDialog(won ? Dialog::SwForm : Dialog::SlForm);
}


}  // namespace glamora
