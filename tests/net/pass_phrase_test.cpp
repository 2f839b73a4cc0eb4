// The greeting with a pass phrase: only the same phrase on both sides is
// greeted, with a derived token; a captured greeting is of no use in another;
// an address with 5 wrong proofs in a minute is refused unchecked.
#include <gtest/gtest.h>

#include <chrono>

#include "net/enet_connection.h"

namespace glamora::netio {
namespace {

using net::Handshake;

const net::Greeting kGreeting{net::kProtocolVersion, "1.0", 0x2c53c1a6974b2ca7ull, 1000};

// Passes the replies back and forth; the packets the joiner sent.
std::vector<std::vector<std::uint8_t>> greet(Handshake& host, Handshake& joiner) {
  std::vector<std::vector<std::uint8_t>> sent{joiner.hello()};
  std::vector<std::uint8_t> toJoiner, toHost;
  while (host.receive(sent.back(), toJoiner), joiner.receive(toJoiner, toHost), !toHost.empty()) sent.push_back(toHost);
  return sent;
}

TEST(PassPhrase, OnlyTheSamePhraseOnBothSidesIsGreeted) {
  for (const auto& [hostPhrase, joinerPhrase] : std::vector<std::pair<std::string, std::string>>{
           {"", ""}, {"chouchou", "chouchou"}, {"chouchou", "chouchoU"}, {"chouchou", ""}, {"", "chouchou"}}) {
    SCOPED_TRACE(hostPhrase + " / " + joinerPhrase);
    const auto hostKey = hostPhrase.empty() ? nullptr : passKey(hostPhrase, true);
    const auto joinerKey = joinerPhrase.empty() ? nullptr : passKey(joinerPhrase, false);
    Handshake host = Handshake::host(kGreeting, hostKey.get());
    Handshake joiner = Handshake::joiner(kGreeting, 1111, joinerKey.get());
    const auto sent = greet(host, joiner);
    if (hostPhrase != joinerPhrase) {
      EXPECT_EQ(host.refusal(), net::Refusal::Key);
      EXPECT_EQ(joiner.error(), "handshake refused: the pass phrase does not match");
      continue;
    }
    ASSERT_EQ(joiner.state(), Handshake::State::Accepted);
    EXPECT_EQ(host.token(), joiner.token());
    // Without a phrase, one Hello of 35 bytes as ever and the joiner's token.
    EXPECT_EQ(sent.size(), hostPhrase.empty() ? 1u : 2u);
    EXPECT_EQ(sent[0].size(), hostPhrase.empty() ? 35u : 35u + 32u);
    EXPECT_EQ(host.token() == 1111, hostPhrase.empty());

    if (hostPhrase.empty()) continue;
    // The same Hello and Proof replayed to the host's next greeting.
    Handshake next = Handshake::host(kGreeting, hostKey.get());
    std::vector<std::uint8_t> challenge, refusal;
    next.receive(sent[0], challenge);
    EXPECT_EQ(next.receive(sent[1], refusal), Handshake::State::Refused);
    EXPECT_EQ(next.refusal(), net::Refusal::Key);
  }
}

TEST(PassPhrase, AnAddressThatGuessedWrongFiveTimesInAMinuteIsRefusedUnchecked) {
  EnetConnection host({true, "127.0.0.1", 0, kGreeting, kAnswerLimitUs, "chouchou"}, 0);
  // The 6th try has the right phrase, refused unchecked; once the oldest of
  // the last 5 tries is a minute old, it is greeted.
  const std::pair<const char*, std::int64_t> tries[] = {
      {"rouge", 0}, {"comb", 1}, {"", 2}, {"mirror", 3}, {"foundation", 4}, {"chouchou", 59}, {"chouchou", 61}};
  for (const auto& [phrase, minuteSeconds] : tries) {
    SCOPED_TRACE(minuteSeconds);
    EnetConnection joiner({false, "127.0.0.1", host.port(), kGreeting, kAnswerLimitUs, phrase}, 0);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while ((joiner.state() != EnetConnection::State::Failed && host.state() != EnetConnection::State::Open) ||
           host.state() == EnetConnection::State::Greeting) {
      ASSERT_LT(std::chrono::steady_clock::now(), until);
      host.service(minuteSeconds * 1'000'000);
      joiner.service(0);
    }
    EXPECT_EQ(host.state() == EnetConnection::State::Open, minuteSeconds == 61);
    EXPECT_EQ(joiner.refusal(), minuteSeconds < 61 ? std::optional(net::Refusal::Key) : std::nullopt);
  }
}

}  // namespace
}  // namespace glamora::netio

namespace glamora::netio {
namespace {

// Two games the lobby introduced greet with the room's key, a phrase on top
// when the host set one: another room's key, another phrase, or the phrase
// alone are refused.
TEST(PassPhrase, OnlyTheRoomsKeyAndTheSamePhraseAreGreeted) {
  const lobby::RoomKey room = lobby::freshKey(), other = lobby::freshKey();
  const struct {
    lobby::RoomKey joinerRoom;
    std::string hostPhrase, joinerPhrase;
    bool roomKeyed = true;  // the joiner's key is bound to a room
    bool greeted;
  } cases[] = {
      {room, "", "", true, true},           {other, "", "", true, false},     {room, "rouge", "rouge", true, true},
      {room, "rouge", "bleu", true, false}, {room, "rouge", "", true, false}, {room, "rouge", "rouge", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hostPhrase + " / " + c.joinerPhrase);
    const auto hostKey = roomPassKey(room, c.hostPhrase, true);
    const auto joinerKey =
        c.roomKeyed ? roomPassKey(c.joinerRoom, c.joinerPhrase, false) : passKey(c.joinerPhrase, false);
    Handshake host = Handshake::host(kGreeting, hostKey.get());
    Handshake joiner = Handshake::joiner(kGreeting, 1111, joinerKey.get());
    greet(host, joiner);
    EXPECT_EQ(joiner.state() == Handshake::State::Accepted, c.greeted);
    EXPECT_EQ(host.refusal(), c.greeted ? std::nullopt : std::optional(net::Refusal::Key));
  }
}

}  // namespace
}  // namespace glamora::netio
