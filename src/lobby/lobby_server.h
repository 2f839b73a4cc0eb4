// The meeting server's logic without sockets, on a clock in microseconds:
// receive() takes one datagram and adds what goes out for it; tick() ends
// and reopens the rooms whose time is up and should run every 100 ms or
// sooner. Nothing goes to an endpoint that has not echoed a valid cookie
// except the cookie itself, never larger than the request that asked.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "cookie_jar.h"
#include "lobby_wire.h"
#include "rate_table.h"
#include "room_table.h"

namespace glamora::lobby {

struct Limits {
  std::size_t rooms = 10000;
  int requestsPerSecond = 20;  // lobby messages a second per sending address
  int unknownCodesPerMinute = 10;
  std::int64_t relayBytesPerSecond = 32768;  // each way, per room
  std::size_t relayedRooms = 2000;
  std::size_t addressSlots = RateTable::kDefaultSlots;  // buckets in each table of addresses, fixed
};

struct Outgoing {
  Endpoint to;
  std::vector<std::uint8_t> bytes;
};

class LobbyServer {
 public:
  LobbyServer(Limits limits, std::function<void(std::string_view)> log);

  void receive(const Endpoint& from, std::span<const std::uint8_t> datagram, std::int64_t nowUs,
               std::vector<Outgoing>& out);
  void tick(std::int64_t nowUs, std::vector<Outgoing>& out);

  std::size_t rooms() const { return rooms_.size(); }
  std::size_t relayedRooms() const { return rooms_.relayed(); }
  // Lobby messages dropped over an address's rate.
  std::int64_t droppedRequests() const { return droppedRequests_; }
  // Datagrams dropped otherwise: malformed, not for the lobby, relayed over the byte rate.
  std::int64_t droppedDatagrams() const { return droppedDatagrams_; }

 private:
  struct Context;  // one request being answered
  void relayOn(const RelayLink& link, std::span<const std::uint8_t> datagram, std::int64_t nowUs,
               std::vector<Outgoing>& out);
  void handle(Context& c, const Register& r);
  void handle(Context& c, const SetPublic& r);
  void handle(Context& c, const Keepalive& r);
  void handle(Context& c, const Leave& r);
  void handle(Context& c, const Join& r);
  void handle(Context& c, const List& r);
  void handle(Context& c, const Relay& r);
  void handle(Context& c, const Started& r);
  void refuse(Context& c, Refusal why, std::string_view request);
  // The room the request names, when it comes from the room's host.
  Room* hostsRoom(const Context& c, const std::string& code);
  void introduce(Context& c, Room& room, const Join& join);
  void closeRoom(Room& room, std::string_view why);
  // Why the room ends now, if it does; an introduced room not started in time opens again.
  std::optional<std::string_view> endOf(Room& room, std::int64_t nowUs);
  void logDrops(std::int64_t nowUs);
  void logf(const char* format, ...) __attribute__((format(printf, 2, 3)));

  Limits limits_;
  std::function<void(std::string_view)> log_;
  CookieJar cookies_;
  RateTable requests_;
  RateTable guesses_;
  RoomTable rooms_;
  std::int64_t droppedRequests_ = 0;
  std::int64_t droppedDatagrams_ = 0;
  std::int64_t droppedSinceLog_ = 0;
  std::int64_t dropsLoggedUs_ = TokenBucket::kNever;
};

}  // namespace glamora::lobby
