#include "computer_level.h"

namespace glamora {

namespace {

constexpr LevelSettings kLevels[] = {
    {500, 1, 1, 150},   // easy: slow, one take ahead, sometimes a plain mistake
    {300, 1, 1, 20},    // normal
    {100, 2, 8, 0},     // hard: quick, weighs the next offers too
    {200, 0, 0, 1000},  // random: presses its three keys at random
};

constexpr std::string_view kNames[] = {"easy", "normal", "hard", "random"};

}  // namespace

const LevelSettings& levelSettings(ComputerLevel level) { return kLevels[static_cast<int>(level)]; }

std::optional<ComputerLevel> levelFromName(std::string_view name) {
  for (int k = 0; k < 4; ++k) {
    if (kNames[k] == name) return static_cast<ComputerLevel>(k);
  }
  return std::nullopt;
}

std::string_view levelName(ComputerLevel level) { return kNames[static_cast<int>(level)]; }

}  // namespace glamora
