// The rules signature: a fixed set of seeded computer games of both modes,
// played on the simulated clock, with a 64-bit FNV-1a hash of each game's
// final state and one of them all. Any change of a rule that these games meet
// changes a hash, and the game whose hash changed says where to look. The two
// sides of a network battle compare it when they greet; glamora-sim --bench
// prints it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glamora {

struct SignatureGame {
  std::string name;        // "battle 3: normal vs easy, stage 7"
  std::int64_t ticks = 0;  // 100 ms steps played
  std::uint64_t signature = 0;
};

struct RulesSignature {
  std::vector<SignatureGame> games;
  std::int64_t ticks = 0;  // 100 ms steps played in all
  std::uint64_t signature = 0;
};

// Plays the games: under 0.1 s in a release build.
RulesSignature playRulesSignature();

}  // namespace glamora
