// The soak: sessions of random play on the simulated clock. The computer
// plays at every level against itself and against random keys; stages,
// editor texts, the music and voice switches, the character, screen changes
// and leaving to the title come at random moments. Every input and every
// 100 ms tick is followed by the invariant checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glamora::soak {

struct SoakTotals {
  std::int64_t rounds = 0;  // rounds started
  std::int64_t ticks = 0;   // 100 ms steps of the clock
  std::int64_t inputs = 0;
  std::int64_t dialogs = 0;
  std::int64_t errorBoxes = 0;
  std::vector<std::string> failures;  // the first failing session's, with its seed
  std::string failedScript;           // that session's inputs as a glamora-sim script
};

// One session (one run of the game) of `rounds` rounds, its random choices
// drawn from `seed`. Stops at the first failed check.
void runSession(std::uint64_t seed, int rounds, SoakTotals& totals);

// `rounds` rounds in sessions of `perSession`, session k seeded by seed + k;
// only the sessions k with k % parts == part are played. Stops at the first
// failing session.
SoakTotals runSoak(std::uint64_t seed, int rounds, int perSession, int part = 0, int parts = 1);

}  // namespace glamora::soak
