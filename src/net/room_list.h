// The lobby's list of public rooms, page by page, without a socket: the
// owner passes in what the lobby sends and the time, and reads the rooms
// once done().
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "lobby/lobby_wire.h"
#include "lobby_talk.h"

namespace glamora::netio {

class RoomList {
 public:
  static constexpr std::int64_t kRetryUs = 500'000;
  static constexpr std::int64_t kUnreachableUs = 5'000'000;

  // Asks for the first page at once. `lobbyName` names the lobby in the error.
  RoomList(const lobby::Endpoint& lobby, std::string lobbyName, DatagramSend send, std::int64_t nowUs);

  void receive(std::span<const std::uint8_t> datagram, std::int64_t nowUs);
  void service(std::int64_t nowUs);

  // Every page has come, or the lobby could not be reached (error()).
  bool done() const { return done_; }
  const std::string& error() const { return error_; }
  // Newest first, each room once (a room opened between two pages moves
  // the later ones down).
  const std::vector<lobby::RoomEntry>& rooms() const { return rooms_; }

 private:
  void ask(std::uint16_t offset, std::int64_t nowUs);

  LobbyTalk talk_;
  std::string lobbyName_;
  std::vector<lobby::RoomEntry> rooms_;
  bool done_ = false;
  std::string error_;
};

}  // namespace glamora::netio
