// Two games meeting through the lobby's own logic (LobbyServer) over a
// simulated lossless network on a simulated clock: each datagram arrives 5 ms
// after it is sent unless the test drops it. The battle's connection is
// stood in for by a datagram without the lobby's prefix: the joiner sends it
// where the rendezvous tells it to connect, and the host's connection "opens"
// with whoever delivers it (the joiner, or the lobby relaying it).
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "lobby_server.h"
#include "net/rendezvous.h"
#include "net/room_list.h"

namespace glamora::netio {
namespace {

using lobby::Endpoint;
using Phase = Rendezvous::Phase;
using Path = Rendezvous::Path;

constexpr Endpoint kLobby{0xC6336401, 47292};      // 198.51.100.1
constexpr Endpoint kHost{0xCB007105, 40000};       // 203.0.113.5
constexpr Endpoint kHostLocal{0x0A010105, 40000};  // 10.1.1.5, unreachable from the joiner
constexpr Endpoint kJoiner{0xC0000209, 50000};     // 192.0.2.9
constexpr Endpoint kStranger{0xC6120042, 6666};    // 198.18.0.66
constexpr std::int64_t kStepUs = 1000;
constexpr std::int64_t kLatencyUs = 5000;
const std::vector<std::uint8_t> kHello = {0x00, 0x01, 0x02};  // not the lobby's prefix

struct Datagram {
  Endpoint from, to;
  std::vector<std::uint8_t> bytes;
  std::int64_t arrivesUs = 0;
  std::optional<lobby::Punch> punch() const {
    const std::optional<lobby::Message> m = lobby::decode(bytes);
    if (!m || !std::holds_alternative<lobby::Punch>(*m)) return std::nullopt;
    return std::get<lobby::Punch>(*m);
  }
};

class World {
 public:
  lobby::LobbyServer server{{}, [](std::string_view) {}};
  std::int64_t now = 0;
  std::function<bool(const Datagram&)> drops = [](const Datagram&) { return false; };
  std::vector<Datagram> sent;

  DatagramSend sendFrom(Endpoint from) {
    return [this, from](const Endpoint& to, std::span<const std::uint8_t> bytes) { post(from, to, bytes); };
  }
  void post(const Endpoint& from, const Endpoint& to, std::span<const std::uint8_t> bytes) {
    Datagram d{from, to, {bytes.begin(), bytes.end()}, now + kLatencyUs};
    sent.push_back(d);
    if (!drops(d)) flying_.push_back(std::move(d));
  }
  // A game's socket at `at`, and what it does every step.
  void attach(const Endpoint& at, std::function<void(const Datagram&)> receive, std::function<void()> service) {
    sockets_[at.ip * 65536ull + at.port] = {std::move(receive), std::move(service)};
  }
  void detach(const Endpoint& at) { sockets_.erase(at.ip * 65536ull + at.port); }
  // Steps the clock until `done` holds or `forUs` have passed; whether it held.
  bool run(
      std::int64_t forUs, const std::function<bool()>& done = [] { return false; }) {
    for (const std::int64_t until = now + forUs; now < until; now += kStepUs) {
      deliver();
      if (now % 100'000 == 0) server.tick(now, out_), lobbyOut();
      for (auto& [at, socket] : sockets_) socket.second();
      if (done()) return true;
    }
    return false;
  }

 private:
  void deliver() {
    std::deque<Datagram> due;
    std::erase_if(flying_, [&](Datagram& d) { return d.arrivesUs <= now && (due.push_back(std::move(d)), true); });
    for (const Datagram& d : due) {
      if (d.to == kLobby) {
        server.receive(d.from, d.bytes, now, out_);
        lobbyOut();
      } else if (const auto it = sockets_.find(d.to.ip * 65536ull + d.to.port); it != sockets_.end()) {
        it->second.first(d);
      }
    }
  }
  void lobbyOut() {
    for (const lobby::Outgoing& o : out_) post(kLobby, o.to, o.bytes);
    out_.clear();
  }
  std::vector<Datagram> flying_;
  std::vector<lobby::Outgoing> out_;
  std::map<std::uint64_t, std::pair<std::function<void(const Datagram&)>, std::function<void()>>> sockets_;
};

// A game: its rendezvous and, standing in for its connection, where it
// connected (the joiner) or whom its connection opened with (the host).
struct Game {
  Game(World& world, const Endpoint& at, RendezvousOptions o) : world(world), at(at) {
    o.lobby = kLobby;
    o.version = o.version.empty() ? "1.0" : o.version;
    o.signature = 7;
    r.emplace(std::move(o), world.sendFrom(at), world.now);
    r->onKey = [this](const lobby::RoomKey& k) { key = k; };
    r->onConnect = [this](const Endpoint& to) {
      connectedTo = to;
      this->world.post(this->at, to, kHello);
    };
    world.attach(
        at,
        [this](const Datagram& d) {
          if (!lobby::hasPrefix(d.bytes)) return opened(d.from);
          r->receive(d.from, d.bytes, this->world.now);
        },
        [this] { r->service(this->world.now); });
  }
  ~Game() { world.detach(at); }
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;
  void opened(const Endpoint& with) {
    openedWith = with;
    r->opened(with, world.now);
  }
  World& world;
  Endpoint at;
  std::optional<Rendezvous> r;
  std::optional<lobby::RoomKey> key;
  std::optional<Endpoint> connectedTo, openedWith;
};

RendezvousOptions hostOptions(bool open = false) {
  RendezvousOptions o;
  o.name = "Salon";
  o.open = open;
  o.locals = {kHostLocal, kHost};
  return o;
}

RendezvousOptions joinerOptions(const std::string& code, std::string version = "1.0") {
  RendezvousOptions o;
  o.host = false;
  o.code = code;
  o.version = std::move(version);
  o.locals = {{0x0A020209, 50000}};
  return o;
}

// A host whose room is open, and a joiner of it.
struct Meeting {
  World world;
  Game host{world, kHost, hostOptions()};
  std::optional<Game> joiner;
  Meeting() {
    EXPECT_TRUE(world.run(1'000'000, [&] { return host.r->phase() == Phase::Waiting; }));
    joiner.emplace(world, kJoiner, joinerOptions(host.r->code()));
  }
  bool bothConnected(std::int64_t forUs) {
    return world.run(forUs,
                     [&] { return host.r->phase() == Phase::Connected && joiner->r->phase() == Phase::Connected; });
  }
};

TEST(Rendezvous, PunchesThatGetThroughMeetDirectlyAndEndTheRoom) {
  Meeting m;
  ASSERT_TRUE(m.bothConnected(2'000'000));
  EXPECT_EQ(m.joiner->connectedTo, kHost);  // never the unreachable local one
  EXPECT_EQ(m.host.openedWith, kJoiner);
  EXPECT_EQ(m.host.r->path(), Path::Direct);
  EXPECT_EQ(m.joiner->r->path(), Path::Direct);
  EXPECT_EQ(m.host.key, m.joiner->key);
  m.world.run(1'000'000);
  EXPECT_EQ(m.world.server.rooms(), 0u);  // Started, direct
}

TEST(Rendezvous, DroppedPunchesMeetThroughTheRelayWhichKeepsBeingAnswered) {
  Meeting m;
  m.world.drops = [](const Datagram& d) { return d.punch().has_value(); };
  ASSERT_TRUE(m.bothConnected(8'000'000));
  EXPECT_GE(m.world.now, Rendezvous::kPunchLimitUs);
  EXPECT_EQ(m.joiner->connectedTo, kLobby);
  EXPECT_EQ(m.host.openedWith, kLobby);  // the hello came through the lobby
  EXPECT_EQ(m.host.r->path(), Path::Relay);
  EXPECT_EQ(m.joiner->r->path(), Path::Relay);
  EXPECT_EQ(m.world.server.relayedRooms(), 1u);
  // The lobby keeps answering both, well past its silence limits.
  m.world.run(30'000'000);
  EXPECT_EQ(m.world.server.rooms(), 1u);
  EXPECT_FALSE(m.host.r->relayLost(m.world.now));
  EXPECT_FALSE(m.joiner->r->relayLost(m.world.now));
  // Then it falls silent.
  m.world.drops = [](const Datagram& d) { return d.from == kLobby; };
  m.world.run(Rendezvous::kRelayLostUs + Rendezvous::kKeepaliveUs);
  EXPECT_TRUE(m.host.r->relayLost(m.world.now));
  EXPECT_TRUE(m.joiner->r->relayLost(m.world.now));
}

// Punches under another key, and a right one replayed from an address that
// is not the host's, lead the joiner nowhere; the host answers none of them.
TEST(Rendezvous, OnlyPunchesProvingTheRoomsKeyFromTheHostsEndpointsCount) {
  Meeting m;
  ASSERT_TRUE(m.world.run(1'000'000, [&] { return m.joiner->key && m.host.key; }));
  const std::string code = m.host.r->code();
  constexpr std::uint64_t kForged = 99;
  const auto forged = [&](const lobby::RoomKey& key, lobby::Role from, bool answer) {
    return lobby::encode(lobby::Punch{code, from, answer, kForged,
                                      lobby::tagOf(key, "punch", code, from, answer, kForged)});
  };
  const lobby::RoomKey wrong = lobby::freshKey();
  m.world.drops = [](const Datagram& d) { return d.punch() && d.punch()->nonce != kForged; };
  m.world.post(kStranger, kJoiner, forged(wrong, lobby::Role::Host, true));
  m.world.post(kStranger, kJoiner, forged(*m.host.key, lobby::Role::Host, true));
  m.world.post(kStranger, kHost, forged(wrong, lobby::Role::Joiner, false));
  m.world.run(Rendezvous::kPunchLimitUs - 100'000);
  EXPECT_FALSE(m.joiner->connectedTo);
  EXPECT_FALSE(std::any_of(m.world.sent.begin(), m.world.sent.end(),
                           [](const Datagram& d) { return d.to == kStranger; }));
  // From the host's endpoint, an answer under the key is taken.
  m.world.post(kHost, kJoiner, forged(*m.host.key, lobby::Role::Host, true));
  ASSERT_TRUE(m.bothConnected(100'000));
  EXPECT_EQ(m.joiner->connectedTo, kHost);
}

// A joiner that never comes leaves the host waiting again once the lobby
// reopens the room; the next joiner meets it.
TEST(Rendezvous, AHostWhoseRoomReopensWaitsForTheNextJoiner) {
  Meeting m;
  ASSERT_TRUE(m.world.run(1'000'000, [&] { return m.host.r->phase() == Phase::Meeting; }));
  const lobby::RoomKey first = *m.host.key;
  m.joiner.reset();
  ASSERT_TRUE(m.world.run(20'000'000, [&] { return m.host.r->phase() == Phase::Waiting; }));
  EXPECT_GE(m.world.now, 15'000'000);
  EXPECT_NE(*m.host.key, first);  // one nobody knows
  Game next(m.world, {0xC0000277, 50001}, joinerOptions(m.host.r->code()));
  ASSERT_TRUE(m.world.run(2'000'000, [&] {
    return next.r->phase() == Phase::Connected && m.host.r->phase() == Phase::Connected;
  }));
  EXPECT_NE(*m.host.key, first);
  EXPECT_EQ(m.host.r->path(), Path::Direct);
}

TEST(Rendezvous, ALobbyThatRefusesOrCannotBeReachedEndsWithWhy) {
  {
    Meeting m;
    Game late(m.world, {0xC0000278, 1}, joinerOptions("ZZZZZZ"));
    Game other(m.world, {0xC0000279, 1}, joinerOptions(m.host.r->code(), "0.9"));
    m.world.run(1'000'000);
    EXPECT_EQ(late.r->error(), "no such room");
    EXPECT_EQ(other.r->error(), "the room's game is another version");
    EXPECT_EQ(late.r->problem(), Rendezvous::Problem::Refused);
    EXPECT_EQ(late.r->refusal(), lobby::Refusal::UnknownRoom);
    EXPECT_EQ(other.r->refusal(), lobby::Refusal::Version);
  }
  {
    // A waiting host's lobby falls silent.
    Meeting m;
    m.joiner.reset();
    m.world.drops = [](const Datagram& d) { return d.to == kLobby; };
    m.world.run(Rendezvous::kSilentLobbyUs - 100'000);
    EXPECT_EQ(m.host.r->phase(), Phase::Waiting);
    m.world.run(200'000);
    EXPECT_EQ(m.host.r->error(), "the lobby stopped answering");
    EXPECT_EQ(m.host.r->problem(), Rendezvous::Problem::LobbySilent);
  }
  World world;
  world.drops = [](const Datagram& d) { return d.to == kLobby; };
  Game host(world, kHost, hostOptions());
  Game joiner(world, kJoiner, joinerOptions("ABCDEF"));
  world.run(Rendezvous::kUnreachableUs + kStepUs);
  for (const Game* g : {&host, &joiner}) {
    EXPECT_EQ(g->r->phase(), Phase::Failed);
    EXPECT_EQ(g->r->error(), "the lobby at 198.51.100.1:47292 cannot be reached");
    EXPECT_EQ(g->r->problem(), Rendezvous::Problem::Unreachable);
    EXPECT_FALSE(g->r->refusal());
  }
}

// A host that gives up closes its room at the lobby at once, and says
// nothing more to it.
TEST(Rendezvous, AHostThatLeavesClosesItsRoom) {
  World world;
  Game host(world, kHost, hostOptions(true));
  ASSERT_TRUE(world.run(1'000'000, [&] { return host.r->phase() == Phase::Waiting; }));
  EXPECT_EQ(world.server.rooms(), 1u);
  host.r->leave(world.now);
  world.run(100'000);
  EXPECT_EQ(world.server.rooms(), 0u);
  const std::size_t sent = world.sent.size();
  world.run(Rendezvous::kSilentLobbyUs + Rendezvous::kKeepaliveUs);
  EXPECT_EQ(world.sent.size(), sent);
  EXPECT_EQ(host.r->problem(), Rendezvous::Problem::None);
}

// Twenty public rooms and a private one: the list has every public one once,
// over two pages; the private one is listed while its host makes it public.
TEST(Rendezvous, TheListHoldsEveryPublicRoomOverAllPages) {
  World world;
  std::vector<std::unique_ptr<Game>> hosts;
  for (std::uint32_t k = 0; k < 21; ++k) {
    hosts.push_back(std::make_unique<Game>(world, Endpoint{0xCB007200 + k, 40000}, hostOptions(k != 7)));
  }
  world.run(500'000);
  // Listed once it is made public, then no longer.
  for (const bool open : {false, true, false}) {
    hosts[7]->r->setPublic(open, world.now);
    world.run(100'000);
    RoomList list(kLobby, "the lobby", world.sendFrom(kStranger), world.now);
    world.attach(
        kStranger, [&](const Datagram& d) { list.receive(d.bytes, world.now); }, [&] { list.service(world.now); });
    ASSERT_TRUE(world.run(1'000'000, [&] { return list.done(); }));
    EXPECT_EQ(list.error(), "");
    for (std::uint32_t k = 0; k < 21; ++k) {
      const auto listed = std::count_if(list.rooms().begin(), list.rooms().end(),
                                        [&](const lobby::RoomEntry& e) { return e.code == hosts[k]->r->code(); });
      EXPECT_EQ(listed, k != 7 || open) << k;
    }
    world.detach(kStranger);
  }
}

}  // namespace
}  // namespace glamora::netio
