// Token buckets per IPv4 address in a table of fixed size: a slot is chosen
// by a keyed hash of the address (SipHash under a key drawn at start), so
// addresses that share a slot share its bucket, and no number of sources,
// spoofed or not, grows the memory, nor can anyone aim at another's slot.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "token_bucket.h"

namespace glamora::lobby {

class RateTable {
 public:
  static constexpr std::size_t kDefaultSlots = 65536;
  // At most `perPeriod` a `periodUs` per slot.
  RateTable(std::int64_t perPeriod, std::int64_t periodUs, std::size_t slots = kDefaultSlots);

  // Takes one from the address's bucket; false when it is empty.
  bool take(std::uint32_t ip, std::int64_t nowUs);
  // Whether the address's bucket holds one, without taking it.
  bool holds(std::uint32_t ip, std::int64_t nowUs);
  std::size_t slots() const { return buckets_.size(); }

 private:
  TokenBucket& bucketOf(std::uint32_t ip);

  std::int64_t perPeriod_;
  std::int64_t periodUs_;
  std::vector<TokenBucket> buckets_;
  std::array<std::uint8_t, 16> key_{};
};

}  // namespace glamora::lobby
