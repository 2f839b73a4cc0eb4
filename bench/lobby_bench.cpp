// The lobby's costs per datagram without sockets: a battle datagram relayed
// among 1000 relayed rooms, a request answered with a cookie, and a list
// of 1000 public rooms read from its middle.
#include <benchmark/benchmark.h>

#include "lobby_server.h"

namespace glamora::lobby {
namespace {

struct Lobby {
  LobbyServer server{permissive(), [](std::string_view) {}};
  std::vector<Outgoing> out;
  std::int64_t nowUs = 1'000'000;

  static Limits permissive() {
    Limits l;
    l.requestsPerSecond = 1'000'000;
    return l;
  }
  Answer ask(const Endpoint& from, const Request& request) {
    out.clear();
    server.receive(from, encode(request), nowUs, out);
    return std::get<Answer>(*decode(out.back().bytes));
  }
  Cookie cookieOf(const Endpoint& from) {
    return std::get<CookieGiven>(ask(from, Request{1, {}, List{0}}).body).cookie;
  }
  // A public room; relayed between host and joiner when `relayed`.
  void room(const Endpoint& host, const Endpoint& joiner, bool relayed) {
    const Cookie h = cookieOf(host), j = cookieOf(joiner);
    const std::string code =
        std::get<Registered>(ask(host, Request{2, h, Register{"1.0", 1, "Room", true, {}}}).body).code;
    if (!relayed) return;
    const RoomKey key = std::get<Introduced>(ask(joiner, Request{3, j, Join{code, "1.0", 1, {}}}).body).key;
    for (const auto& [at, cookie, role] : {std::tuple{host, h, Role::Host}, std::tuple{joiner, j, Role::Joiner}}) {
      ask(at, Request{4, cookie, Relay{code, role, 1, tagOf(key, "relay", code, role, false, 1)}});
    }
    ask(host, Request{5, h, Started{code, true, tagOf(key, "started", code, Role::Host, true, 0)}});
  }
};

void BM_RelayOneDatagramAmong1000Rooms(benchmark::State& state) {
  Lobby lobby;
  for (std::uint32_t k = 0; k < 1000; ++k) lobby.room({0x0A000000 + k, 1000}, {0x0B000000 + k, 2000}, true);
  const std::vector<std::uint8_t> datagram(120, 0x80);
  std::uint32_t k = 0;
  for (auto _ : state) {
    lobby.out.clear();
    lobby.nowUs += 40;  // 25,000 a second
    lobby.server.receive({0x0A000000 + k++ % 1000, 1000}, datagram, lobby.nowUs, lobby.out);
    benchmark::DoNotOptimize(lobby.out.data());
  }
  if (lobby.out.size() != 1) state.SkipWithError("not relayed");
}
BENCHMARK(BM_RelayOneDatagramAmong1000Rooms);

void BM_AnswerARequestWithACookie(benchmark::State& state) {
  Lobby lobby;
  const std::vector<std::uint8_t> request = encode(Request{1, {}, Keepalive{"ABCDEF"}});
  std::uint32_t k = 0;
  for (auto _ : state) {
    lobby.out.clear();
    lobby.server.receive({0x0A000000 + k++ % 4096, 1000}, request, lobby.nowUs, lobby.out);
  }
}
BENCHMARK(BM_AnswerARequestWithACookie);

void BM_ListPublicRoomsFromTheMiddleOf1000(benchmark::State& state) {
  Lobby lobby;
  for (std::uint32_t k = 0; k < 1000; ++k) lobby.room({0x0A000000 + k, 1000}, {}, false);
  const Endpoint reader{0x0C000001, 3000};
  const std::vector<std::uint8_t> request = encode(Request{1, lobby.cookieOf(reader), List{500}});
  for (auto _ : state) {
    lobby.out.clear();
    lobby.server.receive(reader, request, lobby.nowUs, lobby.out);
  }
}
BENCHMARK(BM_ListPublicRoomsFromTheMiddleOf1000);

}  // namespace
}  // namespace glamora::lobby
