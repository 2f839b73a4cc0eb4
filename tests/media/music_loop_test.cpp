// The music loop on the simulated clock: a piece at its end starts over
// within one tick; a piece the game stopped stays where it rests.
#include <gtest/gtest.h>

#include "assets/media/music_loop.h"
#include "engine/scheduler.h"
#include "test_media.h"

namespace glamora::media::test {
namespace {

class MusicLoop : public ::testing::Test {
 protected:
  SimClock clock;
  ScratchDir dir;
  MediaPlayer* music = nullptr;
  std::unique_ptr<MediaLibrary> library;

  void SetUp() override {
    library = std::make_unique<MediaLibrary>(std::make_unique<SilentOutput>([this] { return clock.now(); }));
    music = &library->player(Media::Bgm);
    music->open(dir.write("song.mid", midiBytes(3)));  // 1500 ms
    addMusicLoop(clock, *music);
  }
};

TEST_F(MusicLoop, RestartsAPieceThatPlayedToItsEnd) {
  clock.advance(200);
  music->play();  // ends at 1700, restarted by the tick at 2000
  clock.advance(1600);
  EXPECT_EQ(music->position(), 1500);
  EXPECT_FALSE(music->playing());
  clock.advance(200);
  EXPECT_TRUE(music->playing());
  EXPECT_EQ(music->position(), 0);
  clock.advance(1500);  // ends at 3500, on a tick: restarted at once
  EXPECT_TRUE(music->playing());
  EXPECT_EQ(music->position(), 0);
}

TEST_F(MusicLoop, LeavesAStoppedOrUnplayedPieceAlone) {
  clock.advance(3000);
  EXPECT_FALSE(music->playing());
  music->play();
  clock.advance(700);
  music->rewind();
  music->stop();
  clock.advance(5000);
  EXPECT_FALSE(music->playing());
  EXPECT_EQ(music->position(), 0);
}

TEST_F(MusicLoop, DoesNothingWithoutAFile) {
  music->close();
  clock.advance(2000);
  EXPECT_FALSE(music->playing());
}

}  // namespace
}  // namespace glamora::media::test
