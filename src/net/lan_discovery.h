// Finding games on the local network. A joiner sends a probe to the game's
// port, as a broadcast; a waiting host answers from the port its battle uses,
// with its name and its game version. Both messages are checked like the
// battle's packets (magic, lengths, a CRC-32); what comes from another machine
// is shown only as printable text. So that no one can turn a host against
// another address, a probe is padded to be larger than any answer, and a host
// answers only probes from its own networks, at a bounded rate.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <enet/enet.h>

#include "engine/net/side_messages.h"
#include "this_machine.h"

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
};

// A probe is padded with zeros to a fixed size; anything else is no probe.
std::vector<std::uint8_t> encodeProbe(const GameProbe& probe);
std::optional<GameProbe> decodeProbe(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encodeAnswer(const GameAnswer& answer);
// The name and version come back with only their printable characters.
std::optional<GameAnswer> decodeAnswer(std::span<const std::uint8_t> bytes);

inline constexpr int kAnswersPerSecond = 10;

// A waiting host's answers: only to a well-formed probe from one of
// `networks`, never with more bytes than the probe has, at most
// kAnswersPerSecond in any second, and none once the host's battle has begun.
class ProbeAnswerer {
 public:
  ProbeAnswerer(const GameAnswer& mine, std::vector<LocalNetwork> networks);
  // The answer to `datagram` from `from` at `nowUs` (the transport's clock,
  // which starts at 0), or none; `waiting` is false once the battle has begun.
  std::optional<std::vector<std::uint8_t>> answer(std::span<const std::uint8_t> datagram, const ENetAddress& from,
                                                  std::int64_t nowUs, bool waiting);

 private:
  std::vector<std::uint8_t> answer_;
  std::vector<LocalNetwork> networks_;
  std::array<std::int64_t, kAnswersPerSecond> answeredUs_;  // the last answers' times, oldest at oldest_
  std::size_t oldest_ = 0;
};

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
