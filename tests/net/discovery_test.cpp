// Finding games: the messages read back as written and refuse anything else;
// a host answers probes on its battle's port, only from its own networks, at
// a bounded rate, never larger than the probe and never in a battle; a finder
// lists what answers and drops what does not. Over
// loopback, and with real broadcasts between two network namespaces joined by
// a virtual link (made here when the test runs as root; skipped otherwise),
// never on the real network.
#include <arpa/inet.h>
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "net/enet_connection.h"
#include "net/lan_discovery.h"
#include "net/this_machine.h"

namespace glamora::netio {
namespace {

const GameAnswer kHost{net::kProtocolVersion, "1.0", "elna-pc", 47291};

TEST(Discovery, MessagesReadBackAndRefuseCutsFlippedBitsAndGarbage) {
  const GameProbe probe{net::kProtocolVersion, "1.0"};
  const std::vector<std::uint8_t> p = encodeProbe(probe);
  const std::vector<std::uint8_t> a = encodeAnswer(kHost);
  ASSERT_TRUE(decodeProbe(p));
  EXPECT_EQ(decodeProbe(p)->gameVersion, "1.0");
  ASSERT_TRUE(decodeAnswer(a));
  EXPECT_EQ(decodeAnswer(a)->name, "elna-pc");
  EXPECT_EQ(decodeAnswer(a)->port, 47291);
  EXPECT_FALSE(decodeAnswer(p));
  EXPECT_FALSE(decodeProbe(a));
  for (const auto* bytes : {&p, &a}) {
    for (std::size_t cut = 0; cut < bytes->size(); ++cut) {
      const std::span<const std::uint8_t> part(bytes->data(), cut);
      EXPECT_FALSE(decodeProbe(part) || decodeAnswer(part));
    }
    for (std::size_t bit = 0; bit < bytes->size() * 8; ++bit) {
      std::vector<std::uint8_t> flipped = *bytes;
      flipped[bit / 8] ^= static_cast<std::uint8_t>(1 << (bit % 8));
      EXPECT_FALSE(decodeProbe(flipped) || decodeAnswer(flipped));
    }
  }
  // A name from another machine shows only its printable characters, 32 at most.
  GameAnswer loud = kHost;
  loud.name = "\x1b[2J" + std::string(100, 'x') + "\n";
  EXPECT_EQ(decodeAnswer(encodeAnswer(loud))->name, "[2J" + std::string(29, 'x'));
  std::mt19937 random(3);
  for (int k = 0; k < 1000; ++k) {
    std::vector<std::uint8_t> junk(random() % 64);
    for (auto& b : junk) b = static_cast<std::uint8_t>(random());
    EXPECT_FALSE(decodeProbe(junk) || decodeAnswer(junk));
  }
}

ENetAddress ipv4(const char* dotted) {
  ENetAddress address{};
  enet_address_set_host_ip(&address, dotted);
  return address;
}

// `body` with its CRC-32 after it, as the messages end.
std::vector<std::uint8_t> withCrc(std::vector<std::uint8_t> body) {
  const std::uint32_t crc = net::crc32(body);
  for (int k = 0; k < 4; ++k) body.push_back(static_cast<std::uint8_t>(crc >> (8 * k)));
  return body;
}

TEST(Discovery, AHostAnswersItsOwnNetworksTenTimesASecondNeverLouderThanTheProbeNorInABattle) {
  const std::vector<std::uint8_t> probe = encodeProbe({net::kProtocolVersion, "1.0"});
  GameAnswer longest = kHost;
  longest.gameVersion = std::string(200, 'v');
  longest.name = std::string(200, 'n');
  ProbeAnswerer answerer(longest, {{inet_addr("127.0.0.1"), inet_addr("255.0.0.0")},
                                   {inet_addr("10.213.5.1"), inet_addr("255.255.255.0")}});
  for (const std::int64_t second : {0, 1}) {
    int answers = 0;
    for (int k = 0; k < 1000; ++k) {
      const auto answer = answerer.answer(probe, ipv4("127.0.0.1"), second * 1'000'000 + k * 1000, true);
      if (!answer) continue;
      ++answers;
      EXPECT_LE(answer->size(), probe.size());
      EXPECT_EQ(decodeAnswer(*answer)->name, std::string(32, 'n'));
    }
    EXPECT_EQ(answers, kAnswersPerSecond) << second;
  }

  std::vector<std::uint8_t> noisyPadding(probe.begin(), probe.end() - 4);
  noisyPadding.back() = 1;
  const std::vector<std::uint8_t> unpadded = withCrc({'G', 'L', 'F', 'P', net::kProtocolVersion, 0, 3, '1', '.', '0'});
  const struct {
    const char* from;
    std::vector<std::uint8_t> datagram;
    bool waiting, answered;
  } cases[] = {
      {"127.0.0.1", probe, true, true},
      {"127.200.1.1", probe, true, true},
      {"10.213.5.200", probe, true, true},
      {"10.213.6.1", probe, true, false},
      {"203.0.113.7", probe, true, false},
      {"127.0.0.1", probe, false, false},
      {"127.0.0.1", unpadded, true, false},
      {"127.0.0.1", withCrc(noisyPadding), true, false},
      {"127.0.0.1", encodeAnswer(kHost), true, false},
  };
  std::int64_t nowUs = 5'000'000;
  for (const auto& c : cases) {
    nowUs += 1'000'000;
    EXPECT_EQ(answerer.answer(c.datagram, ipv4(c.from), nowUs, c.waiting).has_value(), c.answered) << c.from;
  }
  // This machine's own networks hold loopback, and not an address of the internet.
  ProbeAnswerer here(kHost, localNetworks());
  EXPECT_TRUE(here.answer(probe, ipv4("127.0.0.1"), 0, true));
  EXPECT_FALSE(here.answer(probe, ipv4("203.0.113.7"), 0, true));
}

// A host waiting on `bind` that answers probes as `kHost` on its own port;
// its clock moves on by 10 ms with each datagram.
std::unique_ptr<EnetConnection> answeringHost(const std::string& bind) {
  auto h = std::make_unique<EnetConnection>(
      EnetConnection::Options{true, bind, 0, {net::kProtocolVersion, "1.0", 1, 1000}}, 0);
  GameAnswer mine = kHost;
  mine.port = h->port();
  h->answerForeign = [answerer = ProbeAnswerer(mine, localNetworks()), nowUs = std::int64_t{0}](
                         const ENetAddress& from, std::span<const std::uint8_t> datagram) mutable {
    return answerer.answer(datagram, from, nowUs += 10'000, true);
  };
  return h;
}

// Probes `target` at `port` with `version` until an answer comes, for at most
// two seconds of real time, servicing `host` (when given) between reads.
std::vector<FoundGame> find(GameFinder& finder, const std::string& target, std::uint16_t port,
                            const std::string& version, EnetConnection* host) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  auto nextProbe = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() < until) {
    if (std::chrono::steady_clock::now() >= nextProbe) {
      finder.probe({target}, port, {net::kProtocolVersion, version});
      nextProbe += std::chrono::milliseconds(200);
    }
    if (host) host->service(0);
    std::vector<FoundGame> found = finder.read();
    if (!found.empty()) return found;
  }
  return {};
}

TEST(Discovery, OnlyDottedIPv4AddressesAreTakenAsAddresses) {
  const std::pair<const char*, const char*> cases[] = {
      {"127.0.0.1", "127.0.0.1"},
      {"192.168.1.20", "192.168.1.20"},
      {"0.0.0.0", "0.0.0.0"},
      {"255.255.255.255", "255.255.255.255"},
      {"127.1", nullptr},
      {"256.1.1.1", nullptr},
      {"1.2.3.4.5", nullptr},
      {"localhost", nullptr},
      {"", nullptr},
      {" 1.2.3.4", nullptr},
      {"::1", nullptr},
      {"1.2.3.4:80", nullptr},
  };
  for (const auto& [text, address] : cases) {
    const std::optional<std::string> got = dottedIPv4(text);
    if (address) {
      EXPECT_EQ(got, std::string(address)) << text;
    } else {
      EXPECT_FALSE(got) << text;
    }
  }
}

TEST(Discovery, AHostAnswersOnItsBattlePortOverLoopback) {
  auto h = answeringHost("127.0.0.1");
  std::string error;
  auto finder = GameFinder::open("127.0.0.1", error);
  ASSERT_TRUE(finder) << error;
  const std::vector<FoundGame> found = find(*finder, "127.0.0.1", h->port(), "1.0", h.get());
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].address, "127.0.0.1");
  EXPECT_EQ(found[0].answer.name, "elna-pc");
  EXPECT_EQ(found[0].answer.port, h->port());
  // A probe of another version is answered alike; the finder sees the versions differ.
  EXPECT_EQ(find(*finder, "127.0.0.1", h->port(), "0.9", h.get()).at(0).answer.gameVersion, "1.0");
  // The probes went to the host's own port, and took nothing from its battle's filter.
  EXPECT_EQ(h->dropped(), 0);

  // A datagram that is no answer (here another finder's probe) is dropped and counted.
  auto other = GameFinder::open("127.0.0.1", error);
  ASSERT_TRUE(other) << error;
  other->probe({"127.0.0.1"}, finder->port(), {net::kProtocolVersion, "1.0"});
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (finder->dropped() == 0 && std::chrono::steady_clock::now() < until) EXPECT_TRUE(finder->read().empty());
  EXPECT_EQ(finder->dropped(), 1);
}

// ---- two network namespaces -----------------------------------------------------------------

// Runs a shell command quietly; true when it succeeded.
bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// Two namespaces joined by a veth pair, 10.213.N.1/24 and .2/24; taken down
// again at the end.
class Namespaces {
 public:
  Namespaces() {
    const std::string id = std::to_string(getpid() % 100000);
    a_ = "glamora-a" + id;
    b_ = "glamora-b" + id;
    net_ = "10.213." + std::to_string(getpid() % 250);
    if (geteuid() != 0) {
      why_ = "not root";
      return;
    }
    ok_ = run("ip netns add " + a_) && run("ip netns add " + b_) &&
          run("ip link add gla" + id + " netns " + a_ + " type veth peer name glb" + id + " netns " + b_) &&
          run("ip -n " + a_ + " addr add " + net_ + ".1/24 broadcast " + net_ + ".255 dev gla" + id) &&
          run("ip -n " + b_ + " addr add " + net_ + ".2/24 broadcast " + net_ + ".255 dev glb" + id) &&
          run("ip -n " + a_ + " link set gla" + id + " up") && run("ip -n " + b_ + " link set glb" + id + " up") &&
          run("ip -n " + a_ + " link set lo up") && run("ip -n " + b_ + " link set lo up");
    if (!ok_) why_ = "ip(8) could not make two network namespaces joined by a veth pair";
  }
  ~Namespaces() {
    run("ip netns del " + a_);
    run("ip netns del " + b_);
  }
  bool ok() const { return ok_; }
  const std::string& why() const { return why_; }
  const std::string& net() const { return net_; }
  // Moves the calling thread into namespace `name`.
  static bool enter(const std::string& name) {
    const int fd = open(("/var/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool entered = setns(fd, CLONE_NEWNET) == 0;
    close(fd);
    return entered;
  }
  const std::string& a() const { return a_; }
  const std::string& b() const { return b_; }

 private:
  std::string a_, b_, net_, why_;
  bool ok_ = false;
};

TEST(Discovery, ABroadcastProbeFindsAHostAcrossAVirtualLinkBetweenNamespaces) {
  Namespaces ns;
  if (!ns.ok()) GTEST_SKIP() << "needs two network namespaces (" << ns.why() << ")";
  std::atomic<bool> stop = false;
  std::atomic<int> port = 0;
  std::atomic<bool> hostFailed = false;
  std::thread hostSide([&] {
    if (!Namespaces::enter(ns.a())) return void(hostFailed = true);
    auto h = answeringHost("");
    if (h->state() == EnetConnection::State::Failed) return void(hostFailed = true);
    port = h->port();
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!stop && std::chrono::steady_clock::now() < until) h->service(0);
  });
  std::vector<FoundGame> found, otherVersion, unicastElsewhere;
  std::vector<std::string> ownInB, broadcastsInB;
  std::thread joinerSide([&] {
    while (port == 0 && !hostFailed) std::this_thread::yield();
    std::string error;
    if (hostFailed || !Namespaces::enter(ns.b())) return;
    ownInB = ownAddresses();
    broadcastsInB = broadcastAddresses();
    auto finder = GameFinder::open("0.0.0.0", error);
    if (!finder) return;
    found = find(*finder, ns.net() + ".255", static_cast<std::uint16_t>(port), "1.0", nullptr);
    otherVersion = find(*finder, ns.net() + ".255", static_cast<std::uint16_t>(port), "1.1", nullptr);
    // Nothing answers on another port.
    unicastElsewhere = find(*finder, ns.net() + ".1", static_cast<std::uint16_t>(port + 1), "1.0", nullptr);
  });
  joinerSide.join();
  stop = true;
  hostSide.join();
  ASSERT_FALSE(hostFailed);
  // What the join window offers in namespace b: its own address on the link
  // (loopback left out) and the link's broadcast address.
  EXPECT_EQ(ownInB, std::vector<std::string>{ns.net() + ".2"});
  EXPECT_EQ(broadcastsInB, (std::vector<std::string>{"255.255.255.255", ns.net() + ".255"}));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].address, ns.net() + ".1");
  EXPECT_EQ(found[0].answer.name, "elna-pc");
  ASSERT_EQ(otherVersion.size(), 1u);
  EXPECT_EQ(otherVersion[0].answer.gameVersion, "1.0");
  EXPECT_TRUE(unicastElsewhere.empty());
}

}  // namespace
}  // namespace glamora::netio
