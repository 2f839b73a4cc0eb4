// glamora-lobby: the meeting server of network games. One UDP socket, read
// and written in batches; the rooms' timers run every 100 ms. Prints
// {"lobby":"ready","port":P} once it listens, logs one line per event on
// standard error, and stops on SIGTERM or SIGINT.
#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lobby_options.h"
#include "lobby_server.h"
#include "lobby_socket.h"

namespace {

using namespace glamora::lobby;

constexpr std::int64_t kTickUs = 100'000;
// Batches read before the timers get their turn, under a flood.
constexpr int kMostBatchesAtOnce = 64;

volatile sig_atomic_t stopRequested = 0;
void requestStop(int) { stopRequested = 1; }

std::int64_t monotonicUs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return std::int64_t{t.tv_sec} * 1'000'000 + t.tv_nsec / 1000;
}

void logLine(std::string_view line) {
  std::string text(line);
  text += '\n';
  std::fwrite(text.data(), 1, text.size(), stderr);
}

// SIGTERM and SIGINT are held back except while waiting in ppoll, so a stop
// never falls between the check and the wait. Returns the mask to wait with.
sigset_t catchStopSignals() {
  struct sigaction action {};
  action.sa_handler = requestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  sigset_t stops, waiting;
  sigemptyset(&stops);
  sigaddset(&stops, SIGTERM);
  sigaddset(&stops, SIGINT);
  sigprocmask(SIG_BLOCK, &stops, &waiting);
  sigdelset(&waiting, SIGTERM);
  sigdelset(&waiting, SIGINT);
  return waiting;
}

void serve(LobbySocket& socket, LobbyServer& server, const sigset_t& waitMask) {
  std::vector<Outgoing> out;
  std::int64_t nextTickUs = monotonicUs() + kTickUs;
  while (!stopRequested) {
    const std::int64_t waitUs = std::max<std::int64_t>(0, nextTickUs - monotonicUs());
    const timespec timeout{static_cast<time_t>(waitUs / 1'000'000), static_cast<long>(waitUs % 1'000'000 * 1000)};
    pollfd readable{socket.fd(), POLLIN, 0};
    if (ppoll(&readable, 1, &timeout, &waitMask) > 0) {
      for (int batch = 0; batch < kMostBatchesAtOnce; ++batch) {
        const std::int64_t nowUs = monotonicUs();
        if (nowUs >= nextTickUs) break;
        const std::size_t read = socket.receive([&](const Endpoint& from, std::span<const std::uint8_t> datagram) {
          server.receive(from, datagram, nowUs, out);
        });
        socket.send(out);
        out.clear();
        if (read < LobbySocket::kBatch) break;
      }
    }
    if (const std::int64_t nowUs = monotonicUs(); nowUs >= nextTickUs) {
      server.tick(nowUs, out);
      socket.send(out);
      out.clear();
      nextTickUs = nowUs + kTickUs;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + std::min(argc, 1), argv + argc);
  std::string error;
  const std::optional<LobbyOptions> options = parseLobbyOptions(args, error);
  if (!options) {
    std::cerr << "glamora-lobby: " << error << "\n"
              << "glamora-lobby --help lists the options\n";
    return 2;
  }
  if (options->help) {
    std::cout << lobbyUsage();
    return 0;
  }
  const sigset_t waitMask = catchStopSignals();
  const std::unique_ptr<LobbySocket> socket = LobbySocket::open(options->bind, options->port, error);
  if (!socket) {
    std::cerr << "glamora-lobby: " << error << "\n";
    return 1;
  }
  LobbyServer server(options->limits, logLine);
  std::printf("{\"lobby\":\"ready\",\"port\":%u}\n", static_cast<unsigned>(socket->port()));
  std::fflush(stdout);
  logLine("listening on " + options->bind + ":" + std::to_string(socket->port()));
  serve(*socket, server, waitMask);
  logLine("stopped");
  return 0;
}
