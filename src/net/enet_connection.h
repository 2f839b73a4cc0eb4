// A side's connection for a network battle: one UDP port, inputs unsequenced
// on channel 1 with ENet's throttle off, the greeting and control reliable on
// channel 0, ENet's checksums on, only the connected peer's datagrams let
// through. It never blocks: its owner calls service() with the time, from the
// window's event loop, glamora-sim's waiting loop or a test.
//
// A host waits until it is closed, greeting up to eight callers at once:
// the first to greet well plays, callers whose greeting does not match are
// turned away, callers silent for 2 s are let go, and every later caller is
// told that the host is busy. A joiner gives up when the host has not greeted
// it within the answer limit. Nothing a stranger sends ends either. With a
// pass phrase, only a joiner that proves it knows the same phrase is greeted
// (see pass_phrase.h).
//
// A joiner that meets its host through the lobby defers its connect: its
// socket is bound at once (its port is told to the lobby), it sends and
// receives the lobby's and the punches' datagrams through answerForeign and
// sendDatagram, and connects once it knows where to (connectTo).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <enet/enet.h>

#include "enet_filter.h"
#include "engine/net/handshake.h"
#include "engine/net/net_peer.h"
#include "pass_phrase.h"

namespace glamora::netio {

inline constexpr std::uint16_t kDefaultPort = 47291;
inline constexpr std::int64_t kAnswerLimitUs = 5'000'000;

class EnetConnection final : public net::PeerLink {
 public:
  enum class State { Waiting, Greeting, Open, Failed };
  enum class Problem { None, Port, Address, NoAnswer, Refused, Gone };

  struct Options {
    bool host = true;
    std::string address;  // a joiner's host (dotted IPv4); a host's bind address (empty: all)
    std::uint16_t port = 0;
    net::Greeting greeting;
    std::int64_t answerLimitUs = kAnswerLimitUs;
    std::string phrase{};  // empty: anyone may join
    // A joiner: binds its socket (to `address` when given, port 0) and waits
    // for connectTo().
    bool deferConnect = false;
  };

  // Opens the host's port, or starts connecting; Failed at once when it cannot.
  EnetConnection(const Options& options, std::int64_t nowUs);
  // A peer still connected is told at once that this side has gone.
  ~EnetConnection() override;
  EnetConnection(const EnetConnection&) = delete;
  EnetConnection& operator=(const EnetConnection&) = delete;

  // Takes what has arrived and sends what is queued, without waiting.
  void service(std::int64_t nowUs);
  // A deferred joiner: connects to the host, once; the answer limit counts
  // from `nowUs`.
  void connectTo(const ENetAddress& to, std::int64_t nowUs);
  // The key the greeting proves from now on: a host's for callers that
  // connect from then on, a joiner's before connectTo().
  void useKey(std::unique_ptr<net::PassKey> key);
  // Sends a datagram that is not ENet's from this side's socket.
  void sendDatagram(const ENetAddress& to, std::span<const std::uint8_t> datagram);
  // Lets the other side go once what is queued has been delivered. From then
  // on service() only finishes the goodbye, dropping what arrives, and left()
  // says when every peer, a turned-away joiner too, has disconnected.
  void leave();
  bool left() const;
  // The ENet peer slots (a host has eight).
  std::span<const ENetPeer> peers() const {
    return host_ ? std::span<const ENetPeer>(host_->peers, host_->peerCount) : std::span<const ENetPeer>();
  }
  // The socket to watch: when it is readable, service() has work.
  int socket() const;
  // The port this side's socket is bound to (a host asked for port 0 gets one).
  std::uint16_t port() const { return host_ ? host_->address.port : 0; }

  State state() const { return state_; }
  Problem problem() const { return problem_; }
  const std::string& error() const { return error_; }
  // Why the greeting was refused, by either side.
  std::optional<net::Refusal> refusal() const { return refusal_; }
  std::uint64_t token() const { return token_; }
  // The other side, "192.0.2.7:47291" (empty before it is known).
  std::string peerAddress() const;
  // The other side's address, once it is connected or being connected to.
  std::optional<ENetAddress> peerEndpoint() const;
  std::uint64_t bytesSent() const;
  std::uint64_t bytesReceived() const;
  // Datagrams dropped: from strangers during a battle, corrupted, too long.
  std::int64_t dropped() const;

  // net::PeerLink: once open.
  void sendUnsequenced(std::span<const std::uint8_t> packet) override;
  void sendReliable(std::span<const std::uint8_t> packet) override;

  // Once open, every packet of the other side, from either channel.
  std::function<void(std::span<const std::uint8_t>)> onPacket;
  // Once open, the other side's connection ended (it left, or went silent).
  std::function<void()> onGone;
  // A host: a joiner turned away, and why (the connection goes on waiting).
  std::function<void(const std::string& address, net::Refusal why)> onTurnedAway;
  // A host: datagrams that are not ENet's (a game-finding probe), with their
  // sender: the reply to send back, or none when it is not such a datagram.
  std::function<std::optional<std::vector<std::uint8_t>>(const ENetAddress&, std::span<const std::uint8_t>)>
      answerForeign;

 private:
  void fail(Problem problem, std::string error);
  void connect(const ENetAddress& to, const std::string& named);
  void handleEvent(const ENetEvent& event, std::int64_t nowUs);
  struct Caller {
    std::optional<net::Handshake> handshake;  // from its connect on
    std::int64_t sinceUs = -1;                // its slot first seen taken
  };
  void received(ENetPeer* from, std::span<const std::uint8_t> bytes);
  void greetedBy(ENetPeer* from, std::span<const std::uint8_t> bytes, std::int64_t nowUs);
  Caller& callerOf(const ENetPeer* peer);
  void letSilentCallersGo(std::int64_t nowUs);
  void send(std::span<const std::uint8_t> packet, enet_uint32 flags, enet_uint8 channel);
  void send(ENetPeer* to, std::span<const std::uint8_t> packet, enet_uint32 flags, enet_uint8 channel);

  Options options_;
  ENetHost* host_ = nullptr;
  std::optional<EnetFilter> filter_;
  ENetPeer* peer_ = nullptr;
  std::unique_ptr<net::PassKey> key_;
  // Keys replaced by useKey(), kept for the greetings that still hold them.
  std::vector<std::unique_ptr<net::PassKey>> formerKeys_;
  std::string target_;  // a joiner's host, "address:port", for its errors
  WrongProofs wrongProofs_;
  std::optional<net::Handshake> handshake_;  // a joiner's
  std::vector<Caller> callers_;              // a host's, by ENet peer slot
  State state_ = State::Waiting;
  Problem problem_ = Problem::None;
  std::string error_;
  std::optional<net::Refusal> refusal_;
  std::uint64_t token_ = 0;
  std::int64_t startedUs_ = 0;
  std::int64_t greetingSinceUs_ = 0;
  std::int64_t failedReceives_ = 0;
  bool leaving_ = false;
};

}  // namespace glamora::netio
