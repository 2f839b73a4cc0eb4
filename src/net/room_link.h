// A side of a network battle that meets the other through the lobby by a
// room code: the battle's connection and the rendezvous on the same UDP
// socket. The connection's socket hands the lobby's and the punches'
// datagrams to the rendezvous, which gives the connection the room's key
// (so that only the introduced game is greeted) and tells a joiner where to
// connect. It never blocks: its owner calls service() with the time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <enet/enet.h>

#include "enet_connection.h"
#include "lobby/lobby_wire.h"
#include "rendezvous.h"

namespace glamora::netio {

struct RoomLinkOptions {
  bool host = true;
  std::string lobbyAddress;  // dotted IPv4
  std::uint16_t lobbyPort = lobby::kLobbyPort;
  std::string lobbyName;   // as the player gave it, for the errors
  std::string bind;        // the address this side's socket binds (empty: all)
  std::uint16_t port = 0;  // a host's port (0: any)
  net::Greeting greeting;
  std::string phrase;  // a pass phrase on top of the room's key (empty: none)
  std::string name;    // the host's room
  bool open = false;   // the host's room is listed
  std::string code;    // the joiner's room
};

// This side's endpoints on its own networks at `port`: only loopback ones
// when the lobby is on loopback, else none of them; at most lobby::kMaxLocals.
std::vector<lobby::Endpoint> localEndpoints(const lobby::Endpoint& lobby, const std::string& bind, std::uint16_t port);
lobby::Endpoint endpointOf(const ENetAddress& address);
ENetAddress enetAddressOf(const lobby::Endpoint& endpoint);

class RoomLink {
 public:
  // Contacting: registering or joining. Waiting: a host's room is open.
  // Meeting: punching or proving endpoints. Connecting: the joiner's
  // connection greets. Open: the battle's connection is open.
  enum class State { Contacting, Waiting, Meeting, Connecting, Open, Failed };

  RoomLink(const RoomLinkOptions& options, std::int64_t nowUs);
  RoomLink(const RoomLink&) = delete;
  RoomLink& operator=(const RoomLink&) = delete;

  // Takes what has arrived and sends what is due, without waiting.
  void service(std::int64_t nowUs);
  EnetConnection& connection() { return *connection_; }
  const EnetConnection& connection() const { return *connection_; }
  int socket() const { return connection_->socket(); }

  State state() const;
  std::string error() const;
  // The host's room code (empty until registered); the joiner's.
  const std::string& code() const;
  // "direct" or "relay" once the path is known, else "".
  std::string path() const;
  // Why the battle's connection was lost: the lobby, when it relays the
  // battle and has not answered for 3 s, else `otherwise`.
  std::string lostBecause(const std::string& otherwise, std::int64_t nowUs) const;
  void setPublic(bool open, std::int64_t nowUs);
  // The pass phrase on top of the room's key from now on; a key already
  // given takes it at once (about 90 ms with a phrase).
  void setPhrase(const std::string& phrase);
  // A waiting host tells the lobby that its room is closed.
  void leave(std::int64_t nowUs);
  // Why the meeting failed (None when it did not, or when the battle's
  // connection did: connection().problem()).
  Rendezvous::Problem meetingProblem() const;
  std::optional<lobby::Refusal> refusal() const;

 private:
  struct Arrived {
    lobby::Endpoint from;
    std::vector<std::uint8_t> datagram;
  };

  RoomLinkOptions options_;
  std::optional<EnetConnection> connection_;
  std::optional<Rendezvous> rendezvous_;
  std::vector<Arrived> arrived_;  // taken from the socket during the connection's service
  std::string error_;
  std::optional<lobby::RoomKey> key_;  // the room's, once introduced
  bool toldOpen_ = false;
  std::int64_t nowUs_ = 0;  // the time of the latest service()
};

}  // namespace glamora::netio
