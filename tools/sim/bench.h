// The rules signature: a fixed set of seeded computer games of both modes,
// played on the simulated clock, and one 64-bit FNV-1a hash of their final
// states. Any change of a rule that these games meet changes the hash.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace glamora::sim {

struct BenchResult {
  int games = 0;
  std::int64_t ticks = 0;  // 100 ms steps played in all
  std::uint64_t signature = 0;
};

BenchResult runBench();

// The line glamora-sim --bench prints, as kept in tests/engine/rules_signature.txt:
// {"bench":"rules","games":N,"ticks":N,"signature":"<16 hex digits>"}
std::string benchLine(const BenchResult& result);

}  // namespace glamora::sim
