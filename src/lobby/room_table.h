// The lobby's rooms and the ways it finds them: by code, by the host's
// endpoint, the public list (newest first), and the proven relay endpoints.
// Every index is kept in step by the table's own operations, so closing a
// room or forgetting its joiner leaves nothing behind.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "lobby_wire.h"
#include "token_bucket.h"

namespace glamora::lobby {

enum class Phase : std::uint8_t {
  Waiting,     // no joiner yet
  Introduced,  // a joiner has the key; the two are punching or proving for the relay
  Relayed,     // the greeting went through the relay, which goes on
};

// One side's endpoint for relaying, once it has proven it with the room's key.
struct RelayEnd {
  bool proven = false;
  Endpoint at;
  TokenBucket bytes;  // what this side may send on
  // The last nonces accepted, so that a proof seen on the way cannot move the
  // side to another endpoint.
  std::array<std::uint64_t, 4> nonces{};
  std::size_t nextNonce = 0;
};

struct Room {
  std::string code;
  std::string name;
  std::string version;
  std::uint64_t signature = 0;
  bool open = false;
  Endpoint host;
  std::vector<Endpoint> hostLocals;
  Endpoint joiner;
  std::vector<Endpoint> joinerLocals;
  Phase phase = Phase::Waiting;
  RoomKey key{};
  std::int64_t waitingSinceUs = 0;
  std::int64_t hostHeardUs = 0;
  std::int64_t introducedUs = 0;
  std::int64_t relayHeardUs = 0;
  std::uint64_t serial = 0;  // told apart from rooms that began waiting in the same microsecond
  bool listed = false;
  std::array<RelayEnd, 2> relay;
  bool relayedLogged = false;

  bool introduced() const { return phase != Phase::Waiting; }
  bool relaying() const { return relay[0].proven && relay[1].proven; }
};

// A proven relay endpoint: its room and its side.
struct RelayLink {
  Room* room = nullptr;
  Role role = Role::Host;
};

// A hash of endpoints under a seed drawn at start, so that nobody can choose
// endpoints that crowd one bucket.
struct EndpointHash {
  std::uint64_t seed;
  std::size_t operator()(const Endpoint& e) const {
    std::uint64_t x = ((std::uint64_t{e.ip} << 16) | e.port) ^ seed;
    x ^= x >> 33, x *= 0xFF51AFD7ED558CCDull, x ^= x >> 33, x *= 0xC4CEB9FE1A85EC53ull, x ^= x >> 33;
    return static_cast<std::size_t>(x);
  }
};

class RoomTable {
 public:
  RoomTable();

  std::size_t size() const { return byCode_.size(); }
  std::size_t relayed() const { return relayed_; }
  std::size_t listed() const { return listed_.size(); }

  // A code no living room has.
  std::string freshCode() const;
  Room& add(Room room);
  Room* find(const std::string& code);
  Room* hostedBy(const Endpoint& host);
  // Ends the room and drops it from every index.
  void close(Room& room);

  // In the public list while it is open and waiting.
  void updateListing(Room& room);
  // Calls `visit` for the listed rooms from `offset`, newest first, while it returns true.
  void forListed(std::size_t offset, const std::function<bool(const Room&)>& visit) const;

  // Makes `at` the proven relay endpoint of the room's side.
  void prove(Room& room, Role role, const Endpoint& at);
  // Back to waiting: the joiner, the key and the proofs are forgotten.
  void reopen(Room& room, std::int64_t nowUs);
  const RelayLink* relayLink(const Endpoint& at) const {
    const auto found = relayEnds_.find(at);
    return found == relayEnds_.end() ? nullptr : &found->second;
  }

  // Visits every room; `visit` returns false to close the room.
  void sweep(const std::function<bool(Room&)>& visit);

 private:
  void forgetProofs(Room& room);

  std::unordered_map<std::string, Room> byCode_;
  std::unordered_map<Endpoint, Room*, EndpointHash> byHost_;
  std::unordered_map<Endpoint, RelayLink, EndpointHash> relayEnds_;
  // Newest first: by when the room began waiting, then by when it was made.
  using ListPlace = std::pair<std::int64_t, std::uint64_t>;
  static ListPlace placeOf(const Room& room) { return {room.waitingSinceUs, room.serial}; }
  std::map<ListPlace, Room*, std::greater<>> listed_;
  std::uint64_t lastSerial_ = 0;
  std::size_t relayed_ = 0;
};

}  // namespace glamora::lobby
