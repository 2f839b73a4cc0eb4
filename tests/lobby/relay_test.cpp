// The relay between a room's two proven endpoints, the greeting's end, and
// the rooms' timers, on a simulated clock.
#include <gtest/gtest.h>

#include "lobby_harness.h"

namespace glamora::lobby::testing {
namespace {

// A room with its host and joiner introduced.
struct Introduction {
  Harness& lobby;
  Game host{lobby, at(1)};
  Game joiner{lobby, at(2)};
  std::string code = host.answer<Registered>(registration()).code;
  RoomKey key = joiner.answer<Introduced>(joining(code)).key;

  Relay proof(Role role, std::uint64_t nonce) const {
    return Relay{code, role, nonce, tagOf(key, "relay", code, role, false, nonce)};
  }
  Started started(bool relayed) const {
    return Started{code, relayed, tagOf(key, "started", code, Role::Host, relayed, 0)};
  }
  // Proves both sides; the host keeps its endpoint, the joiner uses `joinerRelay`.
  void proveBoth(Game& joinerRelay) {
    EXPECT_FALSE(host.answer<Relaying>(proof(Role::Host, 1)).both);
    EXPECT_TRUE(joinerRelay.answer<Relaying>(proof(Role::Joiner, 2)).both);
  }
  // How many datagrams of `bytes` bytes sent from `from` arrive at `to`, unchanged.
  int carried(const Endpoint& from, const Endpoint& to, int count, std::size_t bytes = 100) {
    const std::size_t before = lobby.sentTo(to).size();
    std::vector<std::uint8_t> datagram(bytes);
    for (std::size_t k = 0; k < bytes; ++k) datagram[k] = static_cast<std::uint8_t>(k * 7 + 1);
    for (int k = 0; k < count; ++k) lobby.deliver(from, datagram);
    const auto got = lobby.sentTo(to);
    for (std::size_t k = before; k < got.size(); ++k) EXPECT_EQ(got[k], datagram);
    return static_cast<int>(got.size() - before);
  }
};

TEST(LobbyRelay, CarriesDatagramsOnlyBetweenTwoProvenEndpointsUpToTheByteRate) {
  Harness lobby;
  Introduction room{lobby};
  Game joinerRelay{lobby, at(2, 41000)}, thief{lobby, at(9)};
  EXPECT_EQ(room.carried(room.host.from, room.joiner.from, 3), 0);  // nobody proven yet

  Relay forged = room.proof(Role::Host, 1);
  forged.tag[0] ^= 1;
  EXPECT_TRUE(room.host.ask(forged).empty());
  EXPECT_TRUE(room.host.ask(Relay{"ZZZZZZ", Role::Host, 1, forged.tag}).empty());
  room.proveBoth(joinerRelay);
  EXPECT_EQ(lobby.server.relayedRooms(), 1u);
  EXPECT_TRUE(room.host.ask(room.proof(Role::Host, 1)).size() == 1);  // sent again: answered again
  EXPECT_TRUE(thief.ask(room.proof(Role::Host, 1)).empty());          // a proof seen on the way
  EXPECT_TRUE(lobby.logged("relayed between 198.18.0.1:40000 and 198.18.0.2:41000"));

  EXPECT_EQ(room.carried(room.host.from, joinerRelay.from, 5), 5);
  EXPECT_EQ(room.carried(joinerRelay.from, room.host.from, 5), 5);
  EXPECT_EQ(room.carried(thief.from, room.host.from, 5), 0);
  EXPECT_EQ(room.carried(room.joiner.from, room.host.from, 5), 0);  // the joiner's lobby endpoint is not proven
  lobby.advance(1'000'000);
  EXPECT_EQ(room.carried(room.host.from, joinerRelay.from, 40, 1000), 32);  // 32768 bytes a second
  EXPECT_EQ(room.carried(joinerRelay.from, room.host.from, 40, 1000), 32);  // each way
  lobby.advance(500'000);
  EXPECT_EQ(room.carried(room.host.from, joinerRelay.from, 40, 1000), 17);  // 16384 bytes more, and 768 left
}

TEST(LobbyRelay, RelaysAtMostTheRoomsItMayAndHandsAnEndpointToTheNewestProof) {
  Limits one = roomyLimits();
  one.relayedRooms = 1;
  Harness lobby(one);
  Introduction first{lobby};
  Game secondHost{lobby, at(3)}, secondJoiner{lobby, at(4)};
  const std::string code = secondHost.answer<Registered>(registration()).code;
  const RoomKey key = secondJoiner.answer<Introduced>(joining(code)).key;
  first.host.answer<Relaying>(first.proof(Role::Host, 1));
  EXPECT_EQ(secondHost.refusal(Relay{code, Role::Host, 1, tagOf(key, "relay", code, Role::Host, false, 1)}),
            Refusal::RelayFull);
  first.joiner.answer<Relaying>(first.proof(Role::Joiner, 1));  // the room already relayed may go on
  first.host.answer<Done>(Leave{first.code});
  EXPECT_EQ(lobby.server.relayedRooms(), 0u);
  secondHost.answer<Relaying>(Relay{code, Role::Host, 1, tagOf(key, "relay", code, Role::Host, false, 1)});
  EXPECT_EQ(lobby.server.relayedRooms(), 1u);
}

TEST(LobbyRelay, StartedEndsADirectRoomAndKeepsARelayedOne) {
  Harness lobby;
  Introduction direct{lobby};
  Started forged = direct.started(false);
  forged.relayed = true;
  EXPECT_TRUE(direct.host.ask(forged).empty());
  EXPECT_TRUE(direct.joiner.ask(direct.started(false)).empty());  // only the host says so
  direct.host.answer<Done>(direct.started(false));
  EXPECT_EQ(lobby.server.rooms(), 0u);
  EXPECT_TRUE(lobby.logged("closed: playing directly"));

  Harness relayLobby;
  Introduction relayed{relayLobby};
  relayed.proveBoth(relayed.joiner);
  relayed.host.answer<Done>(relayed.started(true));
  for (int second = 0; second < 60; ++second) {  // past every waiting room's timer; only the relay speaks
    relayLobby.advance(1'000'000);
    ASSERT_EQ(relayed.carried(relayed.host.from, relayed.joiner.from, 1), 1) << second;
  }
  relayLobby.advance(9'900'000);
  EXPECT_EQ(relayLobby.server.rooms(), 1u);
  relayLobby.advance(200'000);
  EXPECT_EQ(relayLobby.server.rooms(), 0u);
  EXPECT_TRUE(relayLobby.logged("closed: the relay went silent"));
  EXPECT_EQ(relayLobby.server.relayedRooms(), 0u);
  EXPECT_EQ(relayed.carried(relayed.host.from, relayed.joiner.from, 1), 0);
}

TEST(LobbyTimers, ASilentHostEndsItsRoomAndAWaitEndsAfterHalfAnHour) {
  Harness lobby;
  Game host{lobby, at(1)}, patient{lobby, at(2)};
  const std::string code = host.answer<Registered>(registration()).code;
  const std::string kept = patient.answer<Registered>(registration()).code;
  const std::int64_t madeUs = lobby.nowUs;
  lobby.advance(9'900'000);
  patient.answer<Waiting>(Keepalive{kept});
  EXPECT_EQ(lobby.server.rooms(), 2u);
  lobby.advance(200'000);
  EXPECT_EQ(lobby.server.rooms(), 1u);
  EXPECT_TRUE(lobby.logged("room " + code + " closed: the host went silent"));
  while (lobby.nowUs + 5'000'000 < madeUs + 30 * 60'000'000ll) {
    lobby.advance(5'000'000);
    patient.answer<Waiting>(Keepalive{kept});
  }
  EXPECT_EQ(lobby.server.rooms(), 1u);
  lobby.advance(5'000'000);
  EXPECT_EQ(lobby.server.rooms(), 0u);
  EXPECT_TRUE(lobby.logged("room " + kept + " closed: it waited 30 minutes"));
}

TEST(LobbyTimers, AnIntroducedRoomNotStartedIn15SecondsOpensAgain) {
  Harness lobby;
  Introduction room{lobby};
  room.proveBoth(room.joiner);
  for (const std::int64_t step : {5'000'000, 5'000'000, 4'900'000}) {  // to 14.9 s after the join
    lobby.advance(step);
    room.host.answer<Introduced>(Keepalive{room.code});
  }
  lobby.advance(200'000);
  room.host.answer<Waiting>(Keepalive{room.code});
  EXPECT_TRUE(lobby.logged("room " + room.code + " open again"));
  EXPECT_EQ(lobby.server.relayedRooms(), 0u);
  EXPECT_EQ(room.carried(room.host.from, room.joiner.from, 1), 0);
  EXPECT_EQ(room.host.answer<Rooms>(List{0}).rooms.at(0).code, room.code);
  EXPECT_EQ(room.host.answer<Rooms>(List{0}).rooms.at(0).waitingMs,
            100u);  // waiting again since the tick that opened it
  Game next{lobby, at(3)};
  EXPECT_NE(next.answer<Introduced>(joining(room.code)).key, room.key);
  EXPECT_TRUE(room.host.ask(room.proof(Role::Host, 9)).empty());  // the old key proves nothing
}

}  // namespace
}  // namespace glamora::lobby::testing
