#include "mixer.h"

#include <algorithm>

namespace glamora::media {

void Mixer::attach(MixerInput* input) {
  std::lock_guard lock(mutex_);
  inputs_.push_back(input);
}

void Mixer::detach(MixerInput* input) {
  std::lock_guard lock(mutex_);
  std::erase(inputs_, input);
}

void Mixer::render(float* out, int frames) {
  std::fill(out, out + static_cast<std::size_t>(frames) * kOutputChannels, 0.0f);
  std::lock_guard lock(mutex_);
  for (MixerInput* input : inputs_) input->mixInto(out, frames);
  // Two pieces at full level, or resampled 8-bit data, can pass full scale.
  for (int i = 0; i < frames * kOutputChannels; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void Mixer::skip(std::int64_t frames) {
  std::lock_guard lock(mutex_);
  for (MixerInput* input : inputs_) input->skip(frames);
}

}  // namespace glamora::media
