#include "pcm_source.h"

#include <algorithm>

namespace glamora::media {

void PcmSource::mixInto(float* out, std::int64_t from, int frames) {
  const std::int64_t n = std::clamp<std::int64_t>(lengthFrames() - from, 0, frames);
  const float* in = samples_.data() + from * channels_;
  if (channels_ == 1) {
    for (std::int64_t i = 0; i < n; ++i) {
      out[2 * i] += in[i];
      out[2 * i + 1] += in[i];
    }
    return;
  }
  for (std::int64_t i = 0; i < n * kOutputChannels; ++i) out[i] += in[i];
}

}  // namespace glamora::media
