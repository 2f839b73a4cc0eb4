// Where a game screen's player inputs go instead of its session while one is
// set: a network battle shown on the screen takes the keys, the stage items,
// "もう一度" and the choice of who plays a side, and draws the covers over the
// boards itself. The screen does no pausing and no count of its own then.
#pragma once

#include <optional>

#include "engine/computer_level.h"

namespace glamora {

class InputRoute {
 public:
  virtual ~InputRoute() = default;
  // A character typed on the screen (menu keys with Alt or Ctrl excepted).
  virtual void key(char32_t character) = 0;
  // A stage item, 1..15.
  virtual void stage(int n) = 0;
  // "もう一度(&R)" of a result dialog.
  virtual void again() = 0;
  // A side's player menu: a person (no level) or the computer.
  virtual void side(int player, std::optional<ComputerLevel> level) = 0;
};

}  // namespace glamora
