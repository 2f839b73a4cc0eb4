// Computer against computer on the simulated clock: whole matches of battle
// rounds, and training runs from stage 1 onwards.
#pragma once

#include <cstdint>
#include <ostream>

#include "engine/computer_level.h"

namespace glamora::sim {

struct MatchResult {
  int wins[2] = {0, 0};  // by level: the first level's wins, the second's
  int draws = 0;
  std::int64_t simulatedMs = 0;
};

// `rounds` battle rounds on stages 1..14 drawn from `seed`; level `a` plays
// player 1 in odd rounds and player 2 in even ones. A round still running
// after 30 simulated minutes is a draw.
MatchResult playMatch(ComputerLevel a, ComputerLevel b, int rounds, std::uint64_t seed);

struct TrainingRun {
  int stagesCleared = 0;  // training stages won in a row from stage 1
  std::int64_t simulatedMs = 0;
};

// Training from stage 1, going on to the next stage after every win, until a
// loss, stage 14 won, or 30 simulated minutes on one stage.
TrainingRun playTraining(ComputerLevel level, std::uint64_t seed);

// The command-line forms:
//   --match LEVEL_A LEVEL_B --rounds N --seed S
//   --training LEVEL --seeds N [--seed S]
// Writes one JSON line; returns the exit status (2 on bad arguments).
int runMatchCommand(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace glamora::sim
