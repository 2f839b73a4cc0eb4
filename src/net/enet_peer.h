// A headless side of a network battle over ENet, in real time: one UDP port,
// inputs unsequenced on channel 1 with ENet's throttle off, the greeting,
// leaving and the end reliable on channel 0, ENet's checksums on, and only
// the connected peer's datagrams let through.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/net/headless_peer.h"
#include "engine/net/packet.h"

namespace glamora::netio {

inline constexpr std::uint16_t kDefaultPort = 47291;

struct EnetPeerOptions {
  bool host = true;
  std::string address;  // the host's name to join; the address a host binds (empty: all)
  std::uint16_t port = kDefaultPort;
  net::HeadlessOptions headless;
  net::Greeting greeting;  // speedMilli sets the pace: a tick every 100 ms / speed
  int waitSeconds = 60;    // how long a host waits for a peer
  std::function<void(std::string_view)> journal;
};

// Plays the battle to its end; the report holds the error when it failed
// (refused, no peer in time, silence, desync).
net::PeerReport runEnetPeer(const EnetPeerOptions& options);

}  // namespace glamora::netio
