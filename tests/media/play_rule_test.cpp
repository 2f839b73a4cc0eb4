// The play rule, stop, rewind and the silent output's clock, on WAVE and MIDI.
#include <gtest/gtest.h>

#include "engine/errors.h"
#include "test_media.h"

namespace glamora::media::test {
namespace {

class PlayRule : public ::testing::Test {
 protected:
  ScratchDir dir;
  SilentLibrary silent;
  MediaPlayer& voice = silent.library.player(Media::P1mw);
  MediaPlayer& music = silent.library.player(Media::Bgm);

  void openOneSecondVoice() { voice.open(dir.write("voice.wav", wavBytes(kOutputRate))); }
};

TEST_F(PlayRule, PlayInTheMiddleGoesOnAndPlayAtTheEndStartsOver) {
  openOneSecondVoice();
  EXPECT_EQ(voice.length(), 1000);
  EXPECT_EQ(voice.position(), 0);
  EXPECT_FALSE(voice.playing());

  voice.play();
  silent.now = 400;
  voice.play();  // still sounding: not restarted
  EXPECT_EQ(voice.position(), 400);
  silent.now = 1700;  // played to its end and stopped there
  EXPECT_EQ(voice.position(), 1000);
  EXPECT_FALSE(voice.playing());

  voice.play();
  EXPECT_EQ(voice.position(), 0);
  EXPECT_TRUE(voice.playing());
  silent.now = 1950;
  EXPECT_EQ(voice.position(), 250);
}

TEST_F(PlayRule, StopKeepsThePositionAndPlayGoesOnFromIt) {
  openOneSecondVoice();
  voice.play();
  silent.now = 300;
  voice.stop();
  silent.now = 900;
  EXPECT_EQ(voice.position(), 300);
  EXPECT_FALSE(voice.playing());
  voice.play();
  silent.now = 1000;
  EXPECT_EQ(voice.position(), 400);
}

TEST_F(PlayRule, RewindGoesToTheStartAndKeepsPlayingOrStopped) {
  openOneSecondVoice();
  voice.play();
  silent.now = 600;
  voice.rewind();
  EXPECT_EQ(voice.position(), 0);
  silent.now = 700;
  EXPECT_EQ(voice.position(), 100);

  // The game's "rewind, stop": the piece rests at its start.
  voice.rewind();
  voice.stop();
  silent.now = 5000;
  EXPECT_EQ(voice.position(), 0);
  EXPECT_FALSE(voice.playing());
}

TEST_F(PlayRule, MidiFollowsTheSameRule) {
  music.open(dir.write("song.mid", midiBytes(4)));  // four quarter notes at 120 bpm
  EXPECT_EQ(music.length(), 2000);
  music.play();
  silent.now = 500;
  music.play();
  EXPECT_EQ(music.position(), 500);
  music.stop();
  silent.now = 800;
  EXPECT_EQ(music.position(), 500);
  music.play();
  silent.now = 5000;
  EXPECT_EQ(music.position(), music.length());
  music.play();
  EXPECT_EQ(music.position(), 0);
  music.rewind();
  EXPECT_TRUE(music.playing());
}

TEST_F(PlayRule, AHeldPieceStandsAndSoundsNothingAndTheGamesOperationsStillCount) {
  music.open(dir.write("song.mid", midiBytes(4)));
  music.play();
  silent.now = 500;
  music.hold(true);
  silent.now = 1500;
  EXPECT_EQ(music.position(), 500);
  EXPECT_TRUE(music.playing());
  EXPECT_LT(rms(listen(silent, 200)), 1e-6);
  music.hold(false);
  silent.now += 300;
  EXPECT_EQ(music.position(), 800);

  // Switched off while held, it stays off when let go; switched on, it
  // sounds only once let go.
  music.hold(true);
  music.stop();
  music.hold(false);
  silent.now += 400;
  EXPECT_EQ(music.position(), 800);
  music.hold(true);
  music.play();
  silent.now += 400;
  EXPECT_EQ(music.position(), 800);
  music.hold(false);
  silent.now += 100;
  EXPECT_EQ(music.position(), 900);
}

TEST_F(PlayRule, SilentOutputMovesEveryPlayerOnTheInjectedClock) {
  openOneSecondVoice();
  music.open(dir.write("song.mid", midiBytes(4)));
  music.play();
  silent.now = 250;
  voice.play();
  silent.now = 750;
  EXPECT_EQ(music.position(), 750);
  EXPECT_EQ(voice.position(), 500);
  EXPECT_TRUE(silent.output->silent());

  // A long wait (the machine slept) only moves the pieces to their ends.
  silent.now = 10LL * 3600 * 1000;
  EXPECT_EQ(music.position(), 2000);
  EXPECT_EQ(voice.position(), 1000);
}

TEST_F(PlayRule, OperationsWithoutAFileDoNothing) {
  for (MediaOp op : {MediaOp::Play, MediaOp::Stop, MediaOp::Rewind, MediaOp::Open})
    EXPECT_NO_THROW(silent.library.apply(Media::P2mw, op));
  MediaPlayer& p = silent.library.player(Media::P2mw);
  EXPECT_FALSE(p.isOpen());
  EXPECT_FALSE(p.playing());
  EXPECT_EQ(p.position(), 0);
  EXPECT_EQ(p.length(), 0);
}

TEST_F(PlayRule, OpeningAgainClosesTheOldFileAndAFailedOpenLeavesNoneOpen) {
  openOneSecondVoice();
  voice.play();
  silent.now = 200;
  voice.open(dir.write("short.wav", wavBytes(kOutputRate / 2)));
  EXPECT_EQ(voice.length(), 500);
  EXPECT_EQ(voice.position(), 0);
  EXPECT_FALSE(voice.playing());

  EXPECT_THROW(voice.open(dir.path("missing.wav")), GameError);
  EXPECT_FALSE(voice.isOpen());
  EXPECT_EQ(voice.path(), "");
}

TEST_F(PlayRule, LibraryAppliesOperationsToTheNamedPlayer) {
  silent.library.open(Media::P1sl, dir.write("lose.wav", wavBytes(kOutputRate)));
  silent.library.apply(Media::P1sl, MediaOp::Play);
  silent.now = 300;
  EXPECT_EQ(silent.library.player(Media::P1sl).position(), 300);
  EXPECT_FALSE(silent.library.player(Media::P1sw).playing());
  silent.library.apply(Media::P1sl, MediaOp::Stop);
  silent.library.apply(Media::P1sl, MediaOp::Rewind);
  EXPECT_EQ(silent.library.player(Media::P1sl).position(), 0);
  silent.library.apply(Media::P1sl, MediaOp::Open);  // same file again
  EXPECT_TRUE(silent.library.player(Media::P1sl).isOpen());
}

}  // namespace
}  // namespace glamora::media::test
