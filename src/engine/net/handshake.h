// The greeting before a network battle. The joiner sends Hello with a fresh
// random session token; the host compares the greeting with its own
// (protocol, game version, rules signature, speed) and answers Welcome,
// echoing the token, or Refuse with the reason; the joiner checks the
// Welcome the same way and that it carries its token. Every later packet
// carries the token.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "packet.h"

namespace glamora::net {

// The first field in which `theirs` differs from `mine`.
std::optional<Refusal> compareGreetings(const Greeting& mine, const Greeting& theirs);
// What a refusal says, for the headless peer's error line.
std::string refusalText(Refusal refusal);

class Handshake {
 public:
  enum class State { Waiting, Accepted, Refused };

  // The host's: waits for a Hello. The joiner's: `token` goes into its Hello.
  static Handshake host(Greeting mine);
  static Handshake joiner(Greeting mine, std::uint64_t token);

  // A refusal for the joiner whose Hello carried `token`.
  static std::vector<std::uint8_t> refusal(std::uint64_t token, Refusal why);

  // The joiner's first packet (reliable).
  std::vector<std::uint8_t> hello() const;
  // A packet that came on the reliable channel before the battle. Packets
  // that are not part of the greeting are dropped (counted). `reply`
  // receives what to send back (Welcome or Refuse), or stays empty.
  State receive(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& reply);

  State state() const { return state_; }
  std::uint64_t token() const { return token_; }
  const std::string& error() const { return error_; }
  int dropped() const { return dropped_; }

 private:
  Handshake(bool host, Greeting mine, std::uint64_t token) : host_(host), mine_(std::move(mine)), token_(token) {}
  State refuse(Refusal why, std::vector<std::uint8_t>& reply, bool tell);

  bool host_;
  Greeting mine_;
  std::uint64_t token_;
  State state_ = State::Waiting;
  std::string error_;
  int dropped_ = 0;
};

}  // namespace glamora::net
