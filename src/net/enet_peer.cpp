#include "enet_peer.h"

#include <enet/enet.h>

#include <chrono>
#include <memory>
#include <optional>
#include <random>

#include "enet_filter.h"
#include "engine/net/handshake.h"

namespace glamora::netio {

namespace {

constexpr enet_uint8 kControlChannel = 0;
constexpr enet_uint8 kInputChannel = 1;
constexpr std::int64_t kJoinTimeoutUs = 10'000'000;
constexpr std::int64_t kGreetingTimeoutUs = 5'000'000;
constexpr std::int64_t kGoodbyeUs = 1'000'000;

class Clock {
 public:
  std::int64_t us() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

class EnetLink final : public net::PeerLink {
 public:
  explicit EnetLink(ENetPeer* peer) : peer_(peer) {}
  void sendUnsequenced(std::span<const std::uint8_t> packet) override {
    send(packet, ENET_PACKET_FLAG_UNSEQUENCED, kInputChannel);
  }
  void sendReliable(std::span<const std::uint8_t> packet) override {
    send(packet, ENET_PACKET_FLAG_RELIABLE, kControlChannel);
  }

 private:
  void send(std::span<const std::uint8_t> packet, enet_uint32 flags, enet_uint8 channel) {
    ENetPacket* p = enet_packet_create(packet.data(), packet.size(), flags);
    if (p && enet_peer_send(peer_, channel, p) != 0) enet_packet_destroy(p);
  }
  ENetPeer* peer_;
};

struct HostDeleter {
  void operator()(ENetHost* h) const { enet_host_destroy(h); }
};

struct Library {
  bool ok = enet_initialize() == 0;
  ~Library() {
    if (ok) enet_deinitialize();
  }
};

net::PeerReport failure(bool host, std::string why) {
  net::PeerReport r;
  r.host = host;
  r.error = std::move(why);
  return r;
}

std::uint64_t freshToken() {
  std::random_device device;
  return (std::uint64_t{device()} << 32) ^ device();
}

// Waits up to `untilUs` for an event of `host`; false when none came.
bool nextEvent(ENetHost* host, const Clock& clock, std::int64_t untilUs, ENetEvent& event) {
  for (;;) {
    const std::int64_t left = untilUs - clock.us();
    if (left <= 0) return enet_host_service(host, &event, 0) > 0;
    const int r =
        enet_host_service(host, &event, static_cast<enet_uint32>(std::min<std::int64_t>(left / 1000 + 1, 50)));
    if (r > 0) return true;
    if (r < 0) return false;
  }
}

std::vector<std::uint8_t> bytesOf(const ENetPacket* p) { return {p->data, p->data + p->dataLength}; }

// Connects (joiner) or waits for a connection (host), then greets; the peer
// and the session token, or the reason it failed.
struct Greeted {
  ENetPeer* peer = nullptr;
  std::uint64_t token = 0;
  std::string error;
};

Greeted greet(ENetHost* host, EnetFilter& filter, const EnetPeerOptions& o, const Clock& clock) {
  Greeted g;
  ENetEvent event;
  net::Handshake handshake =
      o.host ? net::Handshake::host(o.greeting) : net::Handshake::joiner(o.greeting, freshToken());
  const std::int64_t connectBy = o.host ? std::int64_t{o.waitSeconds} * 1'000'000 : kJoinTimeoutUs;
  if (!o.host) {
    ENetAddress address;
    if (enet_address_set_host(&address, o.address.c_str()) != 0) return {nullptr, 0, "cannot resolve " + o.address};
    address.port = o.port;
    g.peer = enet_host_connect(host, &address, 2, 0);
    if (!g.peer) return {nullptr, 0, "cannot connect to " + o.address};
    filter.connectedTo(g.peer);
  }
  // The connection.
  for (;;) {
    if (!nextEvent(host, clock, connectBy, event)) {
      return {nullptr, 0,
              o.host ? "no peer came within " + std::to_string(o.waitSeconds) + " s"
                     : "no answer from " + o.address + ":" + std::to_string(o.port)};
    }
    if (event.type == ENET_EVENT_TYPE_CONNECT) break;
    if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
    if (event.type == ENET_EVENT_TYPE_DISCONNECT && !o.host) {
      return {nullptr, 0, "no answer from " + o.address + ":" + std::to_string(o.port)};
    }
  }
  g.peer = event.peer;
  filter.connectedTo(g.peer);
  // Every input packet goes out as sent, however the round trip varies.
  enet_peer_throttle_configure(g.peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, 0, 0);
  enet_peer_timeout(g.peer, 0, 5000, 5000);
  if (!o.host) {
    const std::vector<std::uint8_t> hello = handshake.hello();
    EnetLink(g.peer).sendReliable(hello);
    enet_host_flush(host);
  }
  // The greeting.
  const std::int64_t greetBy = clock.us() + kGreetingTimeoutUs;
  std::vector<std::uint8_t> reply;
  while (handshake.state() == net::Handshake::State::Waiting) {
    if (!nextEvent(host, clock, greetBy, event)) return {g.peer, 0, "no greeting from the peer within 5 s"};
    if (event.type == ENET_EVENT_TYPE_DISCONNECT) return {nullptr, 0, "the peer left during the greeting"};
    if (event.type != ENET_EVENT_TYPE_RECEIVE) continue;
    handshake.receive(bytesOf(event.packet), reply);
    enet_packet_destroy(event.packet);
    if (!reply.empty()) {
      EnetLink(g.peer).sendReliable(reply);
      enet_host_flush(host);
    }
  }
  if (handshake.state() == net::Handshake::State::Refused) return {g.peer, 0, handshake.error()};
  g.token = handshake.token();
  return g;
}

// Lets what is queued (a refusal, the last acknowledgements) go out and says goodbye.
void goodbye(ENetHost* host, ENetPeer* peer, const Clock& clock) {
  if (!peer || peer->state == ENET_PEER_STATE_DISCONNECTED) return;
  enet_peer_disconnect_later(peer, 0);
  ENetEvent event;
  const std::int64_t until = clock.us() + kGoodbyeUs;
  while (nextEvent(host, clock, until, event)) {
    if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
    if (event.type == ENET_EVENT_TYPE_DISCONNECT) return;
  }
  enet_peer_reset(peer);
}

}  // namespace

net::PeerReport runEnetPeer(const EnetPeerOptions& o) {
  Library library;
  if (!library.ok) return failure(o.host, "cannot start ENet");
  ENetAddress bind{};
  bind.host = ENET_HOST_ANY;
  bind.port = o.port;
  if (o.host && !o.address.empty() && enet_address_set_host(&bind, o.address.c_str()) != 0) {
    return failure(o.host, "cannot resolve " + o.address);
  }
  std::unique_ptr<ENetHost, HostDeleter> host(enet_host_create(o.host ? &bind : nullptr, 1, 2, 0, 0));
  if (!host)
    return failure(o.host, o.host ? "cannot open UDP port " + std::to_string(o.port) : "cannot open a UDP socket");
  EnetFilter filter(host.get());
  const Clock clock;

  const Greeted greeted = greet(host.get(), filter, o, clock);
  if (!greeted.error.empty()) {
    goodbye(host.get(), greeted.peer, clock);
    return failure(o.host, greeted.error);
  }

  EnetLink link(greeted.peer);
  const std::int64_t tickUs = std::int64_t{net::kTickMs} * 1000 * 1000 / o.greeting.speedMilli;
  net::HeadlessPeer side(o.headless, greeted.token, std::max<std::int64_t>(tickUs, 1), link, o.journal);
  net::NetPeer& peer = side.peer();
  peer.start(clock.us());
  enet_host_flush(host.get());
  ENetEvent event;
  while (peer.status() == net::NetPeer::Status::Playing) {
    const std::int64_t waitUs = std::max<std::int64_t>(0, peer.nextWakeUs() - clock.us());
    int got = enet_host_service(host.get(), &event, static_cast<enet_uint32>(waitUs / 1000));
    while (got > 0) {
      if (event.type == ENET_EVENT_TYPE_RECEIVE) {
        peer.receive(bytesOf(event.packet), clock.us());
        enet_packet_destroy(event.packet);
      } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
        peer.peerGone("the other side disconnected");
      }
      got = enet_host_check_events(host.get(), &event);
    }
    peer.update(clock.us());
    enet_host_flush(host.get());
  }
  goodbye(host.get(), greeted.peer, clock);

  net::PeerReport report = side.report();
  report.bytesSent = host->totalSentData;
  report.bytesReceived = host->totalReceivedData;
  report.dropped += filter.dropped();
  return report;
}

}  // namespace glamora::netio
