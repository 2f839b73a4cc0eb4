#include "silent_output.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace glamora::media {

MillisecondClock steadyMilliseconds() {
  return [] {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  };
}

SilentPacer::SilentPacer(MillisecondClock clock) : clock_(std::move(clock)), startMs_(clock_()) {}

void SilentPacer::catchUp(Mixer& mixer, const SilentTap& tap) {
  // Frames are counted from the start so that no fraction of a millisecond is lost.
  const std::int64_t target = (clock_() - startMs_) * kOutputRate / 1000;
  const std::int64_t due = target - framesDone_;
  if (due <= 0) return;
  framesDone_ = target;
  if (!tap) {
    mixer.skip(due);
    return;
  }
  constexpr int kBlock = 4096;
  std::vector<float> block(static_cast<std::size_t>(kBlock) * kOutputChannels);
  for (std::int64_t left = due; left > 0;) {
    const int n = static_cast<int>(std::min<std::int64_t>(left, kBlock));
    mixer.render(block.data(), n);
    tap(block.data(), n);
    left -= n;
  }
}

}  // namespace glamora::media
