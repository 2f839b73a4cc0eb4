// The greeting with a pass phrase: both sides with the same phrase are
// greeted with a token nobody else can know, a wrong phrase or a phrase on
// one side only is refused as such, a proof captured from one greeting is
// of no use in another, and an address that has guessed wrong 5 times in a
// minute is refused unchecked until the minute is over.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "net/enet_connection.h"
#include "net/pass_phrase.h"

namespace glamora::netio {
namespace {

using net::Handshake;

const net::Greeting kGreeting{net::kProtocolVersion, "1.0", 0x2c53c1a6974b2ca7ull, 1000};

std::unique_ptr<net::PassKey> keyFor(const std::string& phrase, bool host) {
  return phrase.empty() ? nullptr : passKey(phrase, host);
}

// Hands each side's reply to the other until neither has one; the packets the
// joiner sent, in order.
std::vector<std::vector<std::uint8_t>> greet(Handshake& host, Handshake& joiner) {
  std::vector<std::vector<std::uint8_t>> sent{joiner.hello()};
  std::vector<std::uint8_t> toJoiner, toHost = joiner.hello();
  while (!toHost.empty()) {
    host.receive(toHost, toJoiner);
    if (toJoiner.empty()) break;
    joiner.receive(toJoiner, toHost);
    if (!toHost.empty()) sent.push_back(toHost);
  }
  return sent;
}

TEST(PassPhrase, OnlyTheSamePhraseOnBothSidesIsGreeted) {
  const struct {
    const char* host;
    const char* joiner;
    bool greeted;
  } cases[] = {{"", "", true},
               {"chouchou", "chouchou", true},
               {"chouchou", "chouchoU", false},
               {"chouchou", "", false},
               {"", "chouchou", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.host) + " / " + c.joiner);
    const auto hostKey = keyFor(c.host, true), joinerKey = keyFor(c.joiner, false);
    Handshake host = Handshake::host(kGreeting, hostKey.get());
    Handshake joiner = Handshake::joiner(kGreeting, 1111, joinerKey.get());
    const auto sent = greet(host, joiner);
    if (!c.greeted) {
      EXPECT_EQ(host.refusal(), net::Refusal::Key);
      EXPECT_EQ(joiner.refusal(), net::Refusal::Key);
      EXPECT_EQ(joiner.error(), "handshake refused: the pass phrase does not match");
      continue;
    }
    ASSERT_EQ(host.state(), Handshake::State::Accepted);
    ASSERT_EQ(joiner.state(), Handshake::State::Accepted);
    EXPECT_EQ(host.token(), joiner.token());
    // Without a phrase the greeting is as it always was: one Hello of 35
    // bytes, the token the joiner's own. With one the token is derived.
    EXPECT_EQ(sent.size(), *c.host ? 2u : 1u);
    EXPECT_EQ(sent[0].size(), *c.host ? 35u + 32u : 35u);
    EXPECT_EQ(host.token() == 1111, !*c.host);
  }
}

TEST(PassPhrase, AGreetingCapturedFromOneConnectionIsRefusedInAnother) {
  const auto hostKey = passKey("chouchou", true), joinerKey = passKey("chouchou", false);
  Handshake first = Handshake::host(kGreeting, hostKey.get());
  Handshake joiner = Handshake::joiner(kGreeting, 1111, joinerKey.get());
  const auto captured = greet(first, joiner);
  ASSERT_EQ(first.state(), Handshake::State::Accepted);

  // The same Hello and Proof, replayed to the host waiting for its next joiner.
  Handshake next = Handshake::host(kGreeting, hostKey.get());
  std::vector<std::uint8_t> reply;
  EXPECT_EQ(next.receive(captured[0], reply), Handshake::State::Waiting);
  EXPECT_EQ(net::decodePacket(reply)->type, net::PacketType::Challenge);
  EXPECT_EQ(next.receive(captured[1], reply), Handshake::State::Refused);
  EXPECT_EQ(next.refusal(), net::Refusal::Key);
}

std::unique_ptr<EnetConnection> connection(bool host, std::uint16_t port, const std::string& phrase) {
  return std::make_unique<EnetConnection>(
      EnetConnection::Options{host, "127.0.0.1", port, kGreeting, kAnswerLimitUs, phrase}, 0);
}

// Services both (the host at `hostUs`, the joiner at 0) until `done`, for at
// most two seconds of real time.
bool pump(EnetConnection& host, EnetConnection& joiner, std::int64_t hostUs, const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < until) {
    host.service(hostUs);
    joiner.service(0);
    if (done()) return true;
  }
  return false;
}

TEST(PassPhrase, AnAddressThatGuessedWrongFiveTimesInAMinuteIsRefusedUnchecked) {
  auto host = connection(true, 0, "chouchou");
  std::vector<net::Refusal> turnedAway;
  host->onTurnedAway = [&](const std::string&, net::Refusal why) { turnedAway.push_back(why); };
  const struct {
    const char* phrase;
    std::int64_t hostUs;
    bool greeted;
  } tries[] = {{"rouge", 0, false},
               {"comb", 1'000'000, false},
               {"mirror", 2'000'000, false},
               {"foundation", 3'000'000, false},
               {"", 4'000'000, false},
               // The right phrase, unchecked: the 5 wrong ones are less than a minute old.
               {"chouchou", 59'000'000, false},
               {"chouchou", 63'000'000, true}};
  for (const auto& t : tries) {
    SCOPED_TRACE(t.phrase);
    auto joiner = connection(false, host->port(), t.phrase);
    const std::size_t before = turnedAway.size();
    ASSERT_TRUE(pump(*host, *joiner, t.hostUs, [&] {
      return joiner->state() == EnetConnection::State::Failed || joiner->state() == EnetConnection::State::Open;
    }));
    if (t.greeted) {
      ASSERT_TRUE(pump(*host, *joiner, t.hostUs, [&] { return host->state() == EnetConnection::State::Open; }));
      EXPECT_EQ(host->token(), joiner->token());
      continue;
    }
    EXPECT_EQ(joiner->refusal(), net::Refusal::Key);
    ASSERT_TRUE(pump(*host, *joiner, t.hostUs, [&] { return turnedAway.size() == before + 1; }));
    EXPECT_EQ(turnedAway.back(), net::Refusal::Key);
    joiner.reset();
    ASSERT_TRUE(pump(*host, *host, t.hostUs, [&] { return host->left(); }));
  }
}

TEST(PassPhrase, WrongProofsAreCountedPerAddressForAMinute) {
  WrongProofs wrong;
  for (int k = 0; k < 5; ++k) wrong.note("192.0.2.7", k * 1'000'000);
  EXPECT_FALSE(wrong.allows("192.0.2.7", 59'999'999));
  EXPECT_TRUE(wrong.allows("192.0.2.9", 59'999'999));
  EXPECT_TRUE(wrong.allows("192.0.2.7", 60'000'000));
  // Refused attempts count too: a guesser that keeps on stays refused.
  wrong.note("192.0.2.7", 60'000'000);
  EXPECT_FALSE(wrong.allows("192.0.2.7", 60'500'000));
}

}  // namespace
}  // namespace glamora::netio
