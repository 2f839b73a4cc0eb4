// glamora-sim's side of a network battle over ENet, in real time: the game's
// connection (net/enet_connection.h) driven by a loop that waits on its socket.
// A host waits for one joiner and ends on its refusal; the greeting must come
// within 5 s of the connection; at the end a side waits up to 1 s for the
// other to take its goodbye.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/net/headless_peer.h"
#include "engine/net/packet.h"

namespace glamora::sim {

struct BlockingPeerOptions {
  bool host = true;
  std::string address;  // the host's name to join; the address a host binds (empty: all)
  std::uint16_t port = 0;
  net::HeadlessOptions headless;
  net::Greeting greeting;  // speedMilli sets the pace: a tick every 100 ms / speed
  int waitSeconds = 60;    // how long a host waits for a peer
  std::string phrase;      // the pass phrase (empty: none)
  std::function<void(std::string_view)> journal;
};

// Plays the battle to its end; the report holds the error when it failed
// (refused, no peer in time, silence, desync).
net::PeerReport runBlockingPeer(const BlockingPeerOptions& options);

}  // namespace glamora::sim
