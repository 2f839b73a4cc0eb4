// The sound card, opened on a thread of its own so that the game never waits
// for it. Until the card plays, and for good when there is none, the output is
// silent on the real clock, so players move on exactly as they would be heard.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "audio_output.h"
#include "sdl_device.h"
#include "silent_output.h"

namespace glamora::media {

class DeviceOutput final : public AudioOutput {
 public:
  // With `renderWhenSilent` the music and voices are synthesised and mixed
  // even while nothing is heard, so that their cost can be measured on a
  // machine with no sound card. `willRender` is called on the opening thread
  // once the sound is known to be rendered: at once with `renderWhenSilent`,
  // otherwise when the card has opened, before it first plays.
  explicit DeviceOutput(bool renderWhenSilent = false, std::function<void()> willRender = {});
  ~DeviceOutput() override;

  void catchUp() override;
  bool silent() const override { return !live_; }
  bool rendering() const override { return live_ || tap_; }
  std::string description() const override;

 private:
  void openDevice(const std::function<void()>& willRender);  // on opener_

  mutable std::mutex paceMutex_;  // the pacer, device_ and the hand-over to the card
  SilentPacer pacer_;
  SilentTap tap_;
  std::unique_ptr<SdlDevice> device_;
  std::atomic<bool> live_{false};
  std::thread opener_;  // last: starts once everything above exists
};

}  // namespace glamora::media
