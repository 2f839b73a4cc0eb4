// Where the lobby is, as a player writes it: "host[:port]", a host name or a
// dotted address and, when it is not the lobby's usual port, the port.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lobby/lobby_wire.h"

namespace glamora::netio {

struct LobbyPlace {
  std::string host;
  std::uint16_t port = lobby::kLobbyPort;
  friend bool operator==(const LobbyPlace&, const LobbyPlace&) = default;
};

// None unless `text` is a host of letters, digits, dots, hyphens and
// underscores (at most 253 characters) with an optional ":port" (1..65535).
std::optional<LobbyPlace> readLobbyPlace(std::string_view text);
// "host", or "host:port" when the port is not the usual one.
std::string toString(const LobbyPlace& place);
// The lobby at a dotted IPv4 address ("192.0.2.7"); none for anything else.
std::optional<lobby::Endpoint> lobbyEndpoint(const std::string& dotted, std::uint16_t port);

}  // namespace glamora::netio
