// The music loop: every 500 ms a piece that has played to its end is played
// again, which by the play rule starts it over. A piece stopped by the game
// rests at its start, never at its end, so the loop leaves it alone.
#pragma once

#include "engine/scheduler.h"
#include "media_player.h"

namespace glamora::media {

inline constexpr int kMusicLoopIntervalMs = 500;

void musicLoopTick(MediaPlayer& music);

// Registers the loop for `music` (the MediaBgm player); call once the
// players are open.
void addMusicLoop(Scheduler& scheduler, MediaPlayer& music);

}  // namespace glamora::media
