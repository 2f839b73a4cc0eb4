#include "pcm_source.h"

#include <algorithm>

namespace glamora::media {

void PcmSource::mixInto(float* out, std::int64_t from, int frames) {
  const std::int64_t n = std::clamp<std::int64_t>(lengthFrames() - from, 0, frames);
  const float* in = samples_.data() + from * kOutputChannels;
  for (std::int64_t i = 0; i < n * kOutputChannels; ++i) out[i] += in[i];
}

}  // namespace glamora::media
