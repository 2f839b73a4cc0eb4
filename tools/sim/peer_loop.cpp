#include "peer_loop.h"

#include <poll.h>

#include <algorithm>

namespace glamora::sim {

namespace {

constexpr std::int64_t kGoodbyeUs = 1'000'000;

}  // namespace

void waitFor(int socket, std::int64_t ms) {
  pollfd fd{socket, POLLIN, 0};
  poll(&fd, 1, static_cast<int>(std::max<std::int64_t>(ms, 0)));
}

void goodbye(netio::EnetConnection& c, const Clock& clock) {
  c.leave();
  const std::int64_t until = clock.us() + kGoodbyeUs;
  for (c.service(clock.us()); !c.left() && clock.us() < until; c.service(clock.us())) {
    waitFor(c.socket(), std::min<std::int64_t>((until - clock.us()) / 1000 + 1, 50));
  }
}

net::PeerReport failure(bool host, std::string why) {
  net::PeerReport r;
  r.host = host;
  r.error = std::move(why);
  return r;
}

net::PeerReport playBattle(const BattleSide& s, const net::HeadlessOptions& headless, const net::Greeting& greeting,
                           const std::function<void(std::string_view)>& journal, const Clock& clock) {
  netio::EnetConnection& c = s.connection;
  const std::int64_t tickUs = std::int64_t{net::kTickMs} * 1000 * 1000 / greeting.speedMilli;
  net::HeadlessPeer side(headless, c.token(), std::max<std::int64_t>(tickUs, 1), c, journal);
  net::NetPeer& peer = side.peer();
  c.onPacket = [&](std::span<const std::uint8_t> bytes) { peer.receive(bytes, clock.us()); };
  c.onGone = [&] { peer.peerGone(s.lostBecause ? s.lostBecause(c.error()) : c.error()); };
  peer.start(clock.us());
  while (peer.status() == net::NetPeer::Status::Playing) {
    s.service(clock.us());  // sends what the peer queued, takes what came
    waitFor(c.socket(), (peer.nextWakeUs() - clock.us()) / 1000);
    s.service(clock.us());
    peer.update(clock.us());
  }
  goodbye(c, clock);

  net::PeerReport report = side.report();
  report.bytesSent = c.bytesSent();
  report.bytesReceived = c.bytesReceived();
  report.dropped += c.dropped();
  return report;
}

}  // namespace glamora::sim
