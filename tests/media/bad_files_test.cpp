// Every file that cannot be played gets a readable error naming it, and
// nothing worse: no crash, no hang, no player left half open.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "engine/errors.h"
#include "test_media.h"

namespace glamora::media::test {
namespace {

using ::testing::HasSubstr;

// The text of the error opening `path` throws; fails the test if none.
std::string openError(MediaPlayer& player, const std::string& path) {
  try {
    player.open(path);
  } catch (const GameError& e) {
    EXPECT_FALSE(player.isOpen());
    return e.what();
  }
  ADD_FAILURE() << "opened without an error: " << path;
  return {};
}

class BadFiles : public ::testing::TestWithParam<const char*> {
 protected:
  ScratchDir dir;
  SilentLibrary silent;
  MediaPlayer& player = silent.library.player(Media::Bgm);
  std::string ext() const { return GetParam(); }
  Bytes good() const { return ext() == ".wav" ? wavBytes(4410) : midiBytes(2); }
};

TEST_P(BadFiles, MissingFile) {
  const std::string path = dir.path("nothing" + ext());
  const std::string text = openError(player, path);
  EXPECT_THAT(text, HasSubstr("ファイルが見つかりません"));
  EXPECT_THAT(text, HasSubstr(path));
}

TEST_P(BadFiles, EmptyFile) {
  const std::string path = dir.write("empty" + ext(), {});
  EXPECT_THAT(openError(player, path), HasSubstr("ファイルが空です: " + path));
}

TEST_P(BadFiles, GarbageFile) {
  Bytes garbage(3000);
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 7919 + 13);
  const std::string path = dir.write("garbage" + ext(), garbage);
  const std::string text = openError(player, path);
  EXPECT_THAT(text, HasSubstr(ext() == ".wav" ? "WAVE ファイルとして読めません" : "MIDI ファイルとして読めません"));
  EXPECT_THAT(text, HasSubstr(path));
}

TEST_P(BadFiles, TruncatedFile) {
  Bytes bytes = good();
  bytes.resize(bytes.size() - 5);
  const std::string path = dir.write("cut" + ext(), bytes);
  const std::string text = openError(player, path);
  EXPECT_THAT(text,
              HasSubstr(ext() == ".wav" ? "WAVE ファイルが途中で切れています" : "MIDI ファイルが途中で切れています"));
  EXPECT_THAT(text, HasSubstr(path));
}

TEST_P(BadFiles, Directory) {
  std::filesystem::create_directory(dir.path("folder" + ext()));
  EXPECT_THAT(openError(player, dir.path("folder" + ext())), HasSubstr("ファイルではありません"));
}

TEST_P(BadFiles, UnreadableFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const std::string path = dir.write("locked" + ext(), good());
  chmod(path.c_str(), 0);
  EXPECT_THAT(openError(player, path), HasSubstr("ファイルを開けません: " + path));
}

// Every prefix of a good file and every single damaged byte either opens
// or gives an error; none may crash, hang or throw anything else.
TEST_P(BadFiles, NoCutOrDamagedByteBreaksTheOpen) {
  const Bytes bytes = good();
  const std::size_t limit = std::min<std::size_t>(bytes.size(), 120);
  for (std::size_t n = 0; n < limit; ++n) {
    const std::string path = dir.write("prefix" + ext(), Bytes(bytes.begin(), bytes.begin() + n));
    try {
      player.open(path);
      player.play();
    } catch (const GameError&) {
    }
  }
  for (std::size_t i = 0; i < limit; ++i) {
    for (std::uint8_t value : {0x00, 0x7F, 0x80, 0xFF}) {
      Bytes damaged = bytes;
      damaged[i] = value;
      try {
        player.open(dir.write("damaged" + ext(), damaged));
        player.play();
        silent.now += 50;
        player.position();
      } catch (const GameError&) {
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EachKind, BadFiles, ::testing::Values(".wav", ".mid"),
                         [](const auto& info) { return std::string(info.param + 1); });

TEST(BadMidi, NoSoundFontSaysSoAndNamesTheFile) {
  ScratchDir dir;
  SilentLibrary silent({dir.path("none.sf2"), dir.write("broken.sf2", {1, 2, 3})});
  const std::string path = dir.write("song.mid", midiBytes(1));
  const std::string text = openError(silent.library.player(Media::Bgm), path);
  EXPECT_THAT(text, HasSubstr("SoundFont"));
  EXPECT_THAT(text, HasSubstr(path));
  EXPECT_THAT(text, HasSubstr(dir.path("none.sf2")));
  // WAVE files need no SoundFont.
  EXPECT_NO_THROW(silent.library.open(Media::P1mw, dir.write("v.wav", wavBytes(100))));
}

TEST(BadMidi, NoSoundFontLoadedAheadGivesTheSameErrorAsLoadingThen) {
  ScratchDir dir;
  const std::vector<std::string> fonts{dir.path("none.sf2")};
  loadSoundFontAhead(fonts);
  SilentLibrary silent(fonts);
  const std::string path = dir.write("song.mid", midiBytes(1));
  const std::string ahead = openError(silent.library.player(Media::Bgm), path);  // takes the one loaded ahead
  EXPECT_THAT(ahead, HasSubstr(dir.path("none.sf2")));
  EXPECT_EQ(openError(silent.library.player(Media::Bgm), path), ahead);  // loads anew
}

TEST(BadMidi, TrackMissingAfterTheHeaderIsATruncation) {
  ScratchDir dir;
  SilentLibrary silent;
  const Bytes track = midiTrack({0x00, 0xFF, 0x2F, 0x00});
  const std::string path = dir.write("two.mid", midiFile(1, 2, 96, {track}));
  EXPECT_THAT(openError(silent.library.player(Media::Bgm), path), HasSubstr("途中で切れています"));
}

TEST(BadWave, UnknownKindOfFile) {
  ScratchDir dir;
  SilentLibrary silent;
  const std::string path = dir.write("notes.txt", {'h', 'e', 'l', 'l', 'o'});
  EXPECT_THAT(openError(silent.library.player(Media::P1mw), path), HasSubstr("再生できない種類のファイルです"));
  // A known kind under another name is recognised by its content.
  EXPECT_NO_THROW(silent.library.open(Media::P1mw, dir.write("voice.snd", wavBytes(100))));
}

// SDL loads a data chunk of no samples without handing back any buffer.
TEST(BadWave, EmptyDataChunkOpensAsNothingToPlay) {
  ScratchDir dir;
  SilentLibrary silent;
  MediaPlayer& player = silent.library.player(Media::P1mw);
  ASSERT_NO_THROW(player.open(dir.write("silence.wav", wavBytes(0))));
  EXPECT_EQ(player.length(), 0);
  player.play();
  silent.now += 50;
  EXPECT_EQ(player.position(), 0);
  EXPECT_FALSE(player.playing());
}

}  // namespace
}  // namespace glamora::media::test
