// Keeps what does not come from the connected peer away from ENet: once a
// side has its peer, a datagram whose ENet checksum does not hold (corrupted
// on the way), or from any other address but a connect or a caller being
// told that this side is busy, is dropped and counted before ENet reads it;
// so is a datagram too long for ENet's buffer, at any time.
#pragma once

#include <enet/enet.h>

#include <cstdint>
#include <functional>
#include <span>

namespace glamora::netio {

class EnetFilter {
 public:
  // Turns on ENet's CRC-32 checksums for `host` and filters what it receives.
  explicit EnetFilter(ENetHost* host);
  ~EnetFilter();
  EnetFilter(const EnetFilter&) = delete;
  EnetFilter& operator=(const EnetFilter&) = delete;

  // From now on only this peer's datagrams get through.
  void connectedTo(const ENetPeer* peer) { peer_ = peer; }
  std::int64_t dropped() const { return dropped_; }
  // Reads and drops the datagrams waiting that are too long for ENet.
  void dropOversized();
  // Sees every datagram first, from any address; true when it took the
  // datagram as its own (a game-finding probe on the same port), which ENet
  // then never reads.
  std::function<bool(const ENetAddress& from, std::span<const std::uint8_t> datagram)> foreign;

 private:
  static int intercept(ENetHost* host, ENetEvent* event);
  bool admits(ENetHost* host) const;

  ENetHost* host_;
  const ENetPeer* peer_ = nullptr;
  std::int64_t dropped_ = 0;
};

// The ENet checksum of the datagram the host has just received holds.
bool enetChecksumHolds(const ENetHost* host);

}  // namespace glamora::netio
