// The levels of music and voices: applied by the mixer per kind, ramped
// over one block when changed, settable from another thread.
#include <gtest/gtest.h>

#include <thread>

#include "test_media.h"

namespace glamora::media::test {
namespace {

// Adds the same value to every sample it is asked for.
class Constant final : public MixerInput {
 public:
  explicit Constant(float value) : value_(value) {}
  void mixInto(float* out, int frames) override {
    for (int i = 0; i < frames * kOutputChannels; ++i) out[i] += value_;
    played += frames;
  }
  void skip(std::int64_t frames) override { played += frames; }
  std::int64_t played = 0;

 private:
  float value_;
};

std::vector<float> render(Mixer& mixer, int frames) {
  std::vector<float> out(static_cast<std::size_t>(frames) * kOutputChannels);
  mixer.render(out.data(), frames);
  return out;
}

TEST(Volume, APercentOfTheSliderIsALevel) {
  const std::pair<int, float> cases[] = {{0, 0.0f}, {10, 0.01f}, {50, 0.25f}, {100, 1.0f}, {-5, 0.0f}, {150, 1.0f}};
  for (const auto& [percent, gain] : cases) EXPECT_FLOAT_EQ(gainOfPercent(percent), gain) << percent << " %";
}

TEST(Volume, EachKindIsHeardAtItsOwnLevel) {
  struct Case {
    float music, voices, heard;
  };
  // Music 0.5, voices 0.25, as decoded.
  const Case cases[] = {
      {1.0f, 1.0f, 0.75f},  {0.0f, 1.0f, 0.25f}, {1.0f, 0.0f, 0.5f},
      {0.5f, 0.5f, 0.375f}, {0.0f, 0.0f, 0.0f},  {2.0f, -1.0f, 0.5f},  // out of range: clamped to 0..1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "music " << c.music << ", voices " << c.voices);
    Mixer mixer;
    Constant music(0.5f), voice(0.25f);
    mixer.attach(&music, SoundKind::Music);
    mixer.attach(&voice, SoundKind::Voices);
    mixer.setGain(SoundKind::Music, c.music);
    mixer.setGain(SoundKind::Voices, c.voices);
    render(mixer, 64);  // the ramp from full level
    const std::vector<float> heard = render(mixer, 64);
    for (const float sample : heard) ASSERT_FLOAT_EQ(sample, c.heard);
    // A silent kind still moves on: its piece is where it would be when heard again.
    EXPECT_EQ(music.played, 128);
    EXPECT_EQ(voice.played, 128);
  }
}

TEST(Volume, AChangeIsRampedOverOneBlockWithoutAJump) {
  Mixer mixer;
  Constant music(0.8f);
  mixer.attach(&music, SoundKind::Music);
  mixer.setGain(SoundKind::Music, 0.25f);
  const std::vector<float> ramp = render(mixer, 100);
  EXPECT_NEAR(ramp.front(), 0.8f * (1.0f - 0.0075f), 1e-6f);
  EXPECT_FLOAT_EQ(ramp.back(), 0.8f * 0.25f);
  for (std::size_t i = kOutputChannels; i < ramp.size(); ++i) {
    ASSERT_LE(ramp[i], ramp[i - kOutputChannels]);
    ASSERT_LE(ramp[i - kOutputChannels] - ramp[i], 0.8f * 0.75f / 100 + 1e-6f);
  }
}

TEST(Volume, TheLibrarysMusicIsMusicAndItsVoicesAreVoices) {
  ScratchDir dir;
  SilentLibrary silent;
  const std::string piece = dir.write("a.wav", wavBytes(kOutputRate, 8192));  // 0.25 of full scale
  for (const Media m : {Media::Bgm, Media::P1mw, Media::P2mw, Media::P1sw, Media::P1sl}) {
    SCOPED_TRACE(mediaName(m));
    Mixer& mixer = silent.output->mixer();
    const SoundKind kind = soundKindOf(m);
    EXPECT_EQ(kind, m == Media::Bgm ? SoundKind::Music : SoundKind::Voices);
    const SoundKind other = kind == SoundKind::Music ? SoundKind::Voices : SoundKind::Music;
    silent.library.open(m, piece);
    silent.library.apply(m, MediaOp::Play);
    mixer.setGain(kind, 0.5f);
    mixer.setGain(other, 0.0f);
    listen(silent, 100);  // past the ramp
    const std::vector<float> heard = listen(silent, 100);
    EXPECT_FLOAT_EQ(heard.back(), 0.125f);
    mixer.setGain(kind, 0.0f);
    mixer.setGain(other, 1.0f);
    listen(silent, 100);
    EXPECT_EQ(rms(listen(silent, 100)), 0.0);
    silent.library.player(m).close();
    mixer.setGain(kind, 1.0f);
  }
}

// Another thread sets the levels while the device renders: every level read
// is one that was set (run under ThreadSanitizer to see the race-freedom).
TEST(Volume, LevelsSetFromAnotherThreadWhileRendering) {
  Mixer mixer;
  Constant music(1.0f);
  mixer.attach(&music, SoundKind::Music);
  std::thread slider([&] {
    for (int step = 0; step <= 100; ++step) mixer.setGain(SoundKind::Music, static_cast<float>(step % 2));
  });
  for (int block = 0; block < 50; ++block) {
    for (const float sample : render(mixer, 32)) ASSERT_TRUE(sample >= 0.0f && sample <= 1.0f);
  }
  slider.join();
  render(mixer, 32);
  EXPECT_FLOAT_EQ(render(mixer, 32).back(), 0.0f);  // the last level set: 100 % 2
}

}  // namespace
}  // namespace glamora::media::test
