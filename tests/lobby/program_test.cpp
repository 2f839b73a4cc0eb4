// glamora-lobby as a program: its options, and one run on loopback that
// registers a room over a real UDP socket and stops on SIGTERM. Every wait
// is bounded by poll, so a lobby that does not answer fails the test.
#include <arpa/inet.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lobby_options.h"
#include "lobby_wire.h"

extern char** environ;

namespace glamora::lobby {
namespace {

constexpr int kPatienceMs = 10'000;

TEST(LobbyOptions, ReadsEveryFlagAndRefusesWhatIsWrong) {
  std::string error;
  const std::vector<std::string_view> all{"--port",
                                          "0",
                                          "--bind=127.0.0.1",
                                          "--rooms",
                                          "5",
                                          "--requests-per-second",
                                          "7",
                                          "--unknown-codes-per-minute",
                                          "3",
                                          "--relay-bytes-per-second",
                                          "1000",
                                          "--relayed-rooms",
                                          "0"};
  const std::optional<LobbyOptions> read = parseLobbyOptions(all, error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(read->port, 0);
  EXPECT_EQ(read->bind, "127.0.0.1");
  EXPECT_EQ(read->limits.rooms, 5u);
  EXPECT_EQ(read->limits.requestsPerSecond, 7);
  EXPECT_EQ(read->limits.unknownCodesPerMinute, 3);
  EXPECT_EQ(read->limits.relayBytesPerSecond, 1000);
  EXPECT_EQ(read->limits.relayedRooms, 0u);
  EXPECT_EQ(parseLobbyOptions({}, error)->port, kLobbyPort);
  const std::vector<std::vector<std::string_view>> wrong{
      {"--port", "65536"}, {"--port"}, {"--rooms", "0"}, {"--rooms", "5x"}, {"--bind", "::1"},
      {"--colour", "1"},   {"-p"}};
  for (const auto& args : wrong) {
    EXPECT_FALSE(parseLobbyOptions(args, error)) << args[0];
    EXPECT_NE(error.find(args[0].substr(0, 3)), std::string::npos) << error;
  }
}

// The program with its standard output and error on pipes.
struct Running {
  pid_t pid = -1;
  int out = -1;
  int err = -1;

  explicit Running(std::vector<std::string> args) {
    int outPipe[2], errPipe[2];
    EXPECT_EQ(pipe(outPipe), 0);
    EXPECT_EQ(pipe(errPipe), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    args.insert(args.begin(), GLAMORA_LOBBY_PROGRAM);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    EXPECT_EQ(posix_spawn(&pid, GLAMORA_LOBBY_PROGRAM, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]), close(errPipe[1]);
    out = outPipe[0], err = errPipe[0];
  }
  ~Running() {
    if (pid > 0) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
    close(out), close(err);
  }
  // Reads `fd` up to the first newline, or to its end when `line` is false;
  // `ended` tells whether it reached the end rather than waiting too long.
  static std::string read(int fd, bool line, bool* ended = nullptr) {
    std::string text;
    char c;
    for (pollfd p{fd, POLLIN, 0}; poll(&p, 1, kPatienceMs) == 1;) {
      if (::read(fd, &c, 1) != 1) {
        if (ended) *ended = true;
        break;
      }
      if (line && c == '\n') break;
      text += c;
    }
    return text;
  }
  // The exit status once the program has closed its error output by ending.
  int end(std::string& errors) {
    bool ended = false;
    errors = read(err, false, &ended);
    int status = 0;
    if (!ended || waitpid(pid, &status, 0) != pid) return -1;
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST(LobbyProgram, SaysReadyRegistersARoomOverUdpAndStopsOnSigterm) {
  Running lobby({"--port", "0", "--bind", "127.0.0.1"});
  const std::string ready = Running::read(lobby.out, true);
  unsigned port = 0;
  ASSERT_EQ(std::sscanf(ready.c_str(), "{\"lobby\":\"ready\",\"port\":%u}", &port), 1) << ready;
  ASSERT_GT(port, 0u);
  EXPECT_EQ(ready, "{\"lobby\":\"ready\",\"port\":" + std::to_string(port) + "}");

  const int game = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<std::uint16_t>(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  auto ask = [&](const Cookie& cookie) -> std::optional<Message> {
    const std::vector<std::uint8_t> bytes = encode(Request{3, cookie, Register{"1.0", 1, "Loopback", false, {}}});
    sendto(game, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    std::uint8_t answer[2048];
    pollfd p{game, POLLIN, 0};
    if (poll(&p, 1, kPatienceMs) != 1) return std::nullopt;
    const ssize_t n = recv(game, answer, sizeof answer, 0);
    return decode(std::span<const std::uint8_t>(answer, static_cast<std::size_t>(std::max<ssize_t>(n, 0))));
  };
  const std::optional<Message> cookie = ask({});
  ASSERT_TRUE(cookie);
  const std::optional<Message> registered = ask(std::get<CookieGiven>(std::get<Answer>(*cookie).body).cookie);
  ASSERT_TRUE(registered);
  EXPECT_TRUE(isCode(std::get<Registered>(std::get<Answer>(*registered).body).code));
  close(game);

  kill(lobby.pid, SIGTERM);
  std::string errors;
  EXPECT_EQ(lobby.end(errors), 0) << errors;
  EXPECT_NE(errors.find("made by 127.0.0.1:"), std::string::npos) << errors;
  EXPECT_TRUE(errors.ends_with("stopped\n")) << errors;
}

TEST(LobbyProgram, ABadFlagEndsWithStatus2) {
  Running lobby({"--rooms", "many"});
  std::string errors;
  EXPECT_EQ(lobby.end(errors), 2);
  EXPECT_NE(errors.find("--rooms"), std::string::npos) << errors;
}

}  // namespace
}  // namespace glamora::lobby
