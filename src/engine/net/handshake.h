// The greeting before a network battle. The joiner sends Hello with a fresh
// random session token; the host compares the greeting with its own
// (protocol, game version, rules signature, speed) and answers Welcome,
// echoing the token, or Refuse with the reason; the joiner checks the
// Welcome the same way and that it carries its token. Every later packet
// carries the token.
//
// With a pass phrase both sides hold a PassKey and the joiner's Hello carries
// its nonce. The host answers a matching Hello with a Challenge: the salt of
// its key and its own nonce, nothing that depends on the phrase. The joiner
// derives its key with that salt and sends its Proof; only when it holds does
// the host answer Welcome with its own proof. The session token is then
// derived from the key and both nonces, so neither a captured greeting nor
// the phrase is of use to anyone else. A phrase on one side only, or a
// wrong one, is refused as Refusal::Key.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "packet.h"

namespace glamora::net {

// The first field in which `theirs` differs from `mine`.
std::optional<Refusal> compareGreetings(const Greeting& mine, const Greeting& theirs);
// What a refusal says, for the headless peer's error line.
std::string refusalText(Refusal refusal);

// A key derived from the pass phrase, and what is made with it. The
// transport provides it: the engine holds no cryptography.
class PassKey {
 public:
  virtual ~PassKey() = default;
  // The salt the key was derived with (a host's own, a joiner's the host's).
  virtual Salt salt() const = 0;
  // The joiner's: derives the key with the host's salt (slow, by design).
  virtual void derive(const Salt& salt) = 0;
  // Fresh random bytes.
  virtual Nonce nonce() const = 0;
  // A keyed hash of `label` and both nonces, and its check in constant time.
  virtual Proof proof(std::string_view label, const Nonce& joiner, const Nonce& host) const = 0;
  virtual bool proves(const Proof& claimed, std::string_view label, const Nonce& joiner, const Nonce& host) const = 0;
};

class Handshake {
 public:
  enum class State { Waiting, Accepted, Refused };

  // The host's: waits for a Hello. The joiner's: `token` goes into its Hello.
  // `key` (kept by the caller; none without a pass phrase) proves the phrase.
  static Handshake host(Greeting mine, PassKey* key = nullptr);
  static Handshake joiner(Greeting mine, std::uint64_t token, PassKey* key = nullptr);

  // A refusal for the joiner whose Hello carried `token`.
  static std::vector<std::uint8_t> refusalPacket(std::uint64_t token, Refusal why);

  // The joiner's first packet (reliable).
  std::vector<std::uint8_t> hello() const;
  // A packet that came on the reliable channel before the battle. Packets
  // that are not part of the greeting are dropped (counted). `reply`
  // receives what to send back (Challenge, Proof, Welcome or Refuse), or
  // stays empty.
  State receive(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& reply);
  // A host's: the joiner's proof is refused without a check (it has guessed
  // too often).
  void refuseProofs() { refuseProofs_ = true; }

  State state() const { return state_; }
  std::uint64_t token() const { return token_; }
  const std::string& error() const { return error_; }
  std::optional<Refusal> refusal() const { return refusal_; }
  int dropped() const { return dropped_; }

 private:
  Handshake(bool host, Greeting mine, std::uint64_t token, PassKey* key);
  State refuse(Refusal why, std::vector<std::uint8_t>& reply, bool tell);
  State hostReceives(const Packet& p, std::vector<std::uint8_t>& reply);
  State joinerReceives(const Packet& p, std::vector<std::uint8_t>& reply);
  std::vector<std::uint8_t> packet(PacketType type) const;
  std::uint64_t sessionToken() const;

  bool host_;
  Greeting mine_;
  std::uint64_t token_;
  PassKey* key_;
  Nonce joinerNonce_{}, hostNonce_{};
  bool challenged_ = false;
  bool refuseProofs_ = false;
  State state_ = State::Waiting;
  std::string error_;
  std::optional<Refusal> refusal_;
  int dropped_ = 0;
};

}  // namespace glamora::net
