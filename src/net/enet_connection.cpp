#include "enet_connection.h"

#include <algorithm>
#include <random>

#include "lan_discovery.h"

namespace glamora::netio {

namespace {

constexpr enet_uint8 kControlChannel = 0;
constexpr enet_uint8 kInputChannel = 1;
constexpr std::int64_t kGreetingLimitUs = 5'000'000;
// A host's ENet peer slots: joiners greeting at once, and strangers.
constexpr std::size_t kCallers = 8;
// A caller has greeted within this time of its first datagram, or is let go
// without a word: so ENet sends a never-acknowledging address at most three
// datagrams (its verify, resent after 0.5 and 1.5 s).
constexpr std::int64_t kCallerLimitUs = 2'000'000;

std::uint64_t freshToken() {
  std::random_device device;
  return (std::uint64_t{device()} << 32) ^ device();
}

}  // namespace

EnetConnection::EnetConnection(const Options& options, std::int64_t nowUs) : options_(options), startedUs_(nowUs) {
  if (enet_initialize() != 0) {
    fail(Problem::Port, "cannot start ENet");
    return;
  }
  // A host listens on its port; a deferred joiner binds any port at once so
  // that the lobby can be told which; a joiner that connects now lets the
  // system choose as it sends.
  const bool binds = options.host || options.deferConnect;
  ENetAddress bind{};
  bind.host = ENET_HOST_ANY;
  bind.port = options.host ? options.port : 0;
  if (binds && !options.address.empty() && enet_address_set_host_ip(&bind, options.address.c_str()) != 0) {
    fail(Problem::Address, "not an address: " + options.address);
    return;
  }
  host_ = enet_host_create(binds ? &bind : nullptr, options.host ? kCallers : 1, 2, 0, 0);
  if (!host_) {
    fail(Problem::Port,
         options.host ? "cannot open UDP port " + std::to_string(options.port) : "cannot open a UDP socket");
    return;
  }
  filter_.emplace(host_);
  filter_->foreign = [this](const ENetAddress& from, std::span<const std::uint8_t> datagram) {
    if (!answerForeign) return false;
    std::optional<std::vector<std::uint8_t>> reply = answerForeign(from, datagram);
    if (!reply) return false;
    if (!reply->empty()) sendDatagram(from, *reply);
    return true;
  };
  // The host derives its key once for all joiners (the joiner when the salt comes): ~90 ms.
  if (!options.phrase.empty()) key_ = passKey(options.phrase, options.host);
  if (options.host) {
    callers_.resize(kCallers);
    return;
  }
  if (options.deferConnect) return;
  ENetAddress to{};
  if (enet_address_set_host_ip(&to, options.address.c_str()) != 0) {
    fail(Problem::Address, "not an address: " + options.address);
    return;
  }
  to.port = options.port;
  target_ = options.address + ":" + std::to_string(options.port);
  connect(to, options.address);
}

void EnetConnection::connectTo(const ENetAddress& to, std::int64_t nowUs) {
  if (options_.host || !options_.deferConnect || handshake_ || state_ == State::Failed) return;
  startedUs_ = nowUs;
  target_ = dottedAddress(to) + ":" + std::to_string(to.port);
  connect(to, target_);
}

void EnetConnection::connect(const ENetAddress& to, const std::string& named) {
  handshake_.emplace(net::Handshake::joiner(options_.greeting, freshToken(), key_.get()));
  peer_ = enet_host_connect(host_, &to, 2, 0);
  if (!peer_) {
    fail(Problem::Address, "cannot connect to " + named);
    return;
  }
  filter_->connectedTo(peer_);
  enet_host_flush(host_);
}

void EnetConnection::useKey(std::unique_ptr<net::PassKey> key) {
  // A greeting under way holds the key it started with.
  if (key_) formerKeys_.push_back(std::move(key_));
  key_ = std::move(key);
}

void EnetConnection::sendDatagram(const ENetAddress& to, std::span<const std::uint8_t> datagram) {
  if (!host_) return;
  ENetBuffer buffer;
  buffer.data = const_cast<std::uint8_t*>(datagram.data());
  buffer.dataLength = datagram.size();
  enet_socket_send(host_->socket, &to, &buffer, 1);
}

std::optional<ENetAddress> EnetConnection::peerEndpoint() const {
  if (!peer_) return std::nullopt;
  return peer_->address;
}

EnetConnection::~EnetConnection() {
  if (host_) {
    // What is queued (a leaving) goes out before the goodbye.
    enet_host_flush(host_);
    if (peer_ && peer_->state != ENET_PEER_STATE_DISCONNECTED) enet_peer_disconnect_now(peer_, 0);
    filter_.reset();
    enet_host_destroy(host_);
  }
}

void EnetConnection::fail(Problem problem, std::string error) {
  state_ = State::Failed;
  problem_ = problem;
  error_ = std::move(error);
}

int EnetConnection::socket() const { return host_ ? static_cast<int>(host_->socket) : -1; }

std::string EnetConnection::peerAddress() const {
  if (!peer_) return {};
  return dottedAddress(peer_->address) + ":" + std::to_string(peer_->address.port);
}

std::uint64_t EnetConnection::bytesSent() const { return host_ ? host_->totalSentData : 0; }
std::uint64_t EnetConnection::bytesReceived() const { return host_ ? host_->totalReceivedData : 0; }
std::int64_t EnetConnection::dropped() const { return (filter_ ? filter_->dropped() : 0) + failedReceives_; }

void EnetConnection::service(std::int64_t nowUs) {
  ENetEvent event;
  if (leaving_) {
    for (int got = enet_host_service(host_, &event, 0); got > 0; got = enet_host_check_events(host_, &event)) {
      if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
    }
    return;
  }
  if (state_ == State::Failed) return;
  // A deferred joiner's clock starts at its connect.
  if (!options_.host && handshake_ && state_ != State::Open && nowUs - startedUs_ > options_.answerLimitUs) {
    fail(Problem::NoAnswer, "no answer from " + target_);
    return;
  }
  if (options_.host) letSilentCallersGo(nowUs);
  filter_->dropOversized();
  // A receive that fails all the same is counted, and the next one read.
  for (int tries = 0; tries < 64; ++tries) {
    int got = enet_host_service(host_, &event, 0);
    if (got < 0) {
      ++failedReceives_;
      continue;
    }
    for (; got > 0; got = enet_host_check_events(host_, &event)) {
      const State before = state_;
      handleEvent(event, nowUs);
      if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
      // The owner takes the packets from here on: the rest wait for the next call.
      if (state_ != before && (state_ == State::Open || state_ == State::Failed)) break;
    }
    break;
  }
  if (host_) enet_host_flush(host_);
}

// Every slot a caller holds without having greeted for 2 s is freed in
// silence; the first time a slot is seen taken is its caller's first datagram.
void EnetConnection::letSilentCallersGo(std::int64_t nowUs) {
  for (std::size_t k = 0; k < callers_.size(); ++k) {
    ENetPeer& slot = host_->peers[k];
    Caller& caller = callers_[k];
    if (slot.state == ENET_PEER_STATE_DISCONNECTED || &slot == peer_) {
      caller = {};
      continue;
    }
    if (caller.sinceUs < 0) caller.sinceUs = nowUs;
    if (nowUs - caller.sinceUs > kCallerLimitUs) {
      enet_peer_reset(&slot);
      caller = {};
    }
  }
}

void EnetConnection::leave() {
  leaving_ = host_ != nullptr;
  if (peer_) enet_peer_disconnect_later(peer_, 0);
}

bool EnetConnection::left() const {
  return !host_ || std::all_of(host_->peers, host_->peers + host_->peerCount,
                               [](const ENetPeer& p) { return p.state == ENET_PEER_STATE_DISCONNECTED; });
}

void EnetConnection::handleEvent(const ENetEvent& event, std::int64_t nowUs) {
  switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
      if (options_.host) {
        net::Handshake& greeting =
            callerOf(event.peer).handshake.emplace(net::Handshake::host(options_.greeting, key_.get()));
        if (!wrongProofs_.allows(dottedAddress(event.peer->address), nowUs)) greeting.refuseProofs();
      } else if (event.peer != peer_) {
        return;
      }
      // Every input packet goes out as sent, however the round trip varies.
      enet_peer_throttle_configure(event.peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, 0, 0);
      enet_peer_timeout(event.peer, 0, 5000, 5000);
      if (options_.host) return;
      state_ = State::Greeting;
      greetingSinceUs_ = nowUs;
      sendReliable(handshake_->hello());
      return;
    case ENET_EVENT_TYPE_RECEIVE:
      if (event.peer == peer_) received(event.peer, {event.packet->data, event.packet->dataLength});
      else if (options_.host) greetedBy(event.peer, {event.packet->data, event.packet->dataLength}, nowUs);
      return;
    case ENET_EVENT_TYPE_DISCONNECT:
      if (options_.host && event.peer != peer_) callerOf(event.peer) = {};
      if (event.peer != peer_) return;
      if (state_ == State::Open) {
        state_ = State::Failed;
        problem_ = Problem::Gone;
        error_ = "the other side disconnected";
        peer_ = nullptr;
        if (onGone) onGone();
      } else {
        peer_ = nullptr;
        fail(Problem::NoAnswer, "no answer from " + target_);
      }
      return;
    case ENET_EVENT_TYPE_NONE: return;
  }
}

void EnetConnection::received(ENetPeer*, std::span<const std::uint8_t> bytes) {
  if (state_ == State::Open) {
    if (onPacket) onPacket(bytes);
    return;
  }
  if (state_ != State::Greeting) return;
  std::vector<std::uint8_t> reply;
  const net::Handshake::State result = handshake_->receive(bytes, reply);
  if (!reply.empty()) sendReliable(reply);
  if (result == net::Handshake::State::Accepted) {
    token_ = handshake_->token();
    state_ = State::Open;
  } else if (result == net::Handshake::State::Refused) {
    refusal_ = handshake_->refusal();
    fail(Problem::Refused, handshake_->error());
  }
}

// A caller's greeting, at the host: the first to greet well plays; the others
// are told that the host is busy, and every refused caller is let go.
void EnetConnection::greetedBy(ENetPeer* from, std::span<const std::uint8_t> bytes, std::int64_t nowUs) {
  Caller& caller = callerOf(from);
  if (!caller.handshake) return;
  std::vector<std::uint8_t> reply;
  net::Handshake::State result = caller.handshake->receive(bytes, reply);
  if (result == net::Handshake::State::Accepted && state_ == State::Open) {
    result = net::Handshake::State::Refused;
    reply = net::Handshake::refusalPacket(caller.handshake->token(), net::Refusal::Busy);
  }
  if (!reply.empty()) send(from, reply, ENET_PACKET_FLAG_RELIABLE, kControlChannel);
  if (result == net::Handshake::State::Accepted) {
    peer_ = from;
    filter_->connectedTo(peer_);
    token_ = caller.handshake->token();
    state_ = State::Open;
    caller = {};
  } else if (result == net::Handshake::State::Refused) {
    const std::optional<net::Refusal> why = state_ == State::Open ? net::Refusal::Busy : caller.handshake->refusal();
    const std::string address = dottedAddress(from->address);
    if (why == net::Refusal::Key) wrongProofs_.note(address, nowUs);
    caller.handshake.reset();
    enet_host_flush(host_);
    enet_peer_disconnect_later(from, 0);
    if (why && why != net::Refusal::Busy) {
      refusal_ = why;
      if (onTurnedAway) onTurnedAway(address + ":" + std::to_string(from->address.port), *why);
    }
  }
}

EnetConnection::Caller& EnetConnection::callerOf(const ENetPeer* peer) {
  return callers_[static_cast<std::size_t>(peer - host_->peers)];
}

void EnetConnection::send(std::span<const std::uint8_t> packet, enet_uint32 flags, enet_uint8 channel) {
  if (peer_) send(peer_, packet, flags, channel);
}

void EnetConnection::send(ENetPeer* to, std::span<const std::uint8_t> packet, enet_uint32 flags, enet_uint8 channel) {
  ENetPacket* p = enet_packet_create(packet.data(), packet.size(), flags);
  if (p && enet_peer_send(to, channel, p) != 0) enet_packet_destroy(p);
}

void EnetConnection::sendUnsequenced(std::span<const std::uint8_t> packet) {
  send(packet, ENET_PACKET_FLAG_UNSEQUENCED, kInputChannel);
}

void EnetConnection::sendReliable(std::span<const std::uint8_t> packet) {
  send(packet, ENET_PACKET_FLAG_RELIABLE, kControlChannel);
}

}  // namespace glamora::netio
