#include "rate_table.h"

#include <sodium.h>

#include <algorithm>
#include <stdexcept>

namespace glamora::lobby {

RateTable::RateTable(std::int64_t perPeriod, std::int64_t periodUs, std::size_t slots)
    : perPeriod_(perPeriod), periodUs_(periodUs), buckets_(std::max<std::size_t>(slots, 1)) {
  static_assert(sizeof key_ == crypto_shorthash_KEYBYTES);
  if (sodium_init() < 0) throw std::runtime_error("cannot start libsodium");
  randombytes_buf(key_.data(), key_.size());
}

TokenBucket& RateTable::bucketOf(std::uint32_t ip) {
  const std::uint8_t address[4] = {static_cast<std::uint8_t>(ip >> 24), static_cast<std::uint8_t>(ip >> 16),
                                   static_cast<std::uint8_t>(ip >> 8), static_cast<std::uint8_t>(ip)};
  std::uint8_t hash[crypto_shorthash_BYTES];
  crypto_shorthash(hash, address, sizeof address, key_.data());
  std::uint64_t h = 0;
  for (const std::uint8_t b : hash) h = (h << 8) | b;
  return buckets_[h % buckets_.size()];
}

bool RateTable::take(std::uint32_t ip, std::int64_t nowUs) {
  return bucketOf(ip).take(1, perPeriod_, periodUs_, nowUs);
}

bool RateTable::holds(std::uint32_t ip, std::int64_t nowUs) {
  return bucketOf(ip).refill(perPeriod_, periodUs_, nowUs) >= 1;
}

}  // namespace glamora::lobby
