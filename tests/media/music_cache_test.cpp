// The music loop rendered into its cache file: it sounds as the live song,
// a damaged file is found and rendered again, and the cache stays small.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "assets/media/cached_music.h"
#include "assets/media/flac_source.h"
#include "assets/media/midi_source.h"
#include "test_media.h"

namespace glamora::media::test {
namespace {

namespace fs = std::filesystem;

// Points the cache at a scratch directory for one test.
class MusicCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (firstSoundFont(defaultSoundFonts()).empty()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    setenv("GLAMORA_MUSIC_CACHE", scratch.path("cache").c_str(), 1);
  }
  void TearDown() override { setenv("GLAMORA_MUSIC_CACHE", "off", 1); }

  CachedMusicPlan plan(const Bytes& midi) { return *planMusicCache(readMidi(midi), midi, defaultSoundFonts()); }

  std::vector<float> decodeAll(const std::string& path) {
    std::unique_ptr<SoundSource> cached = openFlacSource(path);
    EXPECT_NE(cached, nullptr);
    if (!cached) return {};
    std::vector<float> out(static_cast<std::size_t>(cached->lengthFrames()) * kOutputChannels, 0.0f);
    for (std::int64_t at = 0; at < cached->lengthFrames(); at += 1000) {
      const int n = static_cast<int>(std::min<std::int64_t>(1000, cached->lengthFrames() - at));
      cached->mixInto(out.data() + at * kOutputChannels, at, n);
    }
    return out;
  }

  ScratchDir scratch;
  std::atomic<bool> noStop{false};
};

std::vector<float> synthesiseAll(const Bytes& midi) {
  std::vector<float> out;
  EXPECT_TRUE(synthesiseSong(readMidi(midi), defaultSoundFonts(), [&](const float* frames, int n) {
    out.insert(out.end(), frames, frames + n * kOutputChannels);
    return true;
  }));
  return out;
}

double signalToNoiseDb(const std::vector<float>& reference, const std::vector<float>& copy) {
  double signal = 0, noise = 0;
  for (std::size_t i = 0; i < reference.size(); ++i) {
    signal += double(reference[i]) * reference[i];
    noise += (double(reference[i]) - copy[i]) * (double(reference[i]) - copy[i]);
  }
  return 10 * std::log10(signal / std::max(noise, 1e-30));
}

TEST_F(MusicCacheTest, CachedLoopHoldsTheLiveSamplesWithin16BitLoss) {
  const Bytes midi = midiBytes(8);
  const CachedMusicPlan kept = plan(midi);
  ASSERT_TRUE(renderMusicCache(kept, noStop));
  EXPECT_TRUE(verifyMusicCache(kept.files, kept.frames));

  const std::vector<float> live = synthesiseAll(midi);
  const std::vector<float> cached = decodeAll(kept.files.audio);
  ASSERT_EQ(cached.size(), live.size());
  ASSERT_EQ(static_cast<std::int64_t>(live.size()), kept.frames * kOutputChannels);
  EXPECT_GT(rms(live), 0.01);
  EXPECT_GT(signalToNoiseDb(live, cached), 60.0);

  // Seeking (a rewind, or sound after silence) lands on the same samples.
  std::unique_ptr<SoundSource> source = openFlacSource(kept.files.audio);
  const std::int64_t from = kept.frames / 3;
  std::vector<float> part(2000 * kOutputChannels, 0.0f);
  source->mixInto(part.data(), from, 2000);
  const std::vector<float> expected(cached.begin() + from * kOutputChannels,
                                    cached.begin() + (from + 2000) * kOutputChannels);
  EXPECT_EQ(part, expected);
}

TEST_F(MusicCacheTest, DamagedFilesFailTheirCheck) {
  const struct {
    const char* what;
    void (*damage)(const MusicCacheFiles&);
  } cases[] = {
      {"cut", [](const MusicCacheFiles& f) { fs::resize_file(f.audio, fs::file_size(f.audio) / 2); }},
      {"a byte changed",
       [](const MusicCacheFiles& f) {
         std::fstream file(f.audio, std::ios::in | std::ios::out | std::ios::binary);
         file.seekp(static_cast<std::streamoff>(fs::file_size(f.audio) / 2));
         file.put('\x5a');
         file.seekp(static_cast<std::streamoff>(fs::file_size(f.audio) / 2 + 1));
         file.put('\xa5');
       }},
      {"no check file", [](const MusicCacheFiles& f) { fs::remove(f.check); }},
      {"check file garbled", [](const MusicCacheFiles& f) { std::ofstream(f.check) << "garbage"; }},
      {"audio missing", [](const MusicCacheFiles& f) { fs::remove(f.audio); }},
  };
  const Bytes midi = midiBytes(3);
  const CachedMusicPlan kept = plan(midi);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(renderMusicCache(kept, noStop));
    c.damage(kept.files);
    EXPECT_FALSE(verifyMusicCache(kept.files, kept.frames));
  }
}

TEST_F(MusicCacheTest, DamagedFileIsRemovedPlayedLiveAndRenderedAgain) {
  const Bytes midi = midiBytes(4);
  const CachedMusicPlan kept = plan(midi);
  ASSERT_TRUE(renderMusicCache(kept, noStop));
  const std::vector<float> good = decodeAll(kept.files.audio);
  {
    std::fstream file(kept.files.audio, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(fs::file_size(kept.files.audio) / 2));
    file.put('\x00').put('\xff').put('\x00');
  }
  std::unique_ptr<SoundSource> song = loadMidi(midi, "song.mid", defaultSoundFonts(), false);
  EXPECT_EQ(song->lengthFrames(), kept.frames);
  waitForMusicCache(*song);
  EXPECT_TRUE(verifyMusicCache(kept.files, kept.frames));
  EXPECT_EQ(decodeAll(kept.files.audio), good);

  // From the next restart the song plays the new file.
  song->restart();
  std::vector<float> heard(good.size(), 0.0f);
  song->mixInto(heard.data(), 0, static_cast<int>(kept.frames));
  EXPECT_EQ(heard, good);
}

TEST_F(MusicCacheTest, NewSongsAreRenderedAndTheCacheKeepsTheLastThree) {
  for (int notes = 1; notes <= 5; ++notes) {
    std::unique_ptr<SoundSource> song = loadMidi(midiBytes(notes), "song.mid", defaultSoundFonts(), true);
    waitForMusicCache(*song);
    const CachedMusicPlan kept = plan(midiBytes(notes));
    EXPECT_TRUE(verifyMusicCache(kept.files, kept.frames)) << notes;
    fs::last_write_time(kept.files.check, fs::file_time_type::clock::now() - std::chrono::seconds(10 - notes));
  }
  int audio = 0, checks = 0;
  for (const auto& entry : fs::directory_iterator(scratch.path("cache"))) {
    audio += entry.path().extension() == ".flac";
    checks += entry.path().extension() == ".check";
  }
  EXPECT_EQ(audio, kKeptMusicLoops);
  EXPECT_EQ(checks, kKeptMusicLoops);
  EXPECT_TRUE(verifyMusicCache(plan(midiBytes(5)).files, plan(midiBytes(5)).frames));
}

TEST_F(MusicCacheTest, KeyFollowsTheSongTheSoundFontAndTheSettings) {
  const std::string font = firstSoundFont(defaultSoundFonts());
  const std::string copy = scratch.write("copy.sf2", Bytes{1, 2, 3});
  const std::string key = musicCacheKey(midiBytes(2), font, "a");
  EXPECT_EQ(musicCacheKey(midiBytes(2), font, "a"), key);
  EXPECT_NE(musicCacheKey(midiBytes(3), font, "a"), key);
  EXPECT_NE(musicCacheKey(midiBytes(2), copy, "a"), key);
  EXPECT_NE(musicCacheKey(midiBytes(2), font, "b"), key);
  const std::string before = musicCacheKey(midiBytes(2), copy, "a");
  fs::last_write_time(copy, fs::last_write_time(copy) + std::chrono::seconds(5));
  EXPECT_NE(musicCacheKey(midiBytes(2), copy, "a"), before);
}

TEST_F(MusicCacheTest, StoppedOrUnwritableRenderLeavesNoFile) {
  std::atomic<bool> stop{true};
  const CachedMusicPlan kept = plan(midiBytes(6));
  EXPECT_FALSE(renderMusicCache(kept, stop));
  EXPECT_TRUE(fs::is_empty(scratch.path("cache")));

  // A cache location that cannot be made: the song stays live.
  const std::string blocker = scratch.write("file", Bytes{0});
  setenv("GLAMORA_MUSIC_CACHE", (blocker + "/cache").c_str(), 1);
  const CachedMusicPlan nowhere = plan(midiBytes(6));
  EXPECT_FALSE(renderMusicCache(nowhere, noStop));
  std::unique_ptr<SoundSource> song = loadMidi(midiBytes(6), "song.mid", defaultSoundFonts(), true);
  waitForMusicCache(*song);
  song->restart();
  EXPECT_EQ(song->lengthFrames(), nowhere.frames);
}

TEST_F(MusicCacheTest, SongDestroyedWhileRenderingRemovesItsPartialFile) {
  { std::unique_ptr<SoundSource> song = loadMidi(midiBytes(200), "song.mid", defaultSoundFonts(), true); }
  std::error_code none;  // stopped before it made the directory
  for (const auto& entry : fs::directory_iterator(scratch.path("cache"), none)) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(name.find(".part"), std::string::npos) << name;
    EXPECT_EQ(entry.path().extension() == ".flac", fs::exists(fs::path(entry.path()).replace_extension(".check")));
  }
}

}  // namespace
}  // namespace glamora::media::test
