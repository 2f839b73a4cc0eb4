// The rules signature: a fixed set of seeded computer games of both modes,
// played on the simulated clock, with a 64-bit FNV-1a hash of each game's
// final state and one of them all. Any change of a rule that these games meet
// changes a hash, and the game whose hash changed says where to look.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glamora::sim {

struct BenchGame {
  std::string name;        // "battle 3: normal vs easy, stage 7"
  std::int64_t ticks = 0;  // 100 ms steps played
  std::uint64_t signature = 0;
};

struct BenchResult {
  std::vector<BenchGame> games;
  std::int64_t ticks = 0;  // 100 ms steps played in all
  std::uint64_t signature = 0;
};

BenchResult runBench();

// What glamora-sim --bench prints, as kept in tests/engine/rules_signature.txt:
// a line per game, {"game":"battle 1: hard vs hard, stage 1","ticks":N,"signature":"<16 hex digits>"},
// then {"bench":"rules","games":N,"ticks":N,"signature":"<16 hex digits>"}.
std::vector<std::string> benchLines(const BenchResult& result);

}  // namespace glamora::sim
