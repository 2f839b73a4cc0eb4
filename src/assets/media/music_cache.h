// Where a rendered music loop is kept and how a kept one is recognised.
//
// A loop is known by a key made of the MIDI file's bytes, the SoundFont's
// path, size and modification time (its contents are too large to hash at
// start-up), the synthesis settings and the program's version. Its FLAC file
// sits beside a small check file with the FLAC file's size, CRC-32 and frame
// count, written last, so a file without one is unfinished.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glamora::media {

inline constexpr int kKeptMusicLoops = 3;

// $GLAMORA_MUSIC_CACHE ("off": no cache), else $XDG_CACHE_HOME/glamora/music, else ~/.cache/glamora/music.
std::string musicCacheDirectory();

// The first SoundFont of the list that is a file; empty when none is.
std::string firstSoundFont(const std::vector<std::string>& soundFonts);

std::string musicCacheKey(const std::vector<std::uint8_t>& midi, const std::string& soundFont,
                          const std::string& settings);

struct MusicCacheFiles {
  std::string audio;  // DIR/KEY.flac
  std::string check;  // DIR/KEY.check
};
// True when a loop rendered with this SoundFont and these settings is kept:
// the game then need not load the SoundFont ahead.
bool musicCacheHoldsSoundFont(const std::string& directory, const std::string& soundFont, const std::string& settings);

MusicCacheFiles musicCacheFiles(const std::string& directory, const std::string& key);

// True when the check file exists and the audio file has its size and the
// frame count; cheap (no read of the audio). verifyMusicCache reads it whole.
bool musicCacheLooksComplete(const MusicCacheFiles& files, std::int64_t frames);
bool verifyMusicCache(const MusicCacheFiles& files, std::int64_t frames);

// Writes the check file for a finished audio file; false on a write error.
bool sealMusicCache(const MusicCacheFiles& files, std::int64_t frames);
void removeMusicCache(const MusicCacheFiles& files);
// Keeps the `keep` loops used last (by the check file's time), removing the rest.
void pruneMusicCache(const std::string& directory, int keep = kKeptMusicLoops);

}  // namespace glamora::media
