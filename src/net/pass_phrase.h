// The pass phrase a host may set for its network battle: the key derived from
// it and the proofs made with it (libsodium: Argon2id, HMAC-SHA-256), and the
// guard that keeps an address from guessing it. Two games the lobby has
// introduced greet with the room's key, a phrase (if any) on top.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "engine/net/handshake.h"
#include "lobby/lobby_wire.h"

namespace glamora::netio {

// A host's key is derived at once with a fresh random salt, a joiner's when
// the host's salt comes (Handshake::receive): each about 90 ms, 64 MiB.
std::unique_ptr<net::PassKey> passKey(const std::string& phrase, bool host);
// The key of a room the lobby introduced both sides to: the room's key
// itself when there is no phrase (deriving only keeps the salt), else
// HMAC-SHA-256 under the room's key of the phrase's Argon2id key. Only the
// game the lobby introduced can take the seat.
std::unique_ptr<net::PassKey> roomPassKey(const lobby::RoomKey& room, const std::string& phrase, bool host);

// The wrong proofs of each address in the last minute: from the 6th on, an
// address's proofs are refused unchecked (and still counted).
class WrongProofs {
 public:
  static constexpr std::size_t kPerMinute = 5;
  bool allows(const std::string& address, std::int64_t nowUs) const;
  void note(const std::string& address, std::int64_t nowUs);

 private:
  std::map<std::string, std::deque<std::int64_t>> recent_;  // the latest kPerMinute times, oldest first
};

}  // namespace glamora::netio
