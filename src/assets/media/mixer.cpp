#include "mixer.h"

#include <algorithm>

namespace glamora::media {

float gainOfPercent(int percent) {
  const float part = static_cast<float>(std::clamp(percent, 0, 100)) / 100.0f;
  return part * part;
}

void Mixer::attach(MixerInput* input, SoundKind kind) {
  std::lock_guard lock(mutex_);
  inputs_.push_back({input, kind});
}

void Mixer::detach(MixerInput* input) {
  std::lock_guard lock(mutex_);
  std::erase_if(inputs_, [input](const Input& in) { return in.input == input; });
}

void Mixer::setGain(SoundKind kind, float gain) {
  gains_[static_cast<std::size_t>(kind)].store(std::clamp(gain, 0.0f, 1.0f), std::memory_order_relaxed);
}

float Mixer::gain(SoundKind kind) const {
  return gains_[static_cast<std::size_t>(kind)].load(std::memory_order_relaxed);
}

void Mixer::render(float* out, int frames) {
  const std::size_t samples = static_cast<std::size_t>(std::max(frames, 0)) * kOutputChannels;
  std::fill(out, out + samples, 0.0f);
  std::lock_guard lock(mutex_);
  // Grows to the device's block size once; the device thread allocates nothing after.
  if (scratch_.size() < samples) scratch_.resize(samples);
  for (int k = 0; k < kSoundKindCount; ++k) {
    const auto kind = static_cast<SoundKind>(k);
    const float from = rendered_[k];
    const float to = gains_[k].load(std::memory_order_relaxed);
    rendered_[k] = to;
    bool any = false;
    for (const Input& in : inputs_) {
      if (in.kind != kind) continue;
      if (!any) std::fill(scratch_.begin(), scratch_.begin() + static_cast<std::ptrdiff_t>(samples), 0.0f);
      any = true;
      in.input->mixInto(scratch_.data(), frames);
    }
    if (!any || (from == 0.0f && to == 0.0f)) continue;
    // From the last block's level to the new one, frame by frame.
    const float step = frames > 0 ? (to - from) / static_cast<float>(frames) : 0.0f;
    for (int f = 0; f < frames; ++f) {
      const float g = from == to ? to : from + step * static_cast<float>(f + 1);
      for (int c = 0; c < kOutputChannels; ++c) out[f * kOutputChannels + c] += g * scratch_[f * kOutputChannels + c];
    }
  }
  // Two pieces at full level, or resampled 8-bit data, can pass full scale.
  for (std::size_t i = 0; i < samples; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void Mixer::skip(std::int64_t frames) {
  std::lock_guard lock(mutex_);
  for (const Input& in : inputs_) in.input->skip(frames);
}

}  // namespace glamora::media
