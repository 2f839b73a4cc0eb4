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

class SilentOutput final : public AudioOutput {
 public:
  // Receives what the mixer renders, `frames` interleaved stereo frames.
  using Tap = std::function<void(const float* samples, int frames)>;

  explicit SilentOutput(MillisecondClock clock = steadyMilliseconds());

  // With a tap, passing time is rendered through the mixer and handed to it
  // (tests listen this way); without one, inputs only move on, which costs
  // next to nothing however long the wait.
  void setTap(Tap tap) { tap_ = std::move(tap); }

  void catchUp() override;
  bool silent() const override { return true; }
  std::string description() const override { return "silent"; }

 private:
  MillisecondClock clock_;
  std::int64_t startMs_;
  std::int64_t framesDone_ = 0;
  Tap tap_;
};

}  // namespace glamora::media
