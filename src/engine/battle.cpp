#include "battle.h"

#include "errors.h"
#include "screen_rules.h"
#include "stages.h"

namespace glamora {

namespace {

constexpr PlayerLabels kLabelsA{Label::whatA, Label::whereA, Label::itimeA, Label::ptimeA, Label::scoreA, Label::winA};
constexpr PlayerLabels kLabelsB{Label::whatB, Label::whereB, Label::itimeB, Label::ptimeB, Label::scoreB, Label::winB};
constexpr Label kPauseLabels[] = {Label::pau1a, Label::pau1b, Label::pau2a, Label::pau2b};

}  // namespace

Key playerOneKey(char32_t ch) {
  switch (ch) {
    case U'A': case U'a': return Key::Left;
    case U'S': case U's': return Key::Select;
    case U'D': case U'd': return Key::Right;
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

Battle::Battle(Effects& effects, ScreenView& view, const EditorValues& editor)
    : sound(effects),
      effects_(effects),
      view_(view),
      editor_(editor),
      playerA_(0, state.flags, *this, view, kLabelsA),
      playerB_(1, state.flags, *this, view, kLabelsB) {}

namespace {

template <int P, int C>
void showMarker(Battle& b) {
  b.player(P).showMarker(C);
}

}  // namespace

// The screen's timers by their numbers: player 1's task and its player-2 twin
// side by side.
void Battle::registerTasks(Scheduler& scheduler) {
  static constexpr TimerEntry<Battle> kTimers[] = {
      {1, 500, showMarker<0, 1>},  {2, 500, showMarker<0, 2>},  {3, 500, showMarker<0, 3>},
      {4, 500, showMarker<0, 4>},  {5, 500, showMarker<0, 5>},  {6, 500, showMarker<0, 6>},
      {7, 500, showMarker<1, 1>},  {8, 500, showMarker<1, 2>},  {9, 500, showMarker<1, 3>},
      {10, 500, showMarker<1, 4>}, {11, 500, showMarker<1, 5>}, {12, 500, showMarker<1, 6>},
      {13, 100, [](Battle& b) { b.playerA_.refillSupply(); }},
      {14, 100, [](Battle& b) { b.playerB_.refillSupply(); }},
      {15, 100, [](Battle& b) { b.playerA_.refreshSupply(); }},
      {16, 100, [](Battle& b) { b.playerB_.refreshSupply(); }},
      {17, 300, [](Battle& b) { b.playerA_.switchToWhat(); }},
      {18, 300, [](Battle& b) { b.playerB_.switchToWhat(); }},
      {19, 300, [](Battle& b) { b.playerA_.switchToWhere(); }},
      {20, 300, [](Battle& b) { b.playerB_.switchToWhere(); }},
      {21, 1000, [](Battle& b) { b.playerA_.tickWhatCountdown(); }},
      {22, 1000, [](Battle& b) { b.playerB_.tickWhatCountdown(); }},
      {23, 1000, [](Battle& b) { b.playerA_.tickWhereCountdown(); }},
      {24, 1000, [](Battle& b) { b.playerB_.tickWhereCountdown(); }},
      {25, 100, [](Battle& b) { b.playerA_.scanColumns(); }},
      {26, 100, [](Battle& b) { b.playerB_.scanColumns(); }},
      {27, 100, [](Battle& b) { b.playerA_.fall(); }},
      {28, 100, [](Battle& b) { b.playerB_.fall(); }},
      {29, 100, [](Battle& b) { b.playerA_.copyMirrors(); }},
      {30, 100, [](Battle& b) { b.playerB_.copyMirrors(); }},
      {31, 100, [](Battle& b) { b.playerA_.scanRows(); }},
      {32, 100, [](Battle& b) { b.playerB_.scanRows(); }},
      {33, 100, [](Battle& b) { b.deliverAll(b.playerB_); }},
      {34, 100, [](Battle& b) { b.deliverAll(b.playerA_); }},
      {35, 100, [](Battle& b) { updatePauseSigns(b.state.flags, b.view_, kPauseLabels, b.state.pauseShown); }},
      {36, 100, [](Battle& b) { b.playerA_.lowerNextRows(); }},
      {37, 100, [](Battle& b) { b.playerB_.lowerNextRows(); }},
      {38, kComputerTaskMs, [](Battle& b) { b.computerTurn(0); }},
      {39, kComputerTaskMs, [](Battle& b) { b.computerTurn(1); }},
  };
  registerTimers<Battle>(scheduler, ScreenId::Battle, effects_, *this, kTimers);
}

// ---- menu commands ---------------------------------------------------------------

void Battle::chooseStage(int n) {
  guarded(effects_, [&] {
    if (n == kOriginalStage) {
      editor_.readGridInto(playerA_.state.supply);
      editor_.readGridInto(playerB_.state.supply);
    }
    state.checkedStage = n;
    state.stageNo = n;
    view_.menuChanged();
    view_.setCaption(Label::stage, stageCaption());
    if (n != kOriginalStage) {
      playerA_.state.supply = stageTable(n);
      playerB_.state.supply = stageTable(n);
    }
    startRound();
  });
}

void Battle::startRound() {
  ++roundsStarted_;
  sound.gameStarted();
  playerA_.resetForRound();
  playerB_.resetForRound();
  clearPauseSigns(view_, kPauseLabels, state.pauseShown);
  state.flags.inputOpen = 1;
  state.flags.roundActive = 1;
}

void Battle::keyPress(char32_t character) {
  if (!computers_[0]) playerA_.press(playerOneKey(character));
  if (!computers_[1]) playerB_.press(playerTwoKey(character));
}

// ---- computer players ----------------------------------------------------------------

void Battle::setComputer(int p, std::optional<ComputerLevel> level, std::uint64_t seed) {
  if (level) computers_[p].emplace(*level, seed);
  else computers_[p].reset();
}

void Battle::computerPress(int p, Key key) {
  if (onComputerKey) onComputerKey(p, key);
  player(p).press(key);
}

void Battle::computerTurn(int p) {
  if (!computers_[p]) return;
  const ComputerView view =
      makeComputerView(player(p).state, &player(1 - p).state, state.flags, state.stageNo, 0);
  const Key key = computers_[p]->tick(view);
  if (key != Key::None) computerPress(p, key);
}

void Battle::setMusic(bool on) {
  sound.setMusic(on, state.flags.roundActive);
  view_.menuChanged();
}

void Battle::setVoices(bool on) {
  sound.setVoices(on);
  view_.menuChanged();
}

// Leaving the screen abandons a game in progress: it counts for nobody.
void Battle::leaveToTitle() { screenClosed(); }

void Battle::screenClosed() {
  sound.gameStopped(state.flags.roundActive);
  state.flags.inputOpen = 0;
  state.flags.roundActive = 0;
}

// ---- the end of a round -------------------------------------------------------------

void Battle::lose(Player& player) {
  player.state.lost = 1;
  roundOverCheck();
}

// Player 1's win is examined first: if both have lost, only it is counted.
void Battle::roundOverCheck() {
  struct Outcome {
    Player& loser;
    Player& winner;
    Media voice;
    Dialog dialog;
  };
  const Outcome outcomes[] = {
      {playerB_, playerA_, Media::P1mw, Dialog::Mw1Form},
      {playerA_, playerB_, Media::P2mw, Dialog::Mw2Form},
  };
  for (const Outcome& o : outcomes) {
    if (o.loser.state.lost != 1) continue;
    sound.gameStopped();
    sound.voice(o.voice);
    o.winner.state.wins += 1;
    o.winner.showWins();
    state.flags.inputOpen = 0;
    state.flags.roundActive = 0;
    o.loser.state.lost = 0;
    effects_.openDialog(o.dialog);
    return;
  }
}

// ---- resolution across both boards ------------------------------------------------------

void Battle::playScoreVoice(Player& player) {
  sound.voice(player.index() == 0 ? Media::P1mw : Media::P2mw);
}

void Battle::runSent(Player& player, const Run& run) {
  Player& victim = player.index() == 0 ? playerB_ : playerA_;
  for (int k = attackFirstColumn(run); k <= attackLastColumn(run); ++k) victim.state.mirrorsDue[k] += 1;
}

void Battle::deliverAll(Player& victim) {
  if (state.flags.roundActive != 1) return;
  for (int c = 1; c <= kColumns; ++c) deliver(victim, c);
}

// One mirror facing down per column and tick, always into row 9; a column
// whose rows 1..9 are full takes it into the OUT ZONE row and loses the round.
void Battle::deliver(Player& victim, int col) {
  PlayerState& s = victim.state;
  const int due = s.mirrorsDue[col];
  if (due <= 0) return;
  const int height = s.nextRow[col];
  if (height == kOutZoneRow) {
    s.board(col, kOutZoneRow) = kMirrorDown;
    victim.redrawBoard();
    if (state.flags.roundActive == 1) lose(victim);
    return;
  }
  if (s.board(col, kPlayRows) == kEmpty && height >= 1 && height <= kPlayRows) {
    s.mirrorsDue[col] = due - 1;
    s.board(col, kPlayRows) = kMirrorDown;
    if (height == kPlayRows) s.nextRow[col] = kOutZoneRow;
    victim.redrawBoard();
    if (s.mirrorsDue[col] == 0) settleCheck();
  }
}

void Battle::settleCheck() {
  for (int c = 1; c <= kColumns; ++c) {
    if (playerA_.state.mirrorsDue[c] != 0 || playerB_.state.mirrorsDue[c] != 0) return;
  }
  state.flags.inputOpen = 1;
}


}  // namespace glamora
