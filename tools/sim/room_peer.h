// glamora-sim's side of a network battle that meets the other through the
// lobby by a room code (net/room_link.h), in real time. The host announces
// its room's code once the lobby has given it, waits for a joiner at most
// the given time, and both then play as the direct sides do.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/net/headless_peer.h"
#include "engine/net/packet.h"
#include "lobby/lobby_wire.h"

namespace glamora::sim {

struct RoomPeerOptions {
  bool host = true;
  std::string lobby;  // the lobby's name or address
  std::uint16_t lobbyPort = lobby::kLobbyPort;
  std::string name;   // the host's room
  bool open = false;  // the host's room is listed
  std::string code;   // the joiner's room
  net::HeadlessOptions headless;
  net::Greeting greeting;
  int waitSeconds = 60;  // how long a host waits for a joiner
  std::string phrase;
  std::function<void(std::string_view)> journal;
  // The host's: called once with the room's code.
  std::function<void(const std::string& code)> onRoom;
};

// Plays the battle to its end; the report holds the path, or the error.
net::PeerReport runRoomPeer(const RoomPeerOptions& options);

}  // namespace glamora::sim
