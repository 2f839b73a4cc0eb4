// Figures of glamora-lobby on loopback, the program itself in a process of its
// own and the games simulated from one socket, each on its own 127.x address
// (IP_PKTINFO picks the source of every datagram sent and tells the address
// of every datagram received):
//   10,000 rooms registered and 5,000 joins: the lobby's memory per room, and
//   the introduction's time (a join with a valid cookie to its answer), p50
//   and p99;
//   1,000 relayed rooms at 1 KB/s each way: the lobby's CPU.
// Usage: glamora_lobby_figures [PATH_TO_GLAMORA_LOBBY]
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "lobby/lobby_wire.h"

namespace {

using namespace glamora::lobby;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

class LobbyProcess {
 public:
  explicit LobbyProcess(const std::string& path) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], 1);
      const int devNull = ::open("/dev/null", O_WRONLY);
      dup2(devNull, 2);
      execl(path.c_str(), path.c_str(), "--port", "0", "--bind", "127.0.0.1", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    std::string line;
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
    close(out[0]);
    const std::size_t at = line.find("\"port\":");
    if (at == std::string::npos) throw std::runtime_error("the lobby did not start: " + line);
    port_ = static_cast<std::uint16_t>(std::stoi(line.substr(at + 7)));
  }
  // A child already running, listening on `port`.
  LobbyProcess(pid_t pid, std::uint16_t port) : pid_(pid), port_(port) {}
  ~LobbyProcess() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  std::uint16_t port() const { return port_; }
  long rssKb() const { return statusField("VmRSS:"); }
  // User and system time, in seconds.
  double cpuSeconds() const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string skip;
    for (int k = 0; k < 11; ++k) fields >> skip;
    double user = 0, system = 0;
    fields >> user >> system;
    return (user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
  }

 private:
  long statusField(const std::string& name) const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
    for (std::string line; std::getline(in, line);) {
      if (line.rfind(name, 0) == 0) return std::stol(line.substr(name.size()));
    }
    return 0;
  }
  pid_t pid_ = -1;
  std::uint16_t port_ = 0;
};

// Client k speaks from 127.1.0.0 + k.
std::uint32_t clientIp(std::size_t k) { return (127u << 24) | (1u << 16) | static_cast<std::uint32_t>(k + 1); }

std::size_t clientOf(std::uint32_t ip) { return ip - clientIp(0); }

// The least a relay can do, for comparison: a child process that reads
// datagrams in batches and sends each to its client's partner (k and
// k + rooms), with no rooms, cookies or limits.
LobbyProcess bareForwarder(std::size_t rooms) {
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  const int buffer = 4 << 20;
  setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
  setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
  const int dontFragment = IP_PMTUDISC_DO;  // as the lobby sends
  setsockopt(fd, IPPROTO_IP, IP_MTU_DISCOVER, &dontFragment, sizeof dontFragment);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof at;
  if (bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0) throw std::runtime_error("bind");
  getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size);
  const pid_t pid = fork();
  if (pid != 0) {
    close(fd);
    return LobbyProcess(pid, ntohs(at.sin_port));
  }
  constexpr std::size_t kBatch = 64;
  static std::uint8_t buffers[kBatch][1500];
  mmsghdr messages[kBatch];
  iovec parts[kBatch];
  sockaddr_in from[kBatch];
  for (;;) {
    for (std::size_t k = 0; k < kBatch; ++k) {
      parts[k] = {buffers[k], sizeof buffers[k]};
      messages[k].msg_hdr = {&from[k], sizeof from[k], &parts[k], 1, nullptr, 0, 0};
    }
    const int n = recvmmsg(fd, messages, kBatch, MSG_WAITFORONE, nullptr);
    for (int k = 0; k < n; ++k) {
      const std::size_t client = clientOf(ntohl(from[k].sin_addr.s_addr));
      from[k].sin_addr.s_addr = htonl(clientIp(client < rooms ? client + rooms : client - rooms));
      parts[k].iov_len = messages[k].msg_len;
    }
    if (n > 0) sendmmsg(fd, messages, static_cast<unsigned>(n), 0);
  }
}

struct Received {
  std::size_t client;
  std::vector<std::uint8_t> bytes;
};

class Swarm {
 public:
  Swarm(std::uint16_t lobbyPort) {
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
    const int on = 1, buffer = 8 << 20;
    setsockopt(fd_, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
    setsockopt(fd_, SOL_SOCKET, SO_RCVBUFFORCE, &buffer, sizeof buffer);
    setsockopt(fd_, SOL_SOCKET, SO_SNDBUFFORCE, &buffer, sizeof buffer);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) throw std::runtime_error("bind");
    lobby_.sin_family = AF_INET;
    lobby_.sin_port = htons(lobbyPort);
    lobby_.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  }
  ~Swarm() { close(fd_); }

  // Sends each datagram to the lobby from its client's address, in batches.
  void send(const std::vector<std::pair<std::size_t, std::vector<std::uint8_t>>>& datagrams) {
    constexpr std::size_t kBatch = 64;
    for (std::size_t first = 0; first < datagrams.size(); first += kBatch) {
      const std::size_t n = std::min(kBatch, datagrams.size() - first);
      mmsghdr messages[kBatch]{};
      iovec parts[kBatch];
      alignas(cmsghdr) char controls[kBatch][CMSG_SPACE(sizeof(in_pktinfo))]{};
      for (std::size_t k = 0; k < n; ++k) {
        const auto& [client, bytes] = datagrams[first + k];
        parts[k] = {const_cast<std::uint8_t*>(bytes.data()), bytes.size()};
        msghdr& m = messages[k].msg_hdr;
        m.msg_name = &lobby_;
        m.msg_namelen = sizeof lobby_;
        m.msg_iov = &parts[k];
        m.msg_iovlen = 1;
        m.msg_control = controls[k];
        m.msg_controllen = sizeof controls[k];
        cmsghdr* c = CMSG_FIRSTHDR(&m);
        c->cmsg_level = IPPROTO_IP;
        c->cmsg_type = IP_PKTINFO;
        c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info{};
        info.ipi_spec_dst.s_addr = htonl(clientIp(client));
        std::memcpy(CMSG_DATA(c), &info, sizeof info);
      }
      for (std::size_t sent = 0; sent < n;) {
        const int got = sendmmsg(fd_, messages + sent, static_cast<unsigned>(n - sent), 0);
        if (got > 0) sent += static_cast<std::size_t>(got);
        else poll(nullptr, 0, 1);
      }
    }
  }

  // What has arrived within `ms`, by client.
  std::vector<Received> receive(int ms) {
    std::vector<Received> got;
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, ms) <= 0) return got;
    constexpr std::size_t kBatch = 64;
    for (;;) {
      mmsghdr messages[kBatch]{};
      iovec parts[kBatch];
      static std::uint8_t buffers[kBatch][1500];
      alignas(cmsghdr) char controls[kBatch][CMSG_SPACE(sizeof(in_pktinfo))];
      for (std::size_t k = 0; k < kBatch; ++k) {
        parts[k] = {buffers[k], sizeof buffers[k]};
        messages[k].msg_hdr.msg_iov = &parts[k];
        messages[k].msg_hdr.msg_iovlen = 1;
        messages[k].msg_hdr.msg_control = controls[k];
        messages[k].msg_hdr.msg_controllen = sizeof controls[k];
      }
      const int n = recvmmsg(fd_, messages, kBatch, MSG_DONTWAIT, nullptr);
      if (n <= 0) break;
      for (int k = 0; k < n; ++k) {
        for (cmsghdr* c = CMSG_FIRSTHDR(&messages[k].msg_hdr); c; c = CMSG_NXTHDR(&messages[k].msg_hdr, c)) {
          if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_PKTINFO) continue;
          in_pktinfo info;
          std::memcpy(&info, CMSG_DATA(c), sizeof info);
          const std::size_t client = clientOf(ntohl(info.ipi_addr.s_addr));
          got.push_back({client, {buffers[k], buffers[k] + messages[k].msg_len}});
        }
      }
    }
    return got;
  }
  std::uint16_t port() const {
    sockaddr_in a{};
    socklen_t size = sizeof a;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &size);
    return ntohs(a.sin_port);
  }

 private:
  int fd_ = -1;
  sockaddr_in lobby_{};
};

std::vector<std::uint8_t> request(std::uint32_t id, const Cookie& cookie, auto body) {
  return encode(Request{id, cookie, std::move(body)});
}

// Asks every client's request (made by `make` with its cookie) until each is
// answered other than with a cookie, at most `window` at once; the answers by
// client, and each timed answer's microseconds from its request with a cookie.
struct Conversation {
  std::map<std::size_t, Answer> answers;
  std::vector<double> microseconds;
};

Conversation converse(Swarm& swarm, const std::vector<std::size_t>& clients, std::map<std::size_t, Cookie>& cookies,
                      const std::function<std::vector<std::uint8_t>(std::size_t, const Cookie&)>& make,
                      std::size_t window) {
  Conversation c;
  std::map<std::size_t, Clock::time_point> asked;
  std::size_t next = 0;
  const auto ask = [&](std::size_t client) {
    asked[client] = Clock::now();
    swarm.send({{client, make(client, cookies[client])}});
  };
  while (c.answers.size() < clients.size()) {
    while (asked.size() < window && next < clients.size()) ask(clients[next++]);
    for (Received& r : swarm.receive(20)) {
      const std::optional<Message> m = decode(r.bytes);
      const Answer* a = m ? std::get_if<Answer>(&*m) : nullptr;
      if (!a || a->id == 0 || !asked.contains(r.client)) continue;
      if (const auto* given = std::get_if<CookieGiven>(&a->body)) {
        cookies[r.client] = given->cookie;
        ask(r.client);
        continue;
      }
      c.microseconds.push_back(std::chrono::duration<double, std::micro>(Clock::now() - asked[r.client]).count());
      c.answers[r.client] = *a;
      asked.erase(r.client);
    }
    for (auto& [client, when] : asked) {
      if (secondsSince(when) > 0.5) ask(client);  // lost in a full buffer: asked again, as games do
    }
  }
  return c;
}

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * static_cast<double>(values.size())))];
}

Register registration(std::size_t k) { return Register{"1.0", 42, "bench " + std::to_string(k), true, {}}; }

// A public room for each host: their codes, by host.
std::map<std::size_t, std::string> registerRooms(Swarm& swarm, const std::vector<std::size_t>& hosts,
                                                 std::map<std::size_t, Cookie>& cookies) {
  Conversation made = converse(
      swarm, hosts, cookies, [](std::size_t k, const Cookie& c) { return request(1, c, registration(k)); }, 256);
  std::map<std::size_t, std::string> codes;
  for (auto& [client, answer] : made.answers) {
    if (const auto* r = std::get_if<Registered>(&answer.body)) codes[client] = r->code;
  }
  return codes;
}

// Joiner k joins the room of host k - `rooms`, `window` at once. Each first
// fetches its cookie (asking after a room that does not exist), so that the
// timed join carries it.
Conversation joinRooms(Swarm& swarm, const std::vector<std::size_t>& joiners, std::size_t rooms,
                       std::map<std::size_t, std::string>& codes, std::map<std::size_t, Cookie>& cookies,
                       std::size_t window) {
  converse(
      swarm, joiners, cookies, [](std::size_t, const Cookie& c) { return request(2, c, Keepalive{"222222"}); }, 256);
  return converse(
      swarm, joiners, cookies,
      [&](std::size_t k, const Cookie& c) {
        return request(3, c, Join{codes[k - rooms], "1.0", 42, {}});
      },
      window);
}

void roomsAndJoins(const std::string& path) {
  constexpr std::size_t kRooms = 10'000, kJoins = 5'000;
  LobbyProcess lobby(path);
  Swarm swarm(lobby.port());
  const long before = lobby.rssKb();
  std::vector<std::size_t> hosts(kRooms), joiners(kJoins);
  for (std::size_t k = 0; k < kRooms; ++k) hosts[k] = k;
  for (std::size_t k = 0; k < kJoins; ++k) joiners[k] = kRooms + k;
  std::map<std::size_t, Cookie> cookies;
  const auto started = Clock::now();
  std::map<std::size_t, std::string> codes = registerRooms(swarm, hosts, cookies);
  const long after = lobby.rssKb();
  Conversation joined = joinRooms(swarm, joiners, kRooms, codes, cookies, 16);
  const std::size_t introduced = std::count_if(joined.answers.begin(), joined.answers.end(), [](const auto& a) {
    return std::holds_alternative<Introduced>(a.second.body);
  });
  std::printf("rooms registered: %zu of %zu in %.2f s\n", codes.size(), kRooms, secondsSince(started));
  std::printf("lobby memory: %ld KB before, %ld KB with the rooms: %.0f bytes per room (target under 1024)\n", before,
              after, 1024.0 * static_cast<double>(after - before) / kRooms);
  std::printf("joins introduced: %zu of %zu; introduction p50 %.0f us, p99 %.0f us (target p99 under 5000 us)\n",
              introduced, kJoins, percentile(joined.microseconds, 0.5), percentile(joined.microseconds, 0.99));
}

// Sends 40 bytes from every client 25 times a second for `seconds`: the
// share of one core `relay` used meanwhile, in percent.
double relayTraffic(Swarm& swarm, const LobbyProcess& relay, std::size_t rooms, double seconds, const char* what) {
  std::vector<std::pair<std::size_t, std::vector<std::uint8_t>>> burst;
  for (std::size_t k = 0; k < 2 * rooms; ++k) burst.push_back({k, std::vector<std::uint8_t>(40, 0x01)});
  const double cpuBefore = relay.cpuSeconds();
  const auto started = Clock::now();
  std::size_t sent = 0, relayed = 0;
  for (int tick = 0; secondsSince(started) < seconds; ++tick) {
    const auto due = started + std::chrono::milliseconds(40 * tick);
    while (Clock::now() < due) relayed += swarm.receive(1).size();
    swarm.send(burst);
    sent += burst.size();
  }
  for (auto until = Clock::now() + std::chrono::milliseconds(200); Clock::now() < until;) {
    relayed += swarm.receive(10).size();
  }
  const double elapsed = secondsSince(started);
  std::printf("%s relaying %zu rooms at 1 KB/s each way: %.0f datagrams/s each way, %zu of %zu delivered\n", what,
              rooms, static_cast<double>(sent) / 2 / elapsed, relayed, sent);
  return 100 * (relay.cpuSeconds() - cpuBefore) / elapsed;
}

void relayedRooms(const std::string& path, double seconds) {
  constexpr std::size_t kRooms = 1'000;
  LobbyProcess lobby(path);
  Swarm swarm(lobby.port());
  std::vector<std::size_t> hosts(kRooms), joiners(kRooms);
  for (std::size_t k = 0; k < kRooms; ++k) hosts[k] = k, joiners[k] = kRooms + k;
  std::map<std::size_t, Cookie> cookies;
  std::map<std::size_t, std::string> codes = registerRooms(swarm, hosts, cookies);
  Conversation joined = joinRooms(swarm, joiners, kRooms, codes, cookies, 64);
  std::vector<RoomKey> keys(kRooms);
  for (auto& [client, answer] : joined.answers) keys[client - kRooms] = std::get<Introduced>(answer.body).key;
  const auto relay = [&](std::size_t client, const Cookie& c) {
    const bool host = client < kRooms;
    const std::size_t room = host ? client : client - kRooms;
    const Role role = host ? Role::Host : Role::Joiner;
    return request(4, c,
                   Relay{codes[room], role, client, tagOf(keys[room], "relay", codes[room], role, false, client)});
  };
  converse(swarm, hosts, cookies, relay, 256);
  converse(swarm, joiners, cookies, relay, 256);
  converse(
      swarm, hosts, cookies,
      [&](std::size_t k, const Cookie& c) {
        return request(5, c, Started{codes[k], true, tagOf(keys[k], "started", codes[k], Role::Host, true, 0)});
      },
      256);

  const double lobbyCpu = relayTraffic(swarm, lobby, kRooms, seconds, "the lobby");
  LobbyProcess bare = bareForwarder(kRooms);
  Swarm bareSwarm(bare.port());
  const double bareCpu = relayTraffic(bareSwarm, bare, kRooms, seconds, "a bare forwarder");
  std::printf(
      "lobby CPU while relaying: %.1f%% of one core (target under 15%%); a bare forwarder of the same\n"
      "datagrams on this machine: %.1f%%, so the lobby costs %.2f times the kernel's least\n",
      lobbyCpu, bareCpu, lobbyCpu / bareCpu);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : GLAMORA_LOBBY_PATH;
  signal(SIGPIPE, SIG_IGN);
  roomsAndJoins(path);
  relayedRooms(path, 10.0);
  return 0;
}
