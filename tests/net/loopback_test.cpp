// Two headless peers as separate programs over real sockets on loopback, at
// ten times real speed: they play 2 rounds and agree, through a relay that
// also sends corrupted copies of their datagrams from their own address and
// garbage and replayed datagrams from a third one, which both drop and
// count. A speed or pass phrase mismatch is refused on both sides. Each
// program ends by itself: the host waits at most --wait seconds, a silent
// peer 5 s.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "child_program.h"
#include "engine/net/simulated_match.h"

namespace {

namespace fs = std::filesystem;

using glamora::test::Ended;

// glamora-sim with these arguments.
struct Program : glamora::test::Program {
  explicit Program(const std::vector<std::string>& args) : glamora::test::Program(GLAMORA_SIM_PROGRAM, args) {}
};

sockaddr_in loopback(std::uint16_t port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

int boundSocket(std::uint16_t port) {
  const int s = socket(AF_INET, SOCK_DGRAM, 0);
  const sockaddr_in a = loopback(port);
  EXPECT_EQ(bind(s, reinterpret_cast<const sockaddr*>(&a), sizeof a), 0);
  return s;
}

std::uint16_t portOf(int s) {
  sockaddr_in a{};
  socklen_t n = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
  return ntohs(a.sin_port);
}

std::uint16_t freePort() {
  const int s = boundSocket(0);
  const std::uint16_t port = portOf(s);
  close(s);
  return port;
}

// Passes datagrams between the joiner (at its front port) and the host. Once
// the battle is under way it adds, now and then, a corrupted copy from the
// sender's own address, and from a third address a replay of a datagram and
// a datagram of garbage.
class Relay {
 public:
  explicit Relay(std::uint16_t hostPort)
      : front_(boundSocket(0)), back_(boundSocket(0)), third_(boundSocket(0)), host_(loopback(hostPort)) {
    thread_ = std::thread([this] { run(); });
  }
  ~Relay() {
    stop_ = true;
    thread_.join();
    for (const int s : {front_, back_, third_}) close(s);
  }
  std::uint16_t port() const { return portOf(front_); }
  int badTo(int side) const { return bad_[side]; }  // 0 host, 1 joiner

 private:
  void run() {
    sockaddr_in joiner{};
    bool joined = false;
    int forwarded = 0;
    std::vector<std::uint8_t> data(65536);
    while (!stop_) {
      pollfd fds[2] = {{front_, POLLIN, 0}, {back_, POLLIN, 0}};
      if (poll(fds, 2, 20) <= 0) continue;
      for (int k = 0; k < 2; ++k) {
        if (!(fds[k].revents & POLLIN)) continue;
        sockaddr_in from{};
        socklen_t n = sizeof from;
        const ssize_t got = recvfrom(fds[k].fd, data.data(), data.size(), 0, reinterpret_cast<sockaddr*>(&from), &n);
        if (got <= 0) continue;
        if (k == 0) {
          joiner = from;
          joined = true;
        } else if (!joined) {
          continue;
        }
        const int to = k == 0 ? 0 : 1;  // front -> host, back -> joiner
        const int out = k == 0 ? back_ : front_;
        const sockaddr_in& dest = k == 0 ? host_ : joiner;
        const auto send = [&](int s, const std::uint8_t* bytes, std::size_t size) {
          sendto(s, bytes, size, 0, reinterpret_cast<const sockaddr*>(&dest), sizeof dest);
        };
        send(out, data.data(), static_cast<std::size_t>(got));
        // After the greeting, and long before either side could close its port.
        if (++forwarded < kMeddleFrom || forwarded >= kMeddleTo) continue;
        if (forwarded % 10 == 0) {
          std::vector<std::uint8_t> corrupted(data.begin(), data.begin() + got);
          corrupted[corrupted.size() / 2] ^= 0x24;
          send(out, corrupted.data(), corrupted.size());
          ++bad_[to];
        }
        if (forwarded % 15 == 0) {
          send(third_, data.data(), static_cast<std::size_t>(got));
          ++bad_[to];
        }
        if (forwarded % 20 == 0) {
          const std::uint8_t garbage[] = {0xFF, 0x0F, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x42};
          send(third_, garbage, sizeof garbage);
          ++bad_[to];
        }
      }
    }
  }

  // Datagrams forwarded before the meddling starts and when it stops: at ten
  // times real speed about a second and four seconds into a battle of eight.
  static constexpr int kMeddleFrom = 200;
  static constexpr int kMeddleTo = 800;
  int front_, back_, third_;
  sockaddr_in host_;
  std::atomic<bool> stop_{false};
  std::atomic<int> bad_[2] = {0, 0};
  std::thread thread_;
};

fs::path scratchDir(const char* name) {
  const fs::path dir = fs::temp_directory_path() / ("glamora-net-" + std::to_string(getpid()) + "-" + name);
  fs::create_directories(dir);
  return dir;
}

std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Loopback, TwoPeersPlayTwoRoundsAndAgreeThroughAMeddlingRelay) {
  const fs::path dir = scratchDir("play");
  const std::uint16_t hostPort = freePort();
  Program host({"--net-host", std::to_string(hostPort), "--bind", "127.0.0.1", "--cpu", "hard", "--rounds", "2",
                "--seed", "3", "--speed", "10", "--wait", "30", "--journal", (dir / "host.sim").string()});
  Ended hostRun, joinRun;
  int bad[2];
  {
    Relay relay(hostPort);
    Program joiner({"--net-join", "127.0.0.1:" + std::to_string(relay.port()), "--cpu", "hard", "--seed", "4",
                    "--speed", "10", "--journal", (dir / "join.sim").string()});
    joinRun = joiner.finish();
    hostRun = host.finish();
    bad[0] = relay.badTo(0);
    bad[1] = relay.badTo(1);
  }
  ASSERT_EQ(hostRun.status, 0) << hostRun.out;
  ASSERT_EQ(joinRun.status, 0) << joinRun.out;
  const nlohmann::json h = hostRun.line(), j = joinRun.line();
  EXPECT_EQ(h["net"], "host");
  EXPECT_EQ(j["net"], "join");
  for (const char* key : {"rounds", "wins", "draws", "hash", "simulatedMs"}) EXPECT_EQ(h[key], j[key]) << key;
  EXPECT_EQ(h["rounds"], 2);
  EXPECT_GT(bad[0], 0);
  EXPECT_GE(h["dropped"].get<int>(), bad[0]);
  EXPECT_GE(j["dropped"].get<int>(), bad[1]);

  const std::string journal = fileText(dir / "host.sim");
  EXPECT_EQ(glamora::net::withoutComments(journal), glamora::net::withoutComments(fileText(dir / "join.sim")));
  Program hash({"--hash", (dir / "host.sim").string()});
  const Ended hashRun = hash.finish();
  EXPECT_EQ(hashRun.status, 0);
  EXPECT_EQ(hashRun.line()["hash"], h["hash"]);
  fs::remove_all(dir);
}

// The joiner is refused; the host turns it away and waits on to its end.
// Another speed is found before another phrase.
TEST(Loopback, ASpeedOrPassPhraseMismatchIsRefusedOnBothSides) {
  for (const char* speed : {"5", "10"}) {
    const std::string why = *speed == '5' ? "speeds" : "pass phrase";
    const std::uint16_t port = freePort();
    Program host({"--net-host", std::to_string(port), "--bind", "127.0.0.1", "--cpu", "easy", "--rounds", "1", "--seed",
                  "1", "--speed", "10", "--wait", "3", "--net-key", "chouchou"});
    Program joiner({"--net-join", "127.0.0.1:" + std::to_string(port), "--cpu", "easy", "--speed", speed, "--net-key",
                    "rouge"});
    const Ended joined = joiner.finish();
    EXPECT_EQ(joined.status, 3) << joined.out;
    EXPECT_NE(joined.line()["error"].get<std::string>().find(why), std::string::npos) << joined.out;
    const Ended hosted = host.finish();
    EXPECT_EQ(hosted.status, 3) << hosted.out;
    const std::string said = hosted.line()["error"].get<std::string>();
    EXPECT_TRUE(said.starts_with("no peer came within 3 s; turned away 127.0.0.1:")) << said;
    EXPECT_NE(said.find(why), std::string::npos) << said;
  }
}

}  // namespace
