// The lobby through its public seam: cookies, rooms, introductions, the
// list, refusals and the limits per address, on a simulated clock.
#include <gtest/gtest.h>

#include <random>

#include "lobby_harness.h"
#include "rate_table.h"

namespace glamora::lobby::testing {
namespace {

TEST(LobbyServer, OnlyACookieSmallerThanTheRequestGoesToWhoHasNotEchoedOne) {
  Harness lobby;
  std::mt19937 random(7);
  for (int k = 0; k < 200; ++k) {  // every kind of request, from anywhere, with a wrong cookie
    const Endpoint from = at(random() % 50, static_cast<std::uint16_t>(random()));
    Request forged{static_cast<std::uint32_t>(random()), {}, joining("ABCDEF")};
    for (auto& b : forged.cookie) b = static_cast<std::uint8_t>(random());
    forged.body = std::vector<RequestBody>{registration(), Keepalive{"ABCDEF"}, List{0}, Leave{"ABCDEF"}}[k % 4];
    const std::vector<std::uint8_t> bytes = encode(forged);
    ASSERT_EQ(lobby.deliver(from, bytes), 1u);
    const Outgoing& answer = lobby.sent.back();
    EXPECT_EQ(answer.to, from);
    EXPECT_LT(answer.bytes.size(), bytes.size());
    const Answer read = std::get<Answer>(*decode(answer.bytes));
    EXPECT_EQ(read.id, forged.id);
    EXPECT_TRUE(std::holds_alternative<CookieGiven>(read.body));
  }
  EXPECT_EQ(lobby.server.rooms(), 0u);

  Game host{lobby, at(1)};
  host.answer<Registered>(registration());
  auto accepted = [&](const Endpoint& from) {
    lobby.deliver(from, encode(Request{9, host.cookie, List{0}}));
    return !std::holds_alternative<CookieGiven>(std::get<Answer>(*decode(lobby.sent.back().bytes)).body);
  };
  EXPECT_TRUE(accepted(at(1)));
  EXPECT_FALSE(accepted(at(1, 40001)));  // the same address, another port
  EXPECT_FALSE(accepted(at(3)));
  lobby.advance(60'000'000);  // a cookie holds into the next minute...
  EXPECT_TRUE(accepted(at(1)));
  lobby.advance(60'000'000);  // ...but not the one after
  EXPECT_FALSE(accepted(at(1)));
}

TEST(LobbyServer, AJoinIntroducesBothSidesWithOneFreshKey) {
  Harness lobby;
  Game host{lobby, at(1)}, joiner{lobby, at(2, 50000)}, late{lobby, at(3)};
  const std::string code = host.answer<Registered>(registration()).code;
  EXPECT_TRUE(isCode(code));
  EXPECT_EQ(host.answer<Registered>(registration("Retried")).code, code);
  EXPECT_EQ(lobby.server.rooms(), 1u);
  host.answer<Waiting>(Keepalive{code});

  const Introduced toJoiner = joiner.answer<Introduced>(joining(code));
  EXPECT_EQ(toJoiner, (Introduced{code, toJoiner.key, host.from, registration().locals}));
  ASSERT_EQ(host.news().size(), 1u);
  EXPECT_EQ(std::get<Introduced>(host.news()[0]), (Introduced{code, toJoiner.key, joiner.from, joining(code).locals}));
  EXPECT_EQ(host.answer<Introduced>(Keepalive{code}), std::get<Introduced>(host.news()[0]));
  EXPECT_EQ(joiner.answer<Introduced>(joining(code)), toJoiner);  // a retry
  EXPECT_EQ(late.refusal(joining(code)), Refusal::RoomBusy);
  EXPECT_TRUE(late.answer<Rooms>(List{0}).rooms.empty());
  EXPECT_TRUE(lobby.logged("room " + code + " made by 198.18.0.1:40000"));
  EXPECT_TRUE(lobby.logged("room " + code + " joined by 198.18.0.2:50000"));

  host.answer<Done>(Leave{code});
  EXPECT_EQ(lobby.server.rooms(), 0u);
  EXPECT_TRUE(lobby.logged("closed: the host left"));
}

TEST(LobbyServer, RefusesWithTheReason) {
  Limits two = roomyLimits();
  two.rooms = 2;
  Harness lobby(two);
  Game host{lobby, at(1)}, stranger{lobby, at(2)}, third{lobby, at(3)};
  const std::string code = host.answer<Registered>(registration()).code;
  const std::string missing = code == "ZZZZZZ" ? "YYYYYY" : "ZZZZZZ";
  const std::pair<RequestBody, Refusal> cases[] = {
      {registration(""), Refusal::Name},
      {registration(std::string(33, 'n')), Refusal::Name},
      {registration("bell\a"), Refusal::Name},
      {Join{code, "1.1", 77, {}}, Refusal::Version},
      {Join{code, "1.0", 78, {}}, Refusal::Signature},
      {Join{missing, "1.0", 77, {}}, Refusal::UnknownRoom},
      {Keepalive{code}, Refusal::UnknownRoom},  // not the host
      {SetPublic{code, false}, Refusal::UnknownRoom},
      {Leave{code}, Refusal::UnknownRoom},
  };
  for (const auto& [request, why] : cases) EXPECT_EQ(stranger.refusal(request), why);
  EXPECT_TRUE(lobby.logged("refused join from 198.18.0.2:40000: the room's game is another version"));
  stranger.answer<Registered>(registration());
  EXPECT_EQ(third.refusal(registration()), Refusal::Full);
  EXPECT_EQ(lobby.server.rooms(), 2u);
}

TEST(LobbyServer, ListsPublicWaitingRoomsNewestFirstByPages) {
  Harness lobby;
  std::vector<std::string> codes;  // the public ones, oldest first
  std::vector<Game> hosts;
  for (std::uint32_t k = 0; k < 24; ++k) {
    hosts.push_back(Game{lobby, at(100 + k)});
    const std::string code =
        hosts.back().answer<Registered>(registration("Room " + std::to_string(k), k % 4 != 3)).code;
    if (k % 4 != 3) codes.push_back(code);
    lobby.advance(1000);
  }
  Game reader{lobby, at(1)};
  hosts[0].answer<Done>(SetPublic{codes[0], false});
  reader.answer<Introduced>(joining(codes[1]));
  codes.erase(codes.begin(), codes.begin() + 2);                                    // 16 left
  const std::string madePublic = hosts[3].answer<Registered>(registration()).code;  // a retry: its code
  hosts[3].answer<Done>(SetPublic{madePublic, true});
  codes.insert(codes.begin() + 1, madePublic);  // listed by when it began waiting
  std::vector<RoomEntry> listed;
  for (std::uint16_t offset = 0; offset < 40; offset = static_cast<std::uint16_t>(offset + 5)) {
    const Rooms page = reader.answer<Rooms>(List{offset});
    EXPECT_EQ(page.total, codes.size());
    EXPECT_EQ(page.offset, offset);
    EXPECT_EQ(page.rooms.size(),
              std::min<std::size_t>(kPageRooms, codes.size() - std::min<std::size_t>(offset, codes.size())));
    if (offset % 10 == 0)
      listed.insert(listed.end(), page.rooms.begin(),
                    page.rooms.begin() + std::min<std::size_t>(10, page.rooms.size()));
  }
  ASSERT_EQ(listed.size(), codes.size());
  for (std::size_t k = 0; k < listed.size(); ++k) {
    EXPECT_EQ(listed[k].code, codes[codes.size() - 1 - k]);
    if (k > 0) {
      EXPECT_GE(listed[k].waitingMs, listed[k - 1].waitingMs);
    }
  }
  EXPECT_EQ(listed.back().waitingMs, 22u);  // made 2 ms after the first, 24 ms ago
}

TEST(LobbyServer, TooManyUnknownCodesFromAnAddressRefuseEveryJoinForAWhile) {
  Harness lobby;
  Game host{lobby, at(1)}, guesser{lobby, at(2)}, neighbour{lobby, at(2, 9)}, other{lobby, at(3)};
  const std::string code = host.answer<Registered>(registration()).code;
  const std::string missing = code == "ZZZZZZ" ? "YYYYYY" : "ZZZZZZ";
  for (int k = 0; k < 10; ++k) EXPECT_EQ(guesser.refusal(joining(missing)), Refusal::UnknownRoom);
  EXPECT_EQ(guesser.refusal(joining(missing)), Refusal::TooManyGuesses);
  EXPECT_EQ(neighbour.refusal(joining(code)), Refusal::TooManyGuesses);  // a hit looks like a miss
  EXPECT_EQ(other.refusal(joining(missing)), Refusal::UnknownRoom);
  for (int k = 0; k < 70; ++k) {
    lobby.advance(1'000'000);
    host.answer<Waiting>(Keepalive{code});
  }
  guesser.answer<Introduced>(joining(code));
}

TEST(LobbyServer, DropsRequestsOverTheRateOfTheirAddress) {
  Limits limits;
  Harness lobby(limits);
  Game flooder{lobby, at(1)}, calm{lobby, at(2)};
  flooder.answer<Rooms>(List{0});  // the cookie and the list: 2 requests
  std::size_t answered = 0;        // another port of the address, without a cookie: each answered with one...
  for (std::uint32_t id = 1; id <= 30; ++id) answered += lobby.deliver(at(1, 7), encode(Request{id, {}, List{0}}));
  EXPECT_EQ(answered, 18u);  // ...until the bucket is empty
  EXPECT_EQ(lobby.server.droppedRequests(), 12);
  EXPECT_EQ(lobby.deliver(at(1), std::vector<std::uint8_t>(40, 0xAB)), 0u);  // not a request: charged, dropped
  calm.answer<Rooms>(List{0});
  lobby.advance(1'000'000);
  EXPECT_TRUE(lobby.logged("dropped 12 requests over the rate"));
  for (int k = 0; k < 20; ++k) flooder.answer<Rooms>(List{0});
  EXPECT_EQ(flooder.ask(List{0}).size(), 0u);
}

TEST(RateTable, ATableOfFixedSizeSharesBucketsBetweenAddresses) {
  RateTable one(3, 1'000'000, 1);
  EXPECT_TRUE(one.take(1, 0) && one.take(2, 0) && one.take(3, 0));
  EXPECT_FALSE(one.take(4, 0));
  EXPECT_FALSE(one.holds(1, 333'332));
  EXPECT_TRUE(one.take(1, 333'334));

  RateTable table(1, 1'000'000);
  for (std::uint32_t ip = 0; ip < 200'000; ++ip) table.take(ip, 0);
  EXPECT_EQ(table.slots(), RateTable::kDefaultSlots);
  EXPECT_FALSE(table.holds(5, 0));
  EXPECT_TRUE(table.holds(5, 1'000'000));
}

}  // namespace
}  // namespace glamora::lobby::testing
