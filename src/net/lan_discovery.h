// Finding games on the local network. A joiner sends a probe to the game's
// port, as a broadcast; every host that hears it answers from the port its
// battle uses, with its name, its game version and whether it waits for a
// peer. Both messages are checked like the battle's packets (magic, lengths,
// a CRC-32); what comes from another machine is shown only as printable text.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <enet/enet.h>

#include "engine/net/side_messages.h"

namespace glamora::netio {

// A name or a version from another machine shows at most this many characters.
using net::kShownNameCharacters;

struct GameProbe {
  std::uint16_t protocol = 0;
  std::string gameVersion;
};

struct GameAnswer {
  std::uint16_t protocol = 0;
  std::string gameVersion;
  std::string name;
  std::uint16_t port = 0;
  bool free = false;  // waits for a peer, and the probe was of its own protocol and version
};

std::vector<std::uint8_t> encodeProbe(const GameProbe& probe);
std::optional<GameProbe> decodeProbe(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encodeAnswer(const GameAnswer& answer);
// The name and version come back with only their printable characters.
std::optional<GameAnswer> decodeAnswer(std::span<const std::uint8_t> bytes);

// A host's answer to `datagram`, or none when it is no probe: `mine` says
// what this host is (its free flag: whether it waits for a peer at all).
std::optional<std::vector<std::uint8_t>> answerProbe(std::span<const std::uint8_t> datagram, const GameAnswer& mine);

// A game found on the network, from the address its answer came from.
struct FoundGame {
  std::string address;  // dotted IPv4
  GameAnswer answer;
};

// The joiner's side: a UDP socket bound to one address (any port) that sends
// probes to the addresses it is given and reads the answers. Never blocks.
class GameFinder {
 public:
  // Null, with the reason in `error`, when the socket cannot be opened.
  static std::unique_ptr<GameFinder> open(const std::string& bindAddress, std::string& error);
  ~GameFinder();
  GameFinder(const GameFinder&) = delete;
  GameFinder& operator=(const GameFinder&) = delete;

  // Sends the probe to each of `targets` (dotted IPv4: broadcast addresses in
  // the game, loopback in tests) at `port`.
  void probe(const std::vector<std::string>& targets, std::uint16_t port, const GameProbe& probe);
  // The answers that have arrived; anything else that arrived is dropped.
  std::vector<FoundGame> read();
  int socket() const { return static_cast<int>(socket_); }
  std::uint16_t port() const;
  std::int64_t dropped() const { return dropped_; }

 private:
  explicit GameFinder(ENetSocket socket) : socket_(socket) {}
  ENetSocket socket_;
  std::int64_t dropped_ = 0;
};

// "192.0.2.7" for an ENet address.
std::string dottedAddress(const ENetAddress& address);

}  // namespace glamora::netio
