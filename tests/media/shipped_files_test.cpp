// The game's own files in data/, and real files from Debian packages
// (installed by scripts/install-deps --test).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/errors.h"
#include "engine/media_files.h"
#include "test_media.h"

namespace glamora::media::test {
namespace {

namespace fs = std::filesystem;

const std::string kData = GLAMORA_DATA_DIR;

// Opens every file of a directory with one of the extensions.
std::vector<std::string> filesIn(const std::string& dir, const std::string& ext) {
  std::vector<std::string> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    if (entry.path().extension() == ext) found.push_back(entry.path().string());
  std::sort(found.begin(), found.end());
  return found;
}

class NullEffects final : public Effects {
 public:
  explicit NullEffects(MediaLibrary& media) : media_(media) {}
  void openMedia(Media player, const std::string& path) override { media_.open(player, path); }
  void media(Media player, MediaOp op) override { media_.apply(player, op); }
  void openDialog(Dialog) override {}
  void showError(const Message&) override {}

 private:
  MediaLibrary& media_;
};

TEST(ShippedFiles, StartUpOpensAllFivePlayersFromData) {
  SilentLibrary silent;
  NullEffects effects(silent.library);
  ASSERT_NO_THROW(openStartupMedia(effects, filesInDirectory(kData)));
  for (Media m : {Media::Bgm, Media::P1mw, Media::P2mw, Media::P1sw, Media::P1sl})
    EXPECT_TRUE(silent.library.player(m).isOpen()) << mediaName(m);
  const std::int64_t music = silent.library.player(Media::Bgm).length();
  EXPECT_GE(music, 60000);
  EXPECT_LE(music, 120000);
}

TEST(ShippedFiles, EveryVoiceIsShortAndAudible) {
  SilentLibrary silent;
  for (const char* name : {"ELNA1.wav", "ELNA2.wav", "ELNA3.wav", "MIRABE1.wav", "MIRABE2.wav", "MIRABE3.wav"}) {
    MediaPlayer& voice = silent.library.player(Media::P1sw);
    voice.open(assetPath(kData, name));
    EXPECT_GT(voice.length(), 300) << name;
    EXPECT_LT(voice.length(), 4000) << name;
    voice.play();
    EXPECT_GT(rms(listen(silent, voice.length())), 0.02) << name;
  }
}

TEST(ShippedFiles, MusicSoundsUnderAVoice) {
  ScratchDir dir;
  auto render = [&](bool music, bool voice) {
    SilentLibrary silent;
    silent.library.open(Media::Bgm, assetPath(kData, kMusicFile));
    silent.library.open(Media::P1mw, assetPath(kData, "ELNA1.wav"));
    if (music) silent.library.apply(Media::Bgm, MediaOp::Play);
    if (voice) silent.library.apply(Media::P1mw, MediaOp::Play);
    return listen(silent, 800);
  };
  const std::vector<float> music = render(true, false);
  const std::vector<float> voice = render(false, true);
  const std::vector<float> both = render(true, true);
  EXPECT_GT(rms(music), 0.01);
  EXPECT_GT(rms(voice), 0.01);
  // The mix is the sum of the two (the synthesiser renders the same each time).
  std::vector<float> rest(both.size());
  for (std::size_t i = 0; i < both.size(); ++i) rest[i] = both[i] - voice[i] - music[i];
  EXPECT_LT(rms(rest), 0.01 * rms(both));
}

TEST(ShippedFiles, HowToPlayTextIsUtf8) {
  std::ifstream in(assetPath(kData, kHelpTextFile), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(text.empty());
  // A well-formed UTF-8 stream: every lead byte is followed by its continuations.
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    ASSERT_GE(extra, 0) << "at byte " << i;
    for (int k = 1; k <= extra; ++k) ASSERT_EQ(static_cast<unsigned char>(text.at(i + k)) >> 6, 2) << "at byte " << i;
    i += 1 + extra;
  }
  EXPECT_NE(text.find("NUM LOCK"), std::string::npos);
}

TEST(DebianFiles, WaveSoundEffectsOpenAndPlay) {
  std::vector<std::string> files = filesIn("/usr/share/games/heroes/sfx", ".wav");
  for (const std::string& f : filesIn("/usr/share/twinkle", ".wav")) files.push_back(f);
  if (files.empty()) GTEST_SKIP() << "heroes-sound-effects and twinkle-common are not installed";
  SilentLibrary silent;
  MediaPlayer& player = silent.library.player(Media::P1mw);
  for (const std::string& path : files) {
    ASSERT_NO_THROW(player.open(path)) << path;
    EXPECT_GT(player.length(), 0) << path;
    player.play();
    silent.now += player.length() + 1;  // lengths are whole ms, rounded down
    EXPECT_EQ(player.position(), player.length()) << path;
  }
}

TEST(DebianFiles, GeneralMidiSongsOpenAndSound) {
  const std::vector<std::string> files = filesIn("/usr/share/games/openttd/baseset/openmsx", ".mid");
  if (files.empty()) GTEST_SKIP() << "openttd-openmsx is not installed";
  SilentLibrary silent;
  MediaPlayer& music = silent.library.player(Media::Bgm);
  for (const std::string& path : files) {
    ASSERT_NO_THROW(music.open(path)) << path;
    EXPECT_GT(music.length(), 10000) << path;
    music.play();
    silent.now += 5000;  // skipped through, then heard
    EXPECT_GT(rms(listen(silent, 1000)), 0.001) << path;
  }
}

TEST(DebianFiles, CutRealFilesAreReportedAsCut) {
  ScratchDir dir;
  SilentLibrary silent;
  const std::vector<std::pair<std::string, std::string>> samples = {
      {"/usr/share/twinkle/ringtone.wav", "WAVE ファイルが途中で切れています"},
      {"/usr/share/games/openttd/baseset/openmsx/busy_schedule.mid", "MIDI ファイルが途中で切れています"}};
  for (const auto& [path, expected] : samples) {
    if (!fs::exists(path)) continue;
    std::ifstream in(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes.resize(bytes.size() * 2 / 3);
    const std::string cut = dir.write("cut" + fs::path(path).extension().string(), bytes);
    try {
      silent.library.open(Media::Bgm, cut);
      ADD_FAILURE() << "a cut copy of " << path << " opened";
    } catch (const GameError& e) {
      EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace glamora::media::test
