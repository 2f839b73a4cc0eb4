#include "music_loop.h"

namespace glamora::media {

void musicLoopTick(MediaPlayer& music) {
  if (music.isOpen() && music.position() == music.length()) music.play();
}

void addMusicLoop(Scheduler& scheduler, MediaPlayer& music) {
  scheduler.add({TaskOwner::MusicLoop, kMusicLoopIntervalMs, [&music] { musicLoopTick(music); }});
}

}  // namespace glamora::media
