// A token bucket on a clock in microseconds: it holds at most `perPeriod`
// units and refills at `perPeriod` units every `periodUs`. Credit is kept in
// units × µs so that the refill is exact in integers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace glamora::lobby {

struct TokenBucket {
  static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::min();
  std::int64_t lastUs = kNever;  // a bucket never used is full
  std::int64_t credit = 0;

  // The units the bucket holds now (refilled up to the present).
  std::int64_t refill(std::int64_t perPeriod, std::int64_t periodUs, std::int64_t nowUs) {
    const std::int64_t full = perPeriod * periodUs;
    if (lastUs == kNever) {
      credit = full;
    } else if (nowUs > lastUs) {
      // After a whole period the bucket is full; clamping first keeps the product in range.
      credit = std::min(full, credit + std::min(nowUs - lastUs, periodUs) * perPeriod);
    }
    lastUs = std::max(lastUs, nowUs);
    return credit / periodUs;
  }
  // Takes `amount` units if the bucket holds them.
  bool take(std::int64_t amount, std::int64_t perPeriod, std::int64_t periodUs, std::int64_t nowUs) {
    refill(perPeriod, periodUs, nowUs);
    if (credit < amount * periodUs) return false;
    credit -= amount * periodUs;
    return true;
  }
};

}  // namespace glamora::lobby
