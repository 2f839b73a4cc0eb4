// The sound card through SDL2's audio subsystem; our mixer fills its buffers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "audio_output.h"

namespace glamora::media {

class SdlOutput final : public AudioOutput {
 public:
  // Opens the default device as 44.1 kHz stereo float (SDL converts to what the
  // card wants). Null when there is none; `whyNot` then gets SDL's reason.
  static std::unique_ptr<SdlOutput> open(std::string* whyNot = nullptr);
  ~SdlOutput() override;

  bool silent() const override { return false; }
  std::string description() const override { return description_; }

 private:
  SdlOutput() = default;
  static void fill(void* self, std::uint8_t* stream, int bytes);

  std::uint32_t device_ = 0;
  std::string description_;
};

}  // namespace glamora::media
