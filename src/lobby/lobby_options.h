// glamora-lobby's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "lobby_server.h"

namespace glamora::lobby {

struct LobbyOptions {
  std::uint16_t port = kLobbyPort;  // 0: any free port
  std::string bind = "0.0.0.0";
  Limits limits;
  bool help = false;
};

// The options after the program's name; none, with `error` set, when one is
// unknown, lacks its value or has a value out of range.
std::optional<LobbyOptions> parseLobbyOptions(std::span<const std::string_view> args, std::string& error);
std::string lobbyUsage();

}  // namespace glamora::lobby
