// The music loop synthesised once into a cache file and played from it.
//
// While no complete cache file exists the song is synthesised live, and a
// thread of low priority renders it, faster than real time, into the cache;
// at the next restart (the loop's rewind) the song switches to the file and
// lets the synthesiser go. A kept file is checked (size, CRC-32) in the
// background; a damaged one is removed, the song turns live at once and the
// file is rendered again. Where the cache cannot be written the song stays
// live and one line goes to stderr.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "music_cache.h"
#include "sound_source.h"

namespace glamora::media {

// Hands synthesised frames to the sink until the song ends (true) or the sink
// says stop (false).
using SongSink = std::function<bool(const float* frames, int count)>;
using SongSynthesis = std::function<bool(const SongSink& sink)>;
using LiveSongMaker = std::function<std::unique_ptr<SoundSource>()>;

struct CachedMusicPlan {
  MusicCacheFiles files;
  std::string directory;
  std::int64_t frames = 0;
  SongSynthesis synthesise;  // called on the render thread
  LiveSongMaker makeLive;    // a live song that takes its synthesiser when it first sounds
};

// `live` is the song as the game plays it today; null when the cache looks
// complete (then it is played from the file, checked meanwhile).
std::unique_ptr<SoundSource> cachedMusic(CachedMusicPlan plan, std::unique_ptr<SoundSource> live);

// Renders the song into DIR/KEY.flac.part, renames it once whole and writes
// its check file; a stop request or a write error removes what was written.
bool renderMusicCache(const CachedMusicPlan& plan, const std::atomic<bool>& stop);

// Waits until a cached song's thread has checked or rendered its file; the
// next restart() then plays what it found. Does nothing for other sources.
void waitForMusicCache(SoundSource& song);

}  // namespace glamora::media
