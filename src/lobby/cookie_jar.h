// The lobby's cookies: a truncated HMAC-SHA-256, under a secret drawn at
// start, of an endpoint and the minute. A cookie is good in its minute and
// the next, so a game that asked for one just before the minute turned still
// gets in; after that it asks again.
#pragma once

#include <sodium.h>

#include <array>
#include <cstdint>

#include "lobby_wire.h"

namespace glamora::lobby {

class CookieJar {
 public:
  CookieJar();
  Cookie make(const Endpoint& endpoint, std::int64_t nowUs) const;
  bool holds(const Cookie& cookie, const Endpoint& endpoint, std::int64_t nowUs) const;

 private:
  Cookie forMinute(const Endpoint& endpoint, std::int64_t minute) const;

  // The HMAC already keyed with the secret, copied for each cookie: half the
  // hashing of keying it every time.
  crypto_auth_hmacsha256_state keyed_{};
};

}  // namespace glamora::lobby
