// What the mixer hands to the device: every sounding player summed, clamped.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/errors.h"
#include "test_media.h"

namespace glamora::media::test {
namespace {

TEST(Mixing, TwoPlayersSoundAtOnceAndTheSumIsClamped) {
  ScratchDir dir;
  SilentLibrary silent;
  // 0.25 and 0.5 of full scale, both exact in 16 bits.
  silent.library.open(Media::P1mw, dir.write("a.wav", wavBytes(kOutputRate, 8192)));
  silent.library.open(Media::P2mw, dir.write("b.wav", wavBytes(kOutputRate / 2, 16384)));
  silent.library.open(Media::P1sw, dir.write("c.wav", wavBytes(kOutputRate, 16384)));
  silent.library.apply(Media::P1mw, MediaOp::Play);
  silent.library.apply(Media::P2mw, MediaOp::Play);

  const std::vector<float> heard = listen(silent, 1000);
  ASSERT_EQ(heard.size(), static_cast<std::size_t>(kOutputRate) * 2);
  EXPECT_FLOAT_EQ(heard[0], 0.75f);  // both, left
  EXPECT_FLOAT_EQ(heard[1], 0.75f);  // both, right
  EXPECT_FLOAT_EQ(heard[kOutputRate / 2 * 2 - 1], 0.75f);
  EXPECT_FLOAT_EQ(heard[kOutputRate / 2 * 2], 0.25f);  // the short one has ended
  EXPECT_FLOAT_EQ(heard.back(), 0.25f);

  silent.library.apply(Media::P1mw, MediaOp::Play);  // at its end: starts over
  silent.library.apply(Media::P2mw, MediaOp::Play);
  silent.library.apply(Media::P1sw, MediaOp::Play);
  const std::vector<float> loud = listen(silent, 100);
  EXPECT_FLOAT_EQ(*std::max_element(loud.begin(), loud.end()), 1.0f);
}

TEST(Mixing, StoppedAndUnopenedPlayersAreSilent) {
  ScratchDir dir;
  SilentLibrary silent;
  silent.library.open(Media::P1mw, dir.write("a.wav", wavBytes(kOutputRate, 8192)));
  silent.library.apply(Media::P1mw, MediaOp::Play);
  silent.library.apply(Media::P1mw, MediaOp::Stop);
  EXPECT_EQ(rms(listen(silent, 200)), 0.0);
}

TEST(Mixing, ConvertsRateAndChannelsToTheOutputFormat) {
  ScratchDir dir;
  SilentLibrary silent;
  // Half a second of stereo at 22050 Hz plays for half a second.
  silent.library.open(Media::P1mw, dir.write("a.wav", wavBytes(11025, 8192, 22050, 2)));
  EXPECT_EQ(silent.library.player(Media::P1mw).length(), 500);
  silent.library.apply(Media::P1mw, MediaOp::Play);
  const std::vector<float> heard = listen(silent, 250);
  EXPECT_NEAR(heard[kOutputRate / 4], 0.25f, 0.01f);
}

TEST(Mixing, MidiIsSynthesisedIntoTheMix) {
  ScratchDir dir;
  SilentLibrary silent;
  silent.library.open(Media::Bgm, dir.write("song.mid", midiBytes(2)));
  silent.library.apply(Media::Bgm, MediaOp::Play);
  EXPECT_GT(rms(listen(silent, 500)), 0.001);
  // A stopped piece adds nothing, not even the tails of its notes.
  silent.library.apply(Media::Bgm, MediaOp::Stop);
  EXPECT_EQ(rms(listen(silent, 100)), 0.0);
}

TEST(Mixing, MidiSynthesisedWithTheSoundFontLoadedAheadSoundsTheSame) {
  ScratchDir dir;
  const std::string song = dir.write("song.mid", midiBytes(2));
  std::vector<std::vector<float>> heard;
  for (const bool loadAhead : {true, false}) {
    if (loadAhead) loadSoundFontAhead(defaultSoundFonts());
    SilentLibrary silent;
    silent.library.open(Media::Bgm, song);
    silent.library.apply(Media::Bgm, MediaOp::Play);
    heard.push_back(listen(silent, 500));
  }
  EXPECT_GT(rms(heard[0]), 0.001);
  EXPECT_EQ(heard[0], heard[1]);
}

// With no card playing, a song keeps its place without a synthesiser; once
// the sound is rendered it takes the one loaded in the background and sounds.
TEST(Mixing, MidiOpenedWhileNothingIsRenderedSoundsOnceItIs) {
  ScratchDir dir;
  SilentLibrary silent;
  silent.output->setRendering(false);
  silent.library.open(Media::Bgm, dir.write("song.mid", midiBytes(16)));
  silent.library.apply(Media::Bgm, MediaOp::Play);
  silent.now += 1000;
  EXPECT_EQ(silent.library.player(Media::Bgm).position(), 1000);

  silent.output->setRendering(true);
  // The note due at 1 s passed unheard; the synthesiser starts loading now.
  EXPECT_EQ(rms(listen(silent, 10)), 0.0);
  waitForSoundFontAhead();
  EXPECT_GT(rms(listen(silent, 2000)), 0.001);
  EXPECT_EQ(silent.library.player(Media::Bgm).position(), 3010);
}

// Only a SoundFont's presence is checked while nothing is rendered: a file
// that is no SoundFont fails when the song must sound, not before.
TEST(Mixing, MidiOpenedWhileNothingIsRenderedLoadsNoSoundFont) {
  ScratchDir dir;
  const std::string song = dir.write("song.mid", midiBytes(2));
  const std::string notAFont = dir.write("broken.sf2", wavBytes(100));
  SilentLibrary quiet({notAFont});
  quiet.output->setRendering(false);
  EXPECT_NO_THROW(quiet.library.open(Media::Bgm, song));

  SilentLibrary heard({notAFont});
  EXPECT_THROW(heard.library.open(Media::Bgm, song), GameError);

  SilentLibrary none({dir.path("missing.sf2")});
  none.output->setRendering(false);
  try {
    none.library.open(Media::Bgm, song);
    ADD_FAILURE() << "a song with no SoundFont at all opened";
  } catch (const GameError& e) {
    EXPECT_NE(std::string(e.what()).find("SoundFont"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("missing.sf2"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace glamora::media::test
