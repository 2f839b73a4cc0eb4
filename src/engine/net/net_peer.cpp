#include "net_peer.h"

#include <algorithm>

#include "handshake.h"

namespace glamora::net {

NetPeer::NetPeer(int localPlayer, std::uint64_t token, std::int64_t tickUs, PeerLink& link, Effects& effects)
    : local_(localPlayer), token_(token), tickUs_(tickUs), link_(link), battle_(localPlayer, effects), sync_(tickUs) {
  battle_.onConfirmed = [this](const ConfirmedTick& t) {
    myHashes_[ring(t.tick)] = t.hash;
    if (onConfirmed) onConfirmed(t);
  };
}

void NetPeer::start(std::int64_t nowUs) {
  nextTickUs_ = nowUs + tickUs_;
  tickStartUs_ = nowUs;
  lastHeardUs_ = nowUs;
  lastCallUs_ = nowUs;
  if (onTick) onTick();
}

// This machine stood still (the program stopped, the computer asleep) longer
// than the other side waits for it: the other side has ended the battle by
// now, and this side says why rather than blame the other's silence.
bool NetPeer::stoodStill(std::int64_t nowUs) {
  const std::int64_t gap = nowUs - lastCallUs_;
  lastCallUs_ = std::max(lastCallUs_, nowUs);
  if (gap <= kSilenceLimitUs || status_ != Status::Playing) return false;
  fail("this machine was stopped for " + std::to_string(gap / 1'000'000) + " s");
  return true;
}

void NetPeer::fail(std::string why) {
  if (status_ != Status::Playing) return;
  status_ = Status::Failed;
  error_ = std::move(why);
}

void NetPeer::peerGone(const std::string& why) {
  if (status_ != Status::Playing) return;
  // Once every tick to the end is confirmed and checked, the other side may go.
  if (doneSent_) status_ = Status::Finished;
  else fail(why);
}

void NetPeer::update(std::int64_t nowUs) {
  if (stoodStill(nowUs)) return;
  while (status_ == Status::Playing && nowUs >= nextTickUs_) {
    if (nextTickUs_ - lastHeardUs_ > kSilenceLimitUs) {
      peerGone("the other side has been silent for 5 s");
      return;
    }
    step(nextTickUs_);
    nextTickUs_ += tickUs_ + sync_.extraUs();
  }
}

void NetPeer::step(std::int64_t atUs) {
  const bool ended = battle_.endTick() >= 0 && battle_.closedLocal() >= battle_.endTick();
  if (battle_.canAdvance()) {
    const int before = battle_.now();
    battle_.advance();
    if (battle_.now() != before) {
      tickStartUs_ = atUs;
      if (onTick) onTick();
    }
  } else if (!ended) {
    ++stallTicks_;
  }
  sendInputs(atUs);
  checkDone();
}

void NetPeer::pressLocal(Key key, std::int64_t nowUs) {
  const std::int64_t offset = (nowUs - tickStartUs_) * kTickMs / tickUs_;
  battle_.pressLocal(key, static_cast<int>(std::clamp<std::int64_t>(offset, 0, kTickMs - 1)));
}

void NetPeer::endAt(int tick) {
  if (battle_.endAt(tick)) sendControl(PacketType::End, tick);
}

void NetPeer::leave() {
  if (status_ != Status::Playing) return;
  sendControl(PacketType::Leave);
  fail("this side left the battle");
}

// ---- sending ---------------------------------------------------------------------------

void NetPeer::sendControl(PacketType type, std::int32_t tick) {
  Packet p;
  p.type = type;
  p.token = token_;
  p.tick = tick;
  link_.sendReliable(encodePacket(p));
}

void NetPeer::sendInputs(std::int64_t nowUs) {
  Packet p;
  p.type = PacketType::Inputs;
  p.token = token_;
  InputsBody& b = p.inputs;
  b.seq = ++seq_;
  b.sentUs = static_cast<std::uint32_t>(nowUs);
  b.echoUs = lastPeerSentUs_;
  b.echoAgeUs = lastPeerSentHeardUs_ < 0 ? kNoEcho : static_cast<std::uint32_t>(nowUs - lastPeerSentHeardUs_);
  b.tick = battle_.now();
  b.leadMilliTicks = std::clamp<std::int32_t>(sync_.leadMilliTicks(), -32768, 32767);
  b.inputAck = battle_.lastRemote();
  b.hashAck = peerHashesThrough_;
  // Every tick the other side has not acknowledged, oldest first.
  b.inputFirst = std::clamp(peerInputAck_ + 1, battle_.closedLocal() - kInputTicks / 2, battle_.closedLocal() + 1);
  const int inputs = std::clamp(battle_.closedLocal() - b.inputFirst + 1, 0, kMaxTicksPerPacket);
  for (int k = 0; k < inputs; ++k) b.inputs.push_back(battle_.input(local_, b.inputFirst + k));
  sentThrough_ = std::max(sentThrough_, b.inputFirst + inputs - 1);
  b.hashFirst = std::max(peerHashAck_ + 1, battle_.confirmed() - 200);
  const int hashes = std::clamp(battle_.confirmed() - b.hashFirst + 1, 0, kMaxHashesPerPacket);
  for (int k = 0; k < hashes; ++k) b.hashes.push_back(myHashes_[ring(b.hashFirst + k)]);
  link_.sendUnsequenced(encodePacket(p));
}

// ---- receiving -------------------------------------------------------------------------

void NetPeer::receive(std::span<const std::uint8_t> bytes, std::int64_t nowUs) {
  if (status_ != Status::Playing || stoodStill(nowUs)) return;
  const std::optional<Packet> p = decodePacket(bytes);
  if (!p || p->token != token_) {
    ++dropped_;
    return;
  }
  switch (p->type) {
    case PacketType::Inputs:
      if (!usable(p->inputs)) {
        ++dropped_;
        return;
      }
      takeInputs(p->inputs, nowUs);
      break;
    case PacketType::End:
      // Only the host names the end, once.
      if (local_ == 0 || !battle_.endAt(p->tick)) {
        ++dropped_;
        return;
      }
      break;
    case PacketType::Leave: fail("the other side left the battle"); break;
    case PacketType::Done: doneHeard_ = true; break;
    case PacketType::Desync: fail("desync at tick " + std::to_string(p->tick)); break;
    case PacketType::Refuse: fail(refusalText(p->refusal)); break;
    case PacketType::Hello:
    case PacketType::Welcome:
    case PacketType::Challenge:
    case PacketType::Proof: ++dropped_; return;
  }
  lastHeardUs_ = std::max(lastHeardUs_, nowUs);
  checkDone();
}

// A packet is used only when everything in it fits what this side knows: a
// later packet than any used before (an older one carries nothing new), no
// gap before its inputs or hashes, acknowledgements of nothing unsent, ticks
// within reach, and stage choices and the end only from the host.
bool NetPeer::usable(const InputsBody& b) const {
  if (heardSeq_ && static_cast<std::int32_t>(b.seq - lastSeq_) <= 0) return false;
  const int reach = battle_.now() + kMostLeadTicks;
  const int lastInput = b.inputFirst + static_cast<int>(b.inputs.size()) - 1;
  const int lastHash = b.hashFirst + static_cast<int>(b.hashes.size()) - 1;
  if (b.tick > reach || (!b.inputs.empty() && (lastInput > b.tick || b.inputFirst > battle_.lastRemote() + 1))) {
    return false;
  }
  if (b.inputAck > sentThrough_ || b.hashAck > battle_.confirmed()) return false;
  if (b.hashFirst > peerHashesThrough_ + 1 || lastHash > b.tick) return false;
  for (const TickInput& in : b.inputs) {
    if ((in.choice || in.endAt >= 0) && local_ == 0) return false;
  }
  return true;
}

void NetPeer::takeInputs(const InputsBody& b, std::int64_t nowUs) {
  heardSeq_ = true;
  lastSeq_ = b.seq;
  lastPeerSentUs_ = b.sentUs;
  lastPeerSentHeardUs_ = nowUs;
  peerInputAck_ = std::max(peerInputAck_, b.inputAck);
  peerHashAck_ = std::max(peerHashAck_, b.hashAck);
  sync_.heard(b, nowUs, battle_.now(), tickStartUs_);

  // usable() saw to it that a packet with inputs leaves no gap: fresh >= 0.
  const int fresh = battle_.lastRemote() + 1 - b.inputFirst;
  if (!b.inputs.empty() && fresh < static_cast<int>(b.inputs.size())) {
    battle_.receiveRemote(std::span<const TickInput>(b.inputs).subspan(static_cast<std::size_t>(fresh)));
  }
  for (std::size_t k = 0; k < b.hashes.size(); ++k) {
    const int tick = b.hashFirst + static_cast<int>(k);
    if (tick <= peerHashesThrough_) continue;
    theirHashes_[ring(tick)] = {tick, b.hashes[k]};
    peerHashesThrough_ = tick;
  }
  compareHashes();
}

void NetPeer::compareHashes() {
  while (status_ == Status::Playing && hashesChecked_ < std::min(battle_.confirmed(), peerHashesThrough_)) {
    const int tick = ++hashesChecked_;
    if (theirHashes_[ring(tick)].tick == tick && theirHashes_[ring(tick)].hash == myHashes_[ring(tick)]) continue;
    sendControl(PacketType::Desync, tick);
    fail("desync at tick " + std::to_string(tick));
  }
}

void NetPeer::checkDone() {
  compareHashes();
  if (status_ != Status::Playing) return;
  if (!doneSent_ && battle_.finished() && hashesChecked_ >= battle_.endTick()) {
    doneSent_ = true;
    sendControl(PacketType::Done);
  }
  if (doneSent_ && doneHeard_) status_ = Status::Finished;
}

}  // namespace glamora::net
