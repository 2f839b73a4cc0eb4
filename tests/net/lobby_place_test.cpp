// Where the lobby is, as a player or the command line writes it.
#include <gtest/gtest.h>

#include "net/lobby_place.h"

namespace glamora::netio {
namespace {

TEST(LobbyPlace, TakesAHostWithAnOptionalPortAndNothingElse) {
  const struct {
    const char* text;
    std::optional<LobbyPlace> place;
  } cases[] = {
      {"lobby.example.org", LobbyPlace{"lobby.example.org", 47292}},
      {"192.0.2.7:5000", LobbyPlace{"192.0.2.7", 5000}},
      {"my_lobby-1:65535", LobbyPlace{"my_lobby-1", 65535}},
      {"", std::nullopt},
      {":5000", std::nullopt},
      {"host:", std::nullopt},
      {"host:0", std::nullopt},
      {"host:65536", std::nullopt},
      {"host:+80", std::nullopt},
      {"host:80x", std::nullopt},
      {"host:1:2", std::nullopt},
      {"two words", std::nullopt},
      {"ロビー", std::nullopt},
      {"[::1]:47292", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(readLobbyPlace(c.text), c.place);
  }
  EXPECT_FALSE(readLobbyPlace(std::string(254, 'a')));
  // Written back the way it is read, the usual port left out.
  for (const char* text : {"lobby.example.org", "192.0.2.7:5000"}) EXPECT_EQ(toString(*readLobbyPlace(text)), text);
  EXPECT_EQ(toString({"h", 47292}), "h");
  EXPECT_EQ(lobbyEndpoint("192.0.2.7", 5000), (lobby::Endpoint{0xC0000207, 5000}));
  EXPECT_FALSE(lobbyEndpoint("lobby.example.org", 5000));
}

}  // namespace
}  // namespace glamora::netio
