// glamora_lobby_load PROGRAM [ROOMS [PER_SECOND [SECONDS]]]: starts the
// lobby PROGRAM on loopback, makes ROOMS (1000) rooms relayed between two
// sockets each, sends PER_SECOND (25000) battle datagrams of 100 bytes a
// second each way for SECONDS (5), and prints as one JSON line the share of
// one core the lobby used meanwhile, with what was sent and relayed.
#include <arpa/inet.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "lobby/lobby_wire.h"

extern char** environ;

namespace {

using namespace glamora::lobby;
using Clock = std::chrono::steady_clock;

sockaddr_in lobbyAt;

struct Game {
  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  Cookie cookie{};
  Game() {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    const timeval patience{2, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
  }
  void send(std::span<const std::uint8_t> bytes) const {
    sendto(fd, bytes.data(), bytes.size(), MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&lobbyAt), sizeof lobbyAt);
  }
  // The answer to the request, with this game's cookie (fetched first when it has none).
  Answer ask(decltype(Request::body) body) {
    for (;;) {
      send(encode(Request{1, cookie, body}));
      std::uint8_t bytes[2048];
      const ssize_t n = recv(fd, bytes, sizeof bytes, 0);
      const std::optional<Message> m = n > 0 ? decode({bytes, static_cast<std::size_t>(n)}) : std::nullopt;
      if (!m || !std::holds_alternative<Answer>(*m)) throw std::runtime_error("the lobby did not answer");
      const Answer& a = std::get<Answer>(*m);
      if (const auto* given = std::get_if<CookieGiven>(&a.body)) {
        cookie = given->cookie;
        continue;
      }
      if (a.id == 1) return a;
    }
  }
  // Reads what waits; returns how many datagrams.
  int drain() const {
    int n = 0;
    std::uint8_t bytes[2048];
    while (recv(fd, bytes, sizeof bytes, MSG_DONTWAIT) > 0) ++n;
    return n;
  }
};

// The user and system time of the process, from /proc/PID/stat (fields 14 and
// 15, counted past the name in parentheses, which may hold spaces).
double cpuSeconds(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 1));
  std::string skipped;
  for (int field = 3; field < 14; ++field) fields >> skipped;
  long user = 0, system = 0;
  fields >> user >> system;
  return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: glamora_lobby_load PROGRAM [ROOMS [PER_SECOND [SECONDS]]]\n");
    return 2;
  }
  const int rooms = argc > 2 ? std::stoi(argv[2]) : 1000;
  const int perSecond = argc > 3 ? std::stoi(argv[3]) : 25000;
  const int seconds = argc > 4 ? std::stoi(argv[4]) : 5;
  rlimit files{};
  getrlimit(RLIMIT_NOFILE, &files);
  files.rlim_cur = files.rlim_max;
  setrlimit(RLIMIT_NOFILE, &files);

  int out[2];
  if (pipe(out) != 0) return 1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args = {argv[1],
                                   "--port",
                                   "0",
                                   "--bind",
                                   "127.0.0.1",
                                   "--requests-per-second",
                                   "1000000",
                                   "--rooms",
                                   std::to_string(rooms),
                                   "--relayed-rooms",
                                   std::to_string(rooms)};
  std::vector<char*> words;
  for (std::string& a : args) words.push_back(a.data());
  words.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[1], &actions, nullptr, words.data(), environ) != 0) return 1;
  close(out[1]);
  char ready[128] = {};
  unsigned port = 0;
  if (read(out[0], ready, sizeof ready - 1) <= 0 ||
      std::sscanf(ready, "{\"lobby\":\"ready\",\"port\":%u}", &port) != 1) {
    return 1;
  }
  lobbyAt.sin_family = AF_INET;
  lobbyAt.sin_port = htons(static_cast<std::uint16_t>(port));
  lobbyAt.sin_addr.s_addr = htonl(INADDR_LOOPBACK);

  std::vector<Game> hosts(static_cast<std::size_t>(rooms)), joiners(static_cast<std::size_t>(rooms));
  for (std::size_t k = 0; k < hosts.size(); ++k) {
    const std::string code = std::get<Registered>(hosts[k].ask(Register{"1.0", 1, "Load", false, {}}).body).code;
    const RoomKey key = std::get<Introduced>(joiners[k].ask(Join{code, "1.0", 1, {}}).body).key;
    hosts[k].ask(Relay{code, Role::Host, 1, tagOf(key, "relay", code, Role::Host, false, 1)});
    joiners[k].ask(Relay{code, Role::Joiner, 1, tagOf(key, "relay", code, Role::Joiner, false, 1)});
    hosts[k].ask(Started{code, true, tagOf(key, "started", code, Role::Host, true, 0)});
  }

  const std::vector<std::uint8_t> datagram(100, 0x80);
  long sent = 0, relayed = 0;
  const double cpuBefore = cpuSeconds(pid);
  const Clock::time_point start = Clock::now();
  for (Clock::time_point now = start; now - start < std::chrono::seconds(seconds); now = Clock::now()) {
    const long due = static_cast<long>(std::chrono::duration<double>(now - start).count() * perSecond);
    for (; sent < due; ++sent) {
      const std::size_t room = static_cast<std::size_t>(sent) % hosts.size();
      hosts[room].send(datagram);
      joiners[room].send(datagram);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  const double cpu = cpuSeconds(pid) - cpuBefore;
  // Each socket's receive buffer holds a few seconds of its room's share.
  for (std::size_t k = 0; k < hosts.size(); ++k) relayed += hosts[k].drain() + joiners[k].drain();
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  std::printf(
      "{\"rooms\":%d,\"sent_each_way_per_second\":%.0f,\"relayed\":%ld,\"sent\":%ld,"
      "\"lobby_core_share\":%.3f,\"lobby_exit\":%d}\n",
      rooms, static_cast<double>(sent) / wall, relayed, 2 * sent, cpu / wall,
      WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return 0;
}
