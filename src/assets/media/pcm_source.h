// Decoded samples at the output rate: a voice. Mono voices are kept mono and
// sent to both sides while mixing.
#pragma once

#include <vector>

#include "mixer.h"
#include "sound_source.h"
#include "wav_decoder.h"

namespace glamora::media {

class PcmSource final : public SoundSource {
 public:
  explicit PcmSource(DecodedWave wave) : samples_(std::move(wave.samples)), channels_(wave.channels) {}

  std::int64_t lengthFrames() const override { return static_cast<std::int64_t>(samples_.size()) / channels_; }
  void mixInto(float* out, std::int64_t from, int frames) override;
  void skip(std::int64_t, std::int64_t) override {}

 private:
  std::vector<float> samples_;
  int channels_;  // 1 or kOutputChannels
};

}  // namespace glamora::media
