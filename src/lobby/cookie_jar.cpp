#include "cookie_jar.h"

#include <algorithm>
#include <stdexcept>

namespace glamora::lobby {

namespace {

constexpr std::int64_t kMinuteUs = 60'000'000;

// Rounds down also before the clock's zero (a test's clock may start anywhere).
std::int64_t minuteOf(std::int64_t nowUs) { return nowUs / kMinuteUs - (nowUs % kMinuteUs < 0 ? 1 : 0); }

}  // namespace

CookieJar::CookieJar() {
  if (sodium_init() < 0) throw std::runtime_error("cannot start libsodium");
  std::array<std::uint8_t, crypto_auth_hmacsha256_KEYBYTES> secret;
  crypto_auth_hmacsha256_keygen(secret.data());
  crypto_auth_hmacsha256_init(&keyed_, secret.data(), secret.size());
  sodium_memzero(secret.data(), secret.size());
}

Cookie CookieJar::forMinute(const Endpoint& endpoint, std::int64_t minute) const {
  std::uint8_t fields[14];
  for (int k = 0; k < 4; ++k) fields[k] = static_cast<std::uint8_t>(endpoint.ip >> (24 - 8 * k));
  fields[4] = static_cast<std::uint8_t>(endpoint.port >> 8);
  fields[5] = static_cast<std::uint8_t>(endpoint.port);
  for (int k = 0; k < 8; ++k)
    fields[6 + k] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(minute) >> (56 - 8 * k));
  std::array<std::uint8_t, crypto_auth_hmacsha256_BYTES> full;
  crypto_auth_hmacsha256_state state = keyed_;
  crypto_auth_hmacsha256_update(&state, fields, sizeof fields);
  crypto_auth_hmacsha256_final(&state, full.data());
  Cookie cookie;
  std::copy_n(full.begin(), cookie.size(), cookie.begin());
  return cookie;
}

Cookie CookieJar::make(const Endpoint& endpoint, std::int64_t nowUs) const {
  return forMinute(endpoint, minuteOf(nowUs));
}

bool CookieJar::holds(const Cookie& cookie, const Endpoint& endpoint, std::int64_t nowUs) const {
  const std::int64_t minute = minuteOf(nowUs);
  for (const std::int64_t m : {minute, minute - 1}) {
    const Cookie expected = forMinute(endpoint, m);
    if (sodium_memcmp(cookie.data(), expected.data(), cookie.size()) == 0) return true;
  }
  return false;
}

}  // namespace glamora::lobby
