// Decoded samples at the output rate: a voice.
#pragma once

#include <vector>

#include "mixer.h"
#include "sound_source.h"

namespace glamora::media {

class PcmSource final : public SoundSource {
 public:
  // Interleaved stereo samples at kOutputRate.
  explicit PcmSource(std::vector<float> samples) : samples_(std::move(samples)) {}

  std::int64_t lengthFrames() const override {
    return static_cast<std::int64_t>(samples_.size()) / kOutputChannels;
  }
  void mixInto(float* out, std::int64_t from, int frames) override;
  void skip(std::int64_t, std::int64_t) override {}

 private:
  std::vector<float> samples_;
};

}  // namespace glamora::media
