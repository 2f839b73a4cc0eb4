// The shared state of a network battle at one moment, as plain data: the
// battle's flags and counters, both players, the due times of the battle's
// tasks and the screen's view model. A computer player's own state is not
// part of it: its presses are inputs once made.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/session.h"
#include "engine/view_model.h"

namespace glamora::net {

struct BattleSnapshot {
  std::int64_t now = 0;
  std::vector<std::int64_t> due;  // the battle's tasks, in tie order
  BattleState battle;
  std::array<PlayerState, 2> players{};
  ScreenViewModel view;

  void take(const Session& session);
  // Puts the state back; the view model is shown on the screen's widgets if
  // any are attached.
  void restore(Session& session) const;
};

// A 64-bit hash of the shared rules state (not the view model): the clock's
// time, the due times of the battle's tasks, the battle's state and both
// players'. Both sides of a network battle compare it for every confirmed
// tick; `glamora-sim --hash` prints it for a script's end.
std::uint64_t sharedStateHash(const Session& session, std::vector<std::int64_t>& scratch);

}  // namespace glamora::net
