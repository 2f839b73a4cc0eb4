// A computer player: looks at the screen through a ComputerView and answers
// with at most one of the player's keys per call of its periodic task, never
// more often than its level's pace allows and only while the keys are open.
#pragma once

#include <cstdint>

#include "computer_level.h"
#include "computer_view.h"
#include "move_judge.h"
#include "player.h"
#include "supply_tracker.h"

namespace glamora {

inline constexpr int kComputerTaskMs = 100;

class ComputerPlayer {
 public:
  ComputerPlayer(ComputerLevel level, std::uint64_t seed);

  ComputerLevel level() const { return level_; }

  // One run of the player's task (every kComputerTaskMs): the key to press
  // now, or Key::None.
  Key tick(const ComputerView& view);

  // The take and drop the player would choose in this view ("WHAT ?"), or
  // the drop for the held item ("WHERE ?", pick 0).
  Choice decide(const ComputerView& view);

  // Equal players press the same keys from here on in equal views.
  bool operator==(const ComputerPlayer&) const = default;

 private:
  JudgeSituation situation(const ComputerView& view) const;
  Key towards(int from, int to) const { return from < to ? Key::Right : from > to ? Key::Left : Key::Select; }
  Key randomKey();

  ComputerLevel level_;
  LevelSettings settings_;
  MoveJudge judge_;
  ComputerRandom random_;
  SupplyTracker supply_;
  int sincePressMs_;
  // The plan and the view it was made for; a change on the board, in the
  // offers or of the phase asks for a new one.
  Choice plan_{};
  bool planned_ = false;
  Phase plannedPhase_ = Phase::Switching;
  Board plannedBoard_{};
  Offers plannedOffers_{};
};

}  // namespace glamora
