// The sound card through SDL2's audio subsystem; a mixer fills its buffers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "mixer.h"

namespace glamora::media {

class SdlDevice {
 public:
  // Opens the default device as 44.1 kHz stereo float (SDL converts to what
  // the card wants), paused, to be filled from `mixer`. Null when there is
  // none; `whyNot` then gets SDL's reason. Takes a while (up to ~100 ms when
  // it fails): call it away from the user-interface thread.
  static std::unique_ptr<SdlDevice> open(Mixer& mixer, std::string* whyNot = nullptr);
  ~SdlDevice();
  SdlDevice(const SdlDevice&) = delete;
  SdlDevice& operator=(const SdlDevice&) = delete;

  // The device starts pulling sound from the mixer.
  void start();
  // "SDL pulseaudio", "SDL alsa", ...
  const std::string& description() const { return description_; }

 private:
  explicit SdlDevice(Mixer& mixer) : mixer_(mixer) {}
  static void fill(void* self, std::uint8_t* stream, int bytes);

  Mixer& mixer_;
  std::uint32_t device_ = 0;
  std::string description_;
};

}  // namespace glamora::media
