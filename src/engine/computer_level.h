// The computer player's levels: how often it may press a key, how far it
// looks ahead and how often it makes a plain mistake.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace glamora {

enum class ComputerLevel { Easy, Normal, Hard, Random };

struct LevelSettings {
  int paceMs;           // at least this long between two keys
  int lookahead;        // takes judged ahead: 1 this one, 2 also the next
  int beam;             // first takes followed further when looking ahead
  int mistakePerMille;  // decisions made at random instead
  bool operator==(const LevelSettings&) const = default;
};

const LevelSettings& levelSettings(ComputerLevel level);

// "easy", "normal", "hard", "random" as the command line and scripts spell them.
std::optional<ComputerLevel> levelFromName(std::string_view name);
std::string_view levelName(ComputerLevel level);

// The computer player's own random numbers (SplitMix64): the same seed gives
// the same sequence on every platform.
class ComputerRandom {
 public:
  explicit ComputerRandom(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A whole number in 0..n-1.
  int below(int n) { return static_cast<int>((next() >> 33) % static_cast<std::uint64_t>(n)); }
  bool operator==(const ComputerRandom&) const = default;

 private:
  std::uint64_t state_;
};

}  // namespace glamora
