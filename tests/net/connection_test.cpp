// The game's connection over real sockets on loopback, in one thread: the
// greeting, joiners turned away (and the host waiting on), the packets and
// side messages of an open connection both ways, a side that goes away or
// leaves, and a joiner no host answers, given up after 5 s of its own clock.
// Each exchange ends by itself: pumps stop after a bound of real time
// whatever happens, and no test sleeps.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "net/enet_connection.h"

namespace glamora::netio {
namespace {

using State = EnetConnection::State;

net::Greeting greeting(std::string version = "1.0", std::uint32_t speedMilli = 1000) {
  return {net::kProtocolVersion, std::move(version), 0x2c53c1a6974b2ca7ull, speedMilli};
}

std::unique_ptr<EnetConnection> host(const net::Greeting& g) {
  auto c = std::make_unique<EnetConnection>(EnetConnection::Options{true, "127.0.0.1", 0, g}, 0);
  EXPECT_EQ(c->state(), State::Waiting) << c->error();
  return c;
}

std::unique_ptr<EnetConnection> joiner(const EnetConnection& to, const net::Greeting& g) {
  return std::make_unique<EnetConnection>(EnetConnection::Options{false, "127.0.0.1", to.port(), g}, 0);
}

// Services the connections (their own clocks standing at 0) until `done`
// holds, for at most two seconds of real time.
bool pump(const std::vector<EnetConnection*>& sides, const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < until) {
    for (EnetConnection* s : sides) s->service(0);
    if (done()) return true;
  }
  return false;
}

TEST(Connection, GreetsOverLoopbackAndCarriesPacketsBothWays) {
  auto h = host(greeting());
  auto j = joiner(*h, greeting());
  ASSERT_TRUE(pump({h.get(), j.get()}, [&] { return h->state() == State::Open && j->state() == State::Open; }));
  EXPECT_EQ(h->token(), j->token());
  EXPECT_EQ(j->peerAddress(), "127.0.0.1:" + std::to_string(h->port()));

  std::vector<std::vector<std::uint8_t>> atHost, atJoiner;
  h->onPacket = [&](std::span<const std::uint8_t> b) { atHost.emplace_back(b.begin(), b.end()); };
  j->onPacket = [&](std::span<const std::uint8_t> b) { atJoiner.emplace_back(b.begin(), b.end()); };
  const std::vector<std::uint8_t> reliable{1, 2, 3}, unsequenced{4, 5};
  j->sendReliable(reliable);
  j->sendUnsequenced(unsequenced);
  h->sendReliable(reliable);
  ASSERT_TRUE(pump({h.get(), j.get()}, [&] { return atHost.size() == 2 && atJoiner.size() == 1; }));
  EXPECT_EQ(atJoiner[0], reliable);

  // The joiner goes: the host hears of it at once.
  bool gone = false;
  h->onGone = [&] { gone = true; };
  j.reset();
  ASSERT_TRUE(pump({h.get()}, [&] { return gone; }));
  EXPECT_EQ(h->state(), State::Failed);
  EXPECT_EQ(h->problem(), EnetConnection::Problem::Gone);
}

TEST(Connection, ASideThatLeavesDeliversWhatItQueuedBeforeTheGoodbye) {
  auto h = host(greeting());
  auto j = joiner(*h, greeting());
  ASSERT_TRUE(pump({h.get(), j.get()}, [&] { return h->state() == State::Open && j->state() == State::Open; }));
  std::vector<std::vector<std::uint8_t>> atHost;
  bool gone = false;
  h->onPacket = [&](std::span<const std::uint8_t> b) { atHost.emplace_back(b.begin(), b.end()); };
  h->onGone = [&] { gone = true; };
  const std::vector<std::uint8_t> last{7, 8, 9};
  j->sendReliable(last);
  j->leave();
  EXPECT_FALSE(j->left());
  ASSERT_TRUE(pump({h.get(), j.get()}, [&] { return gone && j->left(); }));
  EXPECT_EQ(atHost, std::vector<std::vector<std::uint8_t>>{last});
}

TEST(Connection, AHostTurnsAwayJoinersThatDoNotMatchAndGoesOnWaiting) {
  const struct {
    net::Greeting theirs;
    net::Refusal why;
  } cases[] = {
      {greeting("1.1"), net::Refusal::GameVersion},
      {{net::kProtocolVersion, "1.0", 1, 1000}, net::Refusal::Signature},
      {greeting("1.0", 2000), net::Refusal::Speed},
      {{static_cast<std::uint16_t>(net::kProtocolVersion + 1), "1.0", 0x2c53c1a6974b2ca7ull, 1000},
       net::Refusal::Protocol},
  };
  auto h = host(greeting());
  std::vector<net::Refusal> turnedAway;
  h->onTurnedAway = [&](const std::string& address, net::Refusal why) {
    EXPECT_TRUE(address.starts_with("127.0.0.1:")) << address;
    turnedAway.push_back(why);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.why));
    auto j = joiner(*h, c.theirs);
    ASSERT_TRUE(pump({h.get(), j.get()}, [&] { return j->state() == State::Failed; }));
    EXPECT_EQ(j->problem(), EnetConnection::Problem::Refused);
    ASSERT_TRUE(j->refusal());
    EXPECT_EQ(*j->refusal(), c.why);
    ASSERT_TRUE(pump({h.get(), j.get()},
                     [&] { return turnedAway.size() == static_cast<std::size_t>(&c - cases + 1); }));
    EXPECT_EQ(turnedAway.back(), c.why);
    // The refused joiner's connection is let go before the next one comes.
    j.reset();
    ASSERT_TRUE(pump({h.get()}, [&] { return h->state() == State::Waiting && h->peerAddress().empty(); }));
  }
  auto good = joiner(*h, greeting());
  EXPECT_TRUE(pump({h.get(), good.get()}, [&] { return h->state() == State::Open && good->state() == State::Open; }));
}

TEST(Connection, AJoinerNoHostAnswersGivesUpAfterFiveSecondsOfItsClock) {
  // A port nobody listens on: bound and closed again.
  std::uint16_t port = 0;
  {
    auto h = host(greeting());
    port = h->port();
  }
  EnetConnection j(EnetConnection::Options{false, "127.0.0.1", port, greeting()}, 0);
  j.service(kAnswerLimitUs);
  EXPECT_NE(j.state(), State::Failed);
  j.service(kAnswerLimitUs + 1);
  EXPECT_EQ(j.state(), State::Failed);
  EXPECT_EQ(j.problem(), EnetConnection::Problem::NoAnswer);

  EnetConnection notAnAddress(EnetConnection::Options{false, "no.such.host", port, greeting()}, 0);
  EXPECT_EQ(notAnAddress.problem(), EnetConnection::Problem::Address);
}

// ENet connects that are never acknowledged: each holds one of the host's slots.
struct HalfOpen {
  explicit HalfOpen(std::uint16_t port) : host(enet_host_create(nullptr, 1, 2, 0, 0)) {
    host->checksum = enet_crc32;
    ENetAddress to{};
    enet_address_set_host_ip(&to, "127.0.0.1");
    to.port = port;
    enet_host_connect(host, &to, 2, 0);
    enet_host_flush(host);  // the connect goes; nothing that comes back is ever read
  }
  ~HalfOpen() { enet_host_destroy(host); }
  ENetHost* host;
};

void sendRaw(std::uint16_t port, const std::vector<std::uint8_t>& bytes) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
  close(fd);
}

// What strangers do at a waiting host's door: fill every slot with connects
// they never finish, send datagrams too long for ENet and garbage. The host
// goes on waiting, lets the silent callers go after 2 s of its clock, and
// the real joiner gets in; a joiner after it hears that the host is busy.
TEST(Connection, StrangersAtTheDoorNeitherEndNorHoldAWaitingHost) {
  auto h = host(greeting());
  std::vector<std::unique_ptr<HalfOpen>> strangers;
  for (int k = 0; k < 8; ++k) strangers.push_back(std::make_unique<HalfOpen>(h->port()));
  sendRaw(h->port(), std::vector<std::uint8_t>(6000, 0x5a));
  for (int k = 0; k < 200; ++k) sendRaw(h->port(), std::vector<std::uint8_t>(static_cast<std::size_t>(k % 50 + 1), 7));
  const auto slotsTaken = [&] {
    h->service(0);
    return std::count_if(h->peers().begin(), h->peers().end(),
                         [](const ENetPeer& p) { return p.state != ENET_PEER_STATE_DISCONNECTED; });
  };
  ASSERT_TRUE(pump({h.get()}, [&] { return slotsTaken() == 8; }));
  EXPECT_EQ(h->state(), State::Waiting);
  EXPECT_GE(h->dropped(), 1);  // the long datagram

  h->service(2'000'001);
  EXPECT_EQ(slotsTaken(), 0);
  auto j = joiner(*h, greeting());
  ASSERT_TRUE(pump({h.get(), j.get()}, [&] { return h->state() == State::Open && j->state() == State::Open; }));

  auto late = joiner(*h, greeting());
  ASSERT_TRUE(pump({h.get(), j.get(), late.get()}, [&] { return late->state() == State::Failed; }));
  EXPECT_EQ(late->refusal(), net::Refusal::Busy);
  EXPECT_TRUE(late->error().starts_with("busy")) << late->error();
  EXPECT_EQ(h->state(), State::Open);
  EXPECT_EQ(j->state(), State::Open);
}

}  // namespace
}  // namespace glamora::netio

namespace glamora::netio {
namespace {

// A joiner that meets its host through the lobby: its port is known before
// it connects, its clock runs from its connect, the lobby's datagrams pass
// both ways on the same socket, and only the room's key takes the seat.
TEST(Connection, ADeferredJoinerWithTheRoomsKeyTakesTheSeatOthersAreTurnedAway) {
  const lobby::RoomKey room = lobby::freshKey();
  auto h = host(greeting());
  h->useKey(roomPassKey(room, "", true));
  std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>> foreign;
  h->answerForeign = [&](const ENetAddress& from,
                         std::span<const std::uint8_t> d) -> std::optional<std::vector<std::uint8_t>> {
    if (!lobby::hasPrefix(d)) return std::nullopt;
    foreign.emplace_back(from.port, std::vector<std::uint8_t>(d.begin(), d.end()));
    return std::vector<std::uint8_t>{};
  };
  EnetConnection::Options o{false, "127.0.0.1", 0, greeting()};
  o.deferConnect = true;
  EnetConnection j(o, 0);
  ASSERT_NE(j.port(), 0);
  j.service(60'000'000);
  EXPECT_EQ(j.state(), State::Waiting);

  ENetAddress at{};
  enet_address_set_host_ip(&at, "127.0.0.1");
  at.port = h->port();
  const std::vector<std::uint8_t> said = lobby::encode(lobby::Punch{"ABCDEF", lobby::Role::Joiner, false, 1, {}});
  j.sendDatagram(at, said);
  ASSERT_TRUE(pump({h.get()}, [&] { return !foreign.empty(); }));
  EXPECT_EQ(foreign[0], std::make_pair(j.port(), said));

  auto stranger = joiner(*h, greeting());
  ASSERT_TRUE(pump({h.get(), stranger.get()}, [&] { return stranger->state() == State::Failed; }));
  EXPECT_EQ(stranger->refusal(), net::Refusal::Key);

  j.useKey(roomPassKey(room, "", false));
  j.connectTo(at, 60'000'000);
  // Its answer limit counts from the connect, on its own clock.
  const auto pumpAt = [&](std::int64_t joinerNow) {
    return pump({h.get()}, [&] {
      j.service(joinerNow);
      return h->state() == State::Open && j.state() == State::Open;
    });
  };
  ASSERT_TRUE(pumpAt(60'000'000 + kAnswerLimitUs));
  EXPECT_EQ(h->peerEndpoint()->port, j.port());
}

}  // namespace
}  // namespace glamora::netio
