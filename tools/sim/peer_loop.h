// What glamora-sim's network sides share once a connection exists: a clock
// in real time, waiting on the socket, playing the battle over an open
// connection to its end, and the goodbye.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/net/headless_peer.h"
#include "engine/net/packet.h"
#include "net/enet_connection.h"

namespace glamora::sim {

class Clock {
 public:
  std::int64_t us() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Waits until the socket is readable or `ms` have passed.
void waitFor(int socket, std::int64_t ms);

struct BattleSide {
  netio::EnetConnection& connection;
  // Takes what has arrived and sends what is queued (the connection's, or
  // its owner's that drives more on the same socket).
  std::function<void(std::int64_t nowUs)> service;
  // Why the other side is taken to have gone, given the connection's error.
  std::function<std::string(const std::string& error)> lostBecause;
};

// Plays the battle over the open connection until it ends, says goodbye and
// reports, the transport's byte counts added.
net::PeerReport playBattle(const BattleSide& side, const net::HeadlessOptions& headless, const net::Greeting& greeting,
                           const std::function<void(std::string_view)>& journal, const Clock& clock);

// Lets what is queued (a refusal, the last acknowledgements) go out and says goodbye.
void goodbye(netio::EnetConnection& c, const Clock& clock);

net::PeerReport failure(bool host, std::string why);

}  // namespace glamora::sim
