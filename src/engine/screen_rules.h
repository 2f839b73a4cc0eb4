// How the battle and the training screen declare their timers, and the stage
// label they both show.
#pragma once

#include <algorithm>
#include <cassert>
#include <span>
#include <string>

#include "effects.h"
#include "game_sound.h"
#include "scheduler.h"

namespace glamora {

// One timer of a screen: its name in the game (Timer13 -> 13), its interval
// and its work. A table lists them in firing order, their numbers ascending.
template <typename Screen>
struct TimerEntry {
  int number;
  int intervalMs;
  void (*run)(Screen&);
};

// Registers a screen's timer table for the whole run; an error in a tick ends
// that tick and shows the error box.
template <typename Screen>
void registerTimers(Scheduler& scheduler, TaskOwner owner, Effects& effects, Screen& screen,
                    std::span<const TimerEntry<Screen>> timers) {
  assert(std::ranges::is_sorted(timers, {}, &TimerEntry<Screen>::number));
  for (const TimerEntry<Screen>& t : timers) {
    scheduler.add({owner, t.intervalMs, [&effects, &screen, run = t.run] { guarded(effects, [&] { run(screen); }); }});
  }
}

// "?" before the first stage, "ORIGINAL" for stage 15, else the number.
std::string stageCaption(int stageNo);

}  // namespace glamora
