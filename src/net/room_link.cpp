#include "room_link.h"

#include <algorithm>

#include "pass_phrase.h"
#include "this_machine.h"

namespace glamora::netio {

namespace {

bool onLoopback(std::uint32_t ip) { return (ip >> 24) == 127; }

}  // namespace

lobby::Endpoint endpointOf(const ENetAddress& address) { return {ENET_NET_TO_HOST_32(address.host), address.port}; }

ENetAddress enetAddressOf(const lobby::Endpoint& endpoint) {
  ENetAddress address{};
  address.host = ENET_HOST_TO_NET_32(endpoint.ip);
  address.port = endpoint.port;
  return address;
}

std::vector<lobby::Endpoint> localEndpoints(const lobby::Endpoint& lobby, const std::string& bind, std::uint16_t port) {
  std::vector<std::uint32_t> addresses;
  if (bind.empty()) {
    for (const LocalNetwork& n : localNetworks()) addresses.push_back(ENET_NET_TO_HOST_32(n.address));
  } else if (ENetAddress a{}; enet_address_set_host_ip(&a, bind.c_str()) == 0) {
    addresses.push_back(ENET_NET_TO_HOST_32(a.host));
  }
  std::vector<lobby::Endpoint> out;
  for (const std::uint32_t ip : addresses) {
    const lobby::Endpoint e{ip, port};
    if (onLoopback(ip) != onLoopback(lobby.ip) || std::find(out.begin(), out.end(), e) != out.end()) continue;
    if (out.size() < lobby::kMaxLocals) out.push_back(e);
  }
  return out;
}

RoomLink::RoomLink(const RoomLinkOptions& options, std::int64_t nowUs) : options_(options), nowUs_(nowUs) {
  EnetConnection::Options c;
  c.host = options.host;
  c.address = options.bind;
  c.port = options.host ? options.port : 0;
  c.greeting = options.greeting;
  c.deferConnect = !options.host;
  connection_.emplace(c, nowUs);
  ENetAddress lobbyAddress{};
  if (enet_address_set_host_ip(&lobbyAddress, options.lobbyAddress.c_str()) != 0) {
    error_ = "not an address: " + options.lobbyAddress;
    return;
  }
  if (connection_->state() == EnetConnection::State::Failed) return;
  // Until the lobby introduces a joiner, a host greets no one: its key is
  // one nobody knows.
  if (options.host) connection_->useKey(roomPassKey(lobby::freshKey(), "", true));
  connection_->answerForeign =
      [this](const ENetAddress& from,
             std::span<const std::uint8_t> datagram) -> std::optional<std::vector<std::uint8_t>> {
    if (!lobby::hasPrefix(datagram)) return std::nullopt;
    arrived_.push_back({endpointOf(from), {datagram.begin(), datagram.end()}});
    return std::vector<std::uint8_t>{};
  };

  lobbyAddress.port = options.lobbyPort;
  RendezvousOptions r;
  r.host = options.host;
  r.lobby = endpointOf(lobbyAddress);
  r.lobbyName = options.lobbyName;
  r.version = options.greeting.gameVersion;
  r.signature = options.greeting.signature;
  r.name = options.name;
  r.open = options.open;
  r.code = options.code;
  r.locals = localEndpoints(r.lobby, options.bind, connection_->port());
  rendezvous_.emplace(
      std::move(r),
      [this](const lobby::Endpoint& to, std::span<const std::uint8_t> datagram) {
        connection_->sendDatagram(enetAddressOf(to), datagram);
      },
      nowUs);
  rendezvous_->onKey = [this](const lobby::RoomKey& key) {
    key_ = key;
    connection_->useKey(roomPassKey(key, options_.phrase, options_.host));
  };
  // Called from service(), which has set the time.
  rendezvous_->onConnect = [this](const lobby::Endpoint& to) { connection_->connectTo(enetAddressOf(to), nowUs_); };
}

void RoomLink::service(std::int64_t nowUs) {
  nowUs_ = nowUs;
  connection_->service(nowUs);
  if (!rendezvous_) return;
  // The datagrams were taken inside ENet's own service: they are read now
  // that the rendezvous may act on the connection.
  std::vector<Arrived> arrived;
  arrived.swap(arrived_);
  for (const Arrived& a : arrived) rendezvous_->receive(a.from, a.datagram, nowUs);
  if (options_.host && !toldOpen_ && connection_->state() == EnetConnection::State::Open) {
    toldOpen_ = true;
    if (const std::optional<ENetAddress> peer = connection_->peerEndpoint())
      rendezvous_->opened(endpointOf(*peer), nowUs);
  }
  rendezvous_->service(nowUs);
}

RoomLink::State RoomLink::state() const {
  using Phase = Rendezvous::Phase;
  const EnetConnection::State c = connection_->state();
  if (!error_.empty() || c == EnetConnection::State::Failed) return State::Failed;
  if (c == EnetConnection::State::Open) return State::Open;
  switch (rendezvous_->phase()) {
    case Phase::Contacting: return State::Contacting;
    case Phase::Waiting: return State::Waiting;
    case Phase::Meeting: return State::Meeting;
    case Phase::Connected: return State::Connecting;
    case Phase::Failed: return State::Failed;
  }
  return State::Failed;
}

std::string RoomLink::error() const {
  if (!error_.empty()) return error_;
  if (connection_->state() == EnetConnection::State::Failed) return lostBecause(connection_->error(), nowUs_);
  return rendezvous_ ? rendezvous_->error() : std::string();
}

const std::string& RoomLink::code() const {
  static const std::string kNone;
  return rendezvous_ ? rendezvous_->code() : kNone;
}

std::string RoomLink::path() const {
  if (!rendezvous_) return {};
  switch (rendezvous_->path()) {
    case Rendezvous::Path::Direct: return "direct";
    case Rendezvous::Path::Relay: return "relay";
    case Rendezvous::Path::None: return {};
  }
  return {};
}

std::string RoomLink::lostBecause(const std::string& otherwise, std::int64_t nowUs) const {
  return rendezvous_ && rendezvous_->relayLost(nowUs) ? "the lobby stopped relaying the battle" : otherwise;
}

void RoomLink::setPublic(bool open, std::int64_t nowUs) {
  if (rendezvous_) rendezvous_->setPublic(open, nowUs);
}

void RoomLink::setPhrase(const std::string& phrase) {
  if (phrase == options_.phrase) return;
  options_.phrase = phrase;
  if (key_) connection_->useKey(roomPassKey(*key_, phrase, options_.host));
}

void RoomLink::leave(std::int64_t nowUs) {
  if (rendezvous_) rendezvous_->leave(nowUs);
}

Rendezvous::Problem RoomLink::meetingProblem() const {
  return rendezvous_ ? rendezvous_->problem() : Rendezvous::Problem::None;
}

std::optional<lobby::Refusal> RoomLink::refusal() const { return rendezvous_ ? rendezvous_->refusal() : std::nullopt; }

}  // namespace glamora::netio
