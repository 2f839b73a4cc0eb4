// How the computer player judges a take and a drop: it drops the item on a
// copy of its board, settles the copy by the game's own resolution and weighs
// what came of it (points, mirrors sent and where they land, the heights and
// the runs it is building). Looking ahead, it also plays the best next take
// from the offers it knows will follow.
#pragma once

#include <cstdint>

#include "cells.h"
#include "computer_level.h"

namespace glamora {

struct JudgeSituation {
  Board board;  // own board as shown
  bool battle = false;
  PerColumn opponentHeights{};  // the opponent's column heights (battle)
  Offers offers;                // what each supply column hands out now, Code::UsedUp if none
  Offers following;             // what it hands out after one more take
  int arrowCol = kStartColumn;
  int carryCol = kStartColumn;
  int mirrorCountdown = 0;  // training: seconds to the next mirror fall
};

struct Choice {
  int pick = 0;            // supply column to take from (0 when the item is already held)
  int drop = 0;            // board column to drop into; 0 when there is no move at all
  std::int64_t value = 0;  // millionths of a point
  bool operator==(const Choice&) const = default;
};

class MoveJudge {
 public:
  explicit MoveJudge(const LevelSettings& settings) : settings_(settings) {}

  // The take and the drop for the coming turn.
  Choice chooseTake(const JudgeSituation& s, ComputerRandom& random) const;
  // Where to drop the item already held.
  Choice chooseDrop(const JudgeSituation& s, Code held, ComputerRandom& random) const;
  bool operator==(const MoveJudge&) const = default;

  // The value of dropping `code` into column `col` and of the board that is
  // left (for the tests and the benchmark), in millionths of a point; the
  // smallest int64 when it loses at once.
  std::int64_t dropValue(const JudgeSituation& s, const Board& board, Code code, int col, Board* after) const;

 private:
  std::int64_t bestFollowUp(const JudgeSituation& s, const Board& board, const Offers& offers) const;

  LevelSettings settings_;
};

}  // namespace glamora
