// Where a game screen's player inputs go instead of its session while one is
// set (a network battle shown on the battle screen), and what the screen
// shows for it: its model, its count and its menus. The screen does no
// pausing and no count of its own then.
#pragma once

#include <optional>

#include "computer_level.h"
#include "stage_count.h"
#include "view_relay.h"

namespace glamora {

// The battle screen's menus while a route is set.
struct RouteMenus {
  bool choosesStages = true;  // the stage items and the editor
  int checkedStage = 0;
  int ownSide = 0;  // the one side whose player menu is open here
  std::optional<ComputerLevel> ownLevel;
};

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
  // The music switch was set; `wasOff` is how it stood before.
  virtual void musicSwitched(bool on, bool wasOff) = 0;

  virtual ViewRelay& view() = 0;
  virtual StageCount count() const = 0;
  virtual RouteMenus menus() const = 0;
};

}  // namespace glamora
