// An output with no sound card: inputs advance as the clock says time passes,
// so positions, lengths and the music loop behave as with a real device.
#pragma once

#include <cstdint>
#include <functional>

#include "audio_output.h"

namespace glamora::media {

// Milliseconds from an arbitrary origin, never going back.
using MillisecondClock = std::function<std::int64_t()>;
MillisecondClock steadyMilliseconds();

// Receives what the mixer renders, `frames` interleaved stereo frames.
using SilentTap = std::function<void(const float* samples, int frames)>;

// Moves a mixer on by the frames its clock says have passed since it was made.
class SilentPacer {
 public:
  explicit SilentPacer(MillisecondClock clock);
  // Without a tap the inputs only skip, which costs next to nothing however
  // long the wait; with one the frames are rendered and handed to it.
  void catchUp(Mixer& mixer, const SilentTap& tap);

 private:
  MillisecondClock clock_;
  std::int64_t startMs_;
  std::int64_t framesDone_ = 0;
};

class SilentOutput final : public AudioOutput {
 public:
  using Tap = SilentTap;

  explicit SilentOutput(MillisecondClock clock = steadyMilliseconds()) : pacer_(std::move(clock)) {}

  // With a tap, passing time is rendered through the mixer and handed to it
  // (tests listen this way); without one, inputs only move on.
  void setTap(Tap tap) { tap_ = std::move(tap); }

  void catchUp() override { pacer_.catchUp(mixer(), tap_); }
  bool silent() const override { return true; }
  // A tap may listen at any time, so sources are ready to sound unless told
  // otherwise (as on a machine whose card has not opened).
  bool rendering() const override { return rendering_; }
  void setRendering(bool rendering) { rendering_ = rendering; }
  std::string description() const override { return "silent"; }

 private:
  SilentPacer pacer_;
  Tap tap_;
  bool rendering_ = true;
};

}  // namespace glamora::media
