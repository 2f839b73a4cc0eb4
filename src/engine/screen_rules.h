// How the battle and the training screen declare their timers, and the stage
// label they both show.
#pragma once

#include <span>
#include <string>

#include "effects.h"
#include "game_sound.h"
#include "scheduler.h"

namespace glamora {

// One timer of a screen: the game's number for it, its interval and its work.
template <typename Screen>
struct TimerEntry {
  int number;
  int intervalMs;
  void (*run)(Screen&);
};

// Registers a screen's timer table; an error in a tick ends that tick and
// shows the error box.
template <typename Screen>
void registerTimers(Scheduler& scheduler, ScreenId id, Effects& effects, Screen& screen,
                    std::span<const TimerEntry<Screen>> timers) {
  for (const TimerEntry<Screen>& t : timers) {
    scheduler.add({id, t.number, t.intervalMs,
                   [&effects, &screen, run = t.run] { guarded(effects, [&] { run(screen); }); }});
  }
}

// "?" before the first stage, "ORIGINAL" for stage 15, else the number.
std::string stageCaption(int stageNo);

}  // namespace glamora
