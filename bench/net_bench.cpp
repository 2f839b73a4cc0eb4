// The network battle's costs: a rollback of 10 ticks (restore, play forward,
// hash every tick played) in the middle of a hard round, with the computer
// players not played again; and the traffic each way at 5 keys a second
// over the simulated link, as the packets' own bytes and with ENet's
// per-datagram header (peer id, time, checksum, command) added.
#include <benchmark/benchmark.h>

#include "engine/computer_view.h"
#include "engine/net/net_peer.h"
#include "engine/net/rollback_battle.h"
#include "engine/net/simulated_link.h"

namespace glamora::net {
namespace {

// A hard round 200 ticks in, both players' inputs known to the open tick.
struct RoundUnderWay {
  SilentEffects effects;
  RollbackBattle battle{0, effects};
  RoundUnderWay() {
    ComputerPlayer computers[2] = {ComputerPlayer(ComputerLevel::Hard, 1), ComputerPlayer(ComputerLevel::Hard, 2)};
    battle.chooseStage(5, kStageLeadTicks, EditorTexts{});
    for (int tick = 0; tick < kStageLeadTicks + 200; ++tick) {
      TickInput remote;
      for (int p = 0; p < 2; ++p) {
        const Battle& b = battle.session().battle;
        const Key key = computers[p].tick(makeComputerView(b.player(p).state, &b.player(1 - p).state, b.state.flags,
                                                           b.state.stageNo, 0));
        if (key == Key::None) continue;
        if (p == 0) battle.pressLocal(key, 0);
        else remote.keys[remote.keyCount++] = {key, 0};
      }
      battle.receiveRemote({&remote, 1});
      battle.advance();
    }
  }
};

void BM_Rollback10Ticks(benchmark::State& state) {
  RoundUnderWay round;
  if (!round.battle.session().battle.state.flags.roundActive) state.SkipWithError("the round ended early");
  for (auto _ : state) round.battle.rollbackTo(round.battle.now() - 10);
}
BENCHMARK(BM_Rollback10Ticks)->Unit(benchmark::kMicrosecond);

class Wire final : public PeerLink {
 public:
  Wire(SimulatedLink& link, int side, const std::int64_t& now) : link_(link), side_(side), now_(now) {}
  void sendUnsequenced(std::span<const std::uint8_t> p) override { send(p, false); }
  void sendReliable(std::span<const std::uint8_t> p) override { send(p, true); }
  std::int64_t datagrams = 0;

 private:
  void send(std::span<const std::uint8_t> p, bool reliable) {
    ++datagrams;
    link_.send(side_, p, reliable, now_);
  }
  SimulatedLink& link_;
  int side_;
  const std::int64_t& now_;
};

// A simulated minute at 80 ms with each side pressing a key every 200 ms.
void BM_TrafficAt5KeysASecond(benchmark::State& state) {
  constexpr std::int64_t kTickUs = 100'000;
  constexpr std::int64_t kMinuteUs = 60'000'000;
  constexpr int kEnetHeaderBytes = 16;  // peer id and time 4, checksum 4, unsequenced command 8
  double bytes[2] = {0, 0}, withHeaders[2] = {0, 0};
  for (auto _ : state) {
    std::int64_t now = 0;
    SimulatedLink link({80, 20, 0, 1, 0, 0}, 1);
    SilentEffects effects;
    Wire wires[2] = {{link, 0, now}, {link, 1, now}};
    NetPeer peers[2] = {{0, 9, kTickUs, wires[0], effects}, {1, 9, kTickUs, wires[1], effects}};
    for (NetPeer& p : peers) p.start(0);
    for (; now < kMinuteUs; now += 10'000) {
      while (auto d = link.take(now)) peers[d->to].receive(d->bytes, now);
      for (NetPeer& p : peers) {
        if (now % 200'000 == 0) p.pressLocal(Key::Right, now);
        p.update(now);
      }
    }
    for (int k = 0; k < 2; ++k) {
      bytes[k] = static_cast<double>(link.bytesSent(k)) / 60.0;
      withHeaders[k] = bytes[k] + static_cast<double>(wires[k].datagrams * kEnetHeaderBytes) / 60.0;
    }
  }
  state.counters["hostBytesPerSecond"] = bytes[0];
  state.counters["joinBytesPerSecond"] = bytes[1];
  state.counters["hostWithEnetPerSecond"] = withHeaders[0];
  state.counters["joinWithEnetPerSecond"] = withHeaders[1];
}
BENCHMARK(BM_TrafficAt5KeysASecond)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace glamora::net
