#include "time_sync.h"

#include <algorithm>

namespace glamora::net {

void TimeSync::heard(const InputsBody& p, std::int64_t nowUs, int myTick, std::int64_t myTickStartUs) {
  if (p.echoAgeUs != kNoEcho) {
    const auto sample = static_cast<std::int32_t>(static_cast<std::uint32_t>(nowUs) - p.echoUs - p.echoAgeUs);
    if (sample >= 0 && sample <= 10'000'000) {
      roundTripUs_ = roundTripUs_ < 0 ? sample : roundTripUs_ + (sample - roundTripUs_) / 8;
    }
  }
  if (roundTripUs_ < 0) return;
  // The other side sent right after its tick; it has gone on for half a round trip since.
  const std::int64_t theirs = std::int64_t{p.tick} * 1000 + roundTripUs_ / 2 * 1000 / tickUs_;
  const std::int64_t mine =
      std::int64_t{myTick} * 1000 + std::clamp<std::int64_t>((nowUs - myTickStartUs) * 1000 / tickUs_, 0, 1000);
  leads_[leadCount_++ % leads_.size()] =
      static_cast<std::int32_t>(std::clamp<std::int64_t>(mine - theirs, -30000, 30000));
  theirLead_ = p.leadMilliTicks;
}

std::int32_t TimeSync::leadMilliTicks() const {
  const int n = std::min<int>(leadCount_, static_cast<int>(leads_.size()));
  if (n == 0) return 0;
  std::int64_t sum = 0;
  for (int k = 0; k < n; ++k) sum += leads_[k];
  return static_cast<std::int32_t>(sum / n);
}

std::int64_t TimeSync::extraUs() const {
  if (leadCount_ == 0) return 0;
  const std::int32_t ahead = (leadMilliTicks() - theirLead_) / 2;
  if (ahead < kLevelMilliTicks) return 0;
  return std::min<std::int64_t>(ahead / 8, kMostExtraMilliTicks) * tickUs_ / 1000;
}

}  // namespace glamora::net
