#include "battle.h"

namespace glamora {

namespace {

constexpr PlayerLabels kLabelsA{Label::WhatPhaseP1, Label::WherePhaseP1, Label::WhatTimeP1,
                                Label::WhereTimeP1, Label::ScoreP1,      Label::WinsP1};
constexpr PlayerLabels kLabelsB{Label::WhatPhaseP2, Label::WherePhaseP2, Label::WhatTimeP2,
                                Label::WhereTimeP2, Label::ScoreP2,      Label::WinsP2};
constexpr PauseSign kPauseSigns[] = {PauseSign::SupplyP1, PauseSign::SupplyP2, PauseSign::CarriedP1,
                                     PauseSign::CarriedP2};

}  // namespace

Battle::Battle(Effects& effects, ScreenView& view, const EditorValues& editor)
    : RoundScreen(effects, view, editor, kPauseSigns),
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
      {1, 500, showMarker<0, 1>},
      {2, 500, showMarker<0, 2>},
      {3, 500, showMarker<0, 3>},
      {4, 500, showMarker<0, 4>},
      {5, 500, showMarker<0, 5>},
      {6, 500, showMarker<0, 6>},
      {7, 500, showMarker<1, 1>},
      {8, 500, showMarker<1, 2>},
      {9, 500, showMarker<1, 3>},
      {10, 500, showMarker<1, 4>},
      {11, 500, showMarker<1, 5>},
      {12, 500, showMarker<1, 6>},
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
      {35, 100, [](Battle& b) { b.updatePauseSigns(); }},
      {36, 100, [](Battle& b) { b.playerA_.lowerNextRows(); }},
      {37, 100, [](Battle& b) { b.playerB_.lowerNextRows(); }},
      {38, kComputerTaskMs, [](Battle& b) { b.computerTurn(0); }},
      {39, kComputerTaskMs, [](Battle& b) { b.computerTurn(1); }},
  };
  registerTimers<Battle>(scheduler, TaskOwner::Battle, effects_, *this, kTimers);
}

// ---- the end of a round -------------------------------------------------------------

// Player 1's win is examined first: if both have lost, only it is counted.
void Battle::roundOverCheck() {
  struct Outcome {
    Player& loser;
    Player& winner;
    Label winLabel;
    Media voice;
    Dialog dialog;
  };
  const Outcome outcomes[] = {
      {playerB_, playerA_, kLabelsA.win, Media::P1mw, Dialog::PlayerOneWins},
      {playerA_, playerB_, kLabelsB.win, Media::P2mw, Dialog::PlayerTwoWins},
  };
  for (const Outcome& o : outcomes) {
    if (!o.loser.state.lost) continue;
    o.loser.state.lost = false;
    endRound(o.voice, o.winner.state.wins, o.winLabel, o.dialog);
    return;
  }
}

// ---- resolution across both boards ------------------------------------------------------

void Battle::playScoreVoice(Player& player) { sound.voice(player.index() == 0 ? Media::P1mw : Media::P2mw); }

void Battle::runSent(Player& player, const Run& run) {
  Player& victim = player.index() == 0 ? playerB_ : playerA_;
  for (int k = attackFirstColumn(run); k <= attackLastColumn(run); ++k) victim.state.mirrorsDue[k] += 1;
}

void Battle::deliverAll(Player& victim) {
  if (!state.flags.roundActive) return;
  for (int c = 1; c <= kColumns; ++c) deliver(victim, c);
}

// One mirror facing down per column and tick, always into row 9 once it is
// free; a column whose rows 1..9 are full takes it into the OUT ZONE row and
// loses the round.
void Battle::deliver(Player& victim, int col) {
  int& due = victim.state.mirrorsDue[col];
  if (due <= 0 || !victim.dropMirror(col, Row9Taken::Wait)) return;
  due -= 1;
  if (due == 0) settleCheck();
}

void Battle::settleCheck() {
  for (int c = 1; c <= kColumns; ++c) {
    if (playerA_.state.mirrorsDue[c] != 0 || playerB_.state.mirrorsDue[c] != 0) return;
  }
  state.flags.inputOpen = true;
}

}  // namespace glamora
