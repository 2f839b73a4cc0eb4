// Seeking in the replay of a long session: an hour of play kept as the game
// keeps it (a person against the computer on the battle screen, then the
// computer training), its last long round opened. A seek forward plays on; a
// seek back plays the round again from the state kept at its start. Opening
// plays the whole script up to the round once, headless.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "engine/computer_level.h"
#include "engine/journal.h"
#include "engine/replay.h"
#include "engine/replay_cursor.h"

namespace glamora {
namespace {

struct TextSink final : JournalSink {
  std::string text;
  bool write(std::string_view t) override {
    text += t;
    return true;
  }
};

constexpr std::int64_t kMinute = 60'000;

// A session's journal: 40 minutes of battles, a person pressing a key every
// 150 to 400 ms against the computer at "normal", then 20 minutes of the
// computer training at "hard"; a round starts 3 s after the last one ended.
const std::string& longSession() {
  static const std::string text = [] {
    SilentEffects effects;
    Session session(effects);
    TextSink sink;
    JournalWriter writer(sink);
    writer.begin("1.0", "2026-12-10T10:00:00+09:00");
    session.setRecorder(&writer);
    ComputerRandom random(5);
    session.computer(Mode::Battle, 1, ComputerLevel::Normal, 11);
    int stage = 0;
    while (session.clock.now() < 40 * kMinute) {
      if (!session.battle.state.flags.roundActive) {
        session.wait(3000);
        session.stage(Mode::Battle, stage++ % 14 + 1);
      }
      session.key(Mode::Battle, U"asd"[random.below(3)]);
      session.wait(150 + random.below(250));
    }
    session.leave(Mode::Battle);
    session.computer(Mode::Training, 0, ComputerLevel::Hard, 12);
    while (session.clock.now() < 60 * kMinute) {
      if (!session.training.state.flags.roundActive) {
        session.wait(3000);
        session.stage(Mode::Training, 1);
      }
      session.wait(1000);
    }
    writer.finish(session.clock.now(), session.currentRound());
    return sink.text;
  }();
  return text;
}

struct LongReplay {
  std::vector<std::string> lines = splitLines(longSession());
  RoundRecord round;
  SilentEffects effects;

  // The last round that ran for 20 s or more (the most script before it),
  // or the longest round.
  explicit LongReplay(bool longest = false) {
    const ScriptReading reading = readScript(lines);
    for (const RoundRecord& r : reading.rounds) {
      const std::int64_t length = r.end - r.start;
      if (longest ? length > round.end - round.start : length >= 20'000) round = r;
    }
  }
  void open(ReplayCursor& cursor) const {
    while (cursor.findStart(SIZE_MAX, INT64_MAX) == ReplayRun::Search::Going) {
    }
    cursor.expectLength(round.end - round.start);
  }
  void describe(benchmark::State& bench) const {
    bench.counters["lines"] = static_cast<double>(lines.size());
    bench.counters["round"] = round.number;
    bench.counters["roundStartMin"] = static_cast<double>(round.start) / kMinute;
    bench.counters["roundSec"] = static_cast<double>(round.end - round.start) / 1000;
  }
};

// Times one call with the benchmark's manual clock and keeps the slowest.
template <typename F>
void timed(benchmark::State& bench, double& slowestMs, F&& call) {
  const auto begin = std::chrono::steady_clock::now();
  call();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
  bench.SetIterationTime(took.count());
  slowestMs = std::max(slowestMs, took.count() * 1000);
}

// Opening: the script played headless up to the round's start.
void BM_ReplayOpenLongSession(benchmark::State& bench) {
  LongReplay replay;
  for (auto _ : bench) {
    ReplayCursor cursor(replay.effects, replay.lines, replay.round.number);
    replay.open(cursor);
    benchmark::DoNotOptimize(cursor.position());
  }
  replay.describe(bench);
}
BENCHMARK(BM_ReplayOpenLongSession)->Unit(benchmark::kMillisecond);

// A seek back, from the round's end to a random moment of it (`back` 1),
// or forward, from a random moment to the end (0); in the last round of 20 s
// or more (`longest` 0), or in the longest round (1).
void BM_ReplaySeek(benchmark::State& bench) {
  const bool back = bench.range(0) == 1;
  LongReplay replay(bench.range(1) == 1);
  ReplayCursor cursor(replay.effects, replay.lines, replay.round.number);
  replay.open(cursor);
  const std::int64_t length = *cursor.length();
  ComputerRandom random(9);
  double slowestMs = 0;
  for (auto _ : bench) {
    const std::int64_t t = random.below(static_cast<int>(length));
    cursor.seek(back ? length : t);
    timed(bench, slowestMs, [&] { cursor.seek(back ? t : length); });
  }
  replay.describe(bench);
  bench.counters["slowestMs"] = slowestMs;
  bench.SetLabel(back ? "back, from the round's end" : "forward, to the round's end");
}
BENCHMARK(BM_ReplaySeek)->ArgsProduct({{0, 1}, {0, 1}})->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
}  // namespace glamora
