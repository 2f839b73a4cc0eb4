#include "computer_view.h"

namespace glamora {

namespace {

SideView sideOf(const PlayerState& s) {
  SideView v;
  v.board = s.board;
  v.phase = s.phase;
  v.whatTime = s.whatTime;
  v.whereTime = s.whereTime;
  v.points = s.points;
  v.wins = s.wins;
  return v;
}

}  // namespace

ComputerView makeComputerView(const PlayerState& self, const PlayerState* opponent, const RoundFlags& flags,
                              int stageNo, int mirrorCountdown) {
  ComputerView v;
  v.own = sideOf(self);
  if (opponent) {
    v.opponent = sideOf(*opponent);
    v.hasOpponent = true;
  }
  v.offers = self.supplyFront;
  v.held = self.held;
  v.arrowCol = self.arrowCol;
  v.carryCol = self.carryCol;
  v.roundActive = flags.roundActive;
  v.inputOpen = flags.inputOpen;
  v.stageNo = stageNo;
  v.mirrorCountdown = mirrorCountdown;
  v.stageTable = self.stageSupply;
  return v;
}

PerColumn heightsShown(const Board& board) {
  PerColumn heights;
  for (int c = 1; c <= kColumns; ++c) {
    int top = 0;
    for (int r = kPlayRows; r >= 1; --r) {
      if (board(c, r) != Code::Empty) {
        top = r;
        break;
      }
    }
    heights[c] = top + 1;
  }
  return heights;
}

}  // namespace glamora
