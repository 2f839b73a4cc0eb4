// What the battle and the training screen do alike: their timer tables, the
// "PAUSE" signs and the stage label.
#pragma once

#include <span>
#include <string>

#include "effects.h"
#include "game_sound.h"
#include "player.h"
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
    scheduler.add({id, t.number, t.intervalMs, [&effects, &screen, run = t.run] {
                     guarded(effects, [&] { run(screen); });
                   }});
  }
}

// "?" before the first stage, "ORIGINAL" for stage 15, else the number.
std::string stageCaption(int stageNo);

// The "PAUSE" signs (Timer35): while a round is active they show "PAUSE"
// when input is closed and are empty when it is open. `shown` follows them.
void updatePauseSigns(const RoundFlags& flags, ScreenView& view, std::span<const Label> signs, int& shown);
void clearPauseSigns(ScreenView& view, std::span<const Label> signs, int& shown);

}  // namespace glamora
