#include "handshake.h"

namespace glamora::net {

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
  }
  return "handshake refused";
}

Handshake Handshake::host(Greeting mine) { return Handshake(true, std::move(mine), 0); }

Handshake Handshake::joiner(Greeting mine, std::uint64_t token) { return Handshake(false, std::move(mine), token); }

std::vector<std::uint8_t> Handshake::hello() const {
  Packet p;
  p.type = PacketType::Hello;
  p.token = token_;
  p.greeting = mine_;
  return encodePacket(p);
}

std::vector<std::uint8_t> Handshake::refusal(std::uint64_t token, Refusal why) {
  Packet p;
  p.type = PacketType::Refuse;
  p.token = token;
  p.refusal = why;
  return encodePacket(p);
}

Handshake::State Handshake::refuse(Refusal why, std::vector<std::uint8_t>& reply, bool tell) {
  if (tell) reply = refusal(token_, why);
  error_ = refusalText(why);
  return state_ = State::Refused;
}

Handshake::State Handshake::receive(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& reply) {
  reply.clear();
  if (state_ != State::Waiting) return state_;
  const std::optional<Packet> p = decodePacket(bytes);
  if (p && host_ && p->type == PacketType::Hello) {
    token_ = p->token;
    if (const auto why = compareGreetings(mine_, p->greeting)) return refuse(*why, reply, true);
    Packet welcome;
    welcome.type = PacketType::Welcome;
    welcome.token = token_;
    welcome.greeting = mine_;
    reply = encodePacket(welcome);
    return state_ = State::Accepted;
  }
  if (p && !host_ && p->type == PacketType::Welcome) {
    if (p->token != token_) return refuse(Refusal::Token, reply, true);
    if (const auto why = compareGreetings(mine_, p->greeting)) return refuse(*why, reply, true);
    return state_ = State::Accepted;
  }
  if (p && p->type == PacketType::Refuse && (host_ || p->token == token_)) return refuse(p->refusal, reply, false);
  ++dropped_;
  return state_;
}

}  // namespace glamora::net
