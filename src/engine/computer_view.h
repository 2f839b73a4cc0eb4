// What a computer player may know: what the screen shows of the round (both
// boards, the offers and used-up columns, its own carried item and cursors,
// phases, countdowns, scores, the stage) and the stage's supply table, as a
// practised player knows the stages. Not the mirrors due, not the other
// player's plans.
#pragma once

#include "cells.h"
#include "player.h"

namespace glamora {

struct SideView {
  Board board;
  Phase phase = Phase::Switching;
  int whatTime = 0, whereTime = 0;
  int points = 0, wins = 0;
};

struct ComputerView {
  SideView own;
  SideView opponent;
  bool hasOpponent = false;  // false on the training screen
  Offers offers;             // the six supply markers; Code::UsedUp for a used-up column
  Code held = Code::Empty;   // the carried item
  int arrowCol = kStartColumn, carryCol = kStartColumn;
  bool roundActive = false, inputOpen = false;  // a round is on; "PAUSE" is not shown
  int stageNo = 0;
  int mirrorCountdown = 0;  // training's TIME to the next mirror fall, 0 in battle
  Supply stageTable;        // the supply the round started from
};

// Fills a view from the engine's state; `opponent` is null on training.
ComputerView makeComputerView(const PlayerState& self, const PlayerState* opponent, const RoundFlags& flags,
                              int stageNo, int mirrorCountdown);

// The column heights a board shows: the row above each column's top item
// (10 when row 9 is taken).
PerColumn heightsShown(const Board& board);

}  // namespace glamora
