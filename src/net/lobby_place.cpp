#include "lobby_place.h"

#include <arpa/inet.h>

#include <algorithm>
#include <charconv>

namespace glamora::netio {

namespace {

constexpr std::size_t kLongestHost = 253;  // a DNS name's limit

bool hostCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
}

}  // namespace

std::optional<LobbyPlace> readLobbyPlace(std::string_view text) {
  const std::size_t colon = text.find(':');
  LobbyPlace place{std::string(text.substr(0, colon))};
  if (place.host.empty() || place.host.size() > kLongestHost ||
      !std::all_of(place.host.begin(), place.host.end(), hostCharacter)) {
    return std::nullopt;
  }
  if (colon == std::string_view::npos) return place;
  const std::string_view port = text.substr(colon + 1);
  unsigned number = 0;
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
  if (port.empty() || port.size() > 5 || error != std::errc() || end != port.data() + port.size() || number < 1 ||
      number > 65535 || port.front() == '+') {
    return std::nullopt;
  }
  place.port = static_cast<std::uint16_t>(number);
  return place;
}

std::string toString(const LobbyPlace& place) {
  return place.port == lobby::kLobbyPort ? place.host : place.host + ":" + std::to_string(place.port);
}

std::optional<lobby::Endpoint> lobbyEndpoint(const std::string& dotted, std::uint16_t port) {
  in_addr address{};
  if (inet_pton(AF_INET, dotted.c_str(), &address) != 1) return std::nullopt;
  return lobby::Endpoint{ntohl(address.s_addr), port};
}

}  // namespace glamora::netio
