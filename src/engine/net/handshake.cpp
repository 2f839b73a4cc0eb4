#include "handshake.h"

namespace glamora::net {

namespace {

constexpr std::string_view kJoinerLabel = "glamora joiner";
constexpr std::string_view kHostLabel = "glamora host";
constexpr std::string_view kTokenLabel = "glamora token";

}  // namespace

std::optional<Refusal> compareGreetings(const Greeting& mine, const Greeting& theirs) {
  if (theirs.protocol != mine.protocol) return Refusal::Protocol;
  if (theirs.gameVersion != mine.gameVersion) return Refusal::GameVersion;
  if (theirs.signature != mine.signature) return Refusal::Signature;
  if (theirs.speedMilli != mine.speedMilli) return Refusal::Speed;
  return std::nullopt;
}

std::string refusalText(Refusal refusal) {
  switch (refusal) {
    case Refusal::Protocol: return "handshake refused: the network protocol versions differ";
    case Refusal::GameVersion: return "handshake refused: the game versions differ";
    case Refusal::Signature: return "handshake refused: the rules signatures differ";
    case Refusal::Speed: return "handshake refused: the speeds (--speed) differ";
    case Refusal::Token: return "handshake refused: the session token does not match";
    case Refusal::Busy: return "busy: the host is playing another peer";
    case Refusal::Key: return "handshake refused: the pass phrase does not match";
  }
  return "handshake refused";
}

Handshake::Handshake(bool host, Greeting mine, std::uint64_t token, PassKey* key)
    : host_(host), mine_(std::move(mine)), token_(token), key_(key) {
  if (key_ && !host_) joinerNonce_ = key_->nonce();
}

Handshake Handshake::host(Greeting mine, PassKey* key) { return Handshake(true, std::move(mine), 0, key); }

Handshake Handshake::joiner(Greeting mine, std::uint64_t token, PassKey* key) {
  return Handshake(false, std::move(mine), token, key);
}

std::vector<std::uint8_t> Handshake::hello() const { return packet(PacketType::Hello); }

std::vector<std::uint8_t> Handshake::packet(PacketType type) const {
  Packet p;
  p.type = type;
  p.token = token_;
  p.greeting = mine_;
  p.refusal = refusal_.value_or(Refusal::Protocol);
  p.keyed = key_ != nullptr;
  if (!key_) return encodePacket(p);
  p.salt = key_->salt();
  p.nonce = host_ ? hostNonce_ : joinerNonce_;
  if (type == PacketType::Welcome || type == PacketType::Proof) {
    p.proof = key_->proof(host_ ? kHostLabel : kJoinerLabel, joinerNonce_, hostNonce_);
  }
  return encodePacket(p);
}

std::vector<std::uint8_t> Handshake::refusalPacket(std::uint64_t token, Refusal why) {
  Packet p;
  p.type = PacketType::Refuse;
  p.token = token;
  p.refusal = why;
  return encodePacket(p);
}

Handshake::State Handshake::refuse(Refusal why, std::vector<std::uint8_t>& reply, bool tell) {
  refusal_ = why;
  if (tell) reply = packet(PacketType::Refuse);
  error_ = refusalText(why);
  return state_ = State::Refused;
}

Handshake::State Handshake::receive(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& reply) {
  reply.clear();
  if (state_ != State::Waiting) return state_;
  const std::optional<Packet> p = decodePacket(bytes);
  if (p && p->type == PacketType::Refuse && (host_ || p->token == token_)) return refuse(p->refusal, reply, false);
  const State before = state_;
  if (p) host_ ? hostReceives(*p, reply) : joinerReceives(*p, reply);
  if (state_ == before && reply.empty()) ++dropped_;
  return state_;
}

Handshake::State Handshake::hostReceives(const Packet& p, std::vector<std::uint8_t>& reply) {
  if (p.type == PacketType::Hello && !challenged_) {
    token_ = p.token;
    if (const auto why = compareGreetings(mine_, p.greeting)) return refuse(*why, reply, true);
    if (p.keyed != (key_ != nullptr)) return refuse(Refusal::Key, reply, true);
    if (key_) {
      joinerNonce_ = p.nonce;
      hostNonce_ = key_->nonce();
      challenged_ = true;
      reply = packet(PacketType::Challenge);
      return state_;
    }
  } else if (p.type == PacketType::Proof && challenged_ && p.token == token_) {
    if (refuseProofs_ || !key_->proves(p.proof, kJoinerLabel, joinerNonce_, hostNonce_)) {
      return refuse(Refusal::Key, reply, true);
    }
  } else {
    return state_;
  }
  reply = packet(PacketType::Welcome);
  if (key_) token_ = sessionToken();
  return state_ = State::Accepted;
}

Handshake::State Handshake::joinerReceives(const Packet& p, std::vector<std::uint8_t>& reply) {
  if (p.type == PacketType::Challenge && key_ && !challenged_ && p.token == token_) {
    key_->derive(p.salt);
    hostNonce_ = p.nonce;
    challenged_ = true;
    reply = packet(PacketType::Proof);
    return state_;
  }
  if (p.type != PacketType::Welcome) return state_;
  if (p.token != token_) return refuse(Refusal::Token, reply, true);
  if (const auto why = compareGreetings(mine_, p.greeting)) return refuse(*why, reply, true);
  const bool proven =
      key_ ? challenged_ && p.keyed && key_->proves(p.proof, kHostLabel, joinerNonce_, hostNonce_) : !p.keyed;
  if (!proven) return refuse(Refusal::Key, reply, true);
  if (key_) token_ = sessionToken();
  return state_ = State::Accepted;
}

// The first 8 bytes of a proof over the token's label: both sides know it
// once both have proven, nobody else does.
std::uint64_t Handshake::sessionToken() const {
  const Proof p = key_->proof(kTokenLabel, joinerNonce_, hostNonce_);
  std::uint64_t token = 0;
  for (int k = 7; k >= 0; --k) token = token << 8 | p[static_cast<std::size_t>(k)];
  return token;
}

}  // namespace glamora::net
