// Speed of the battle engine: one tick of every task on a busy position, and a
// simulated hour of play by two simple bots.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/battle.h"
#include "engine/computer_player.h"
#include "engine/scheduler.h"
#include "match.h"

namespace glamora {
namespace {

// Keeps the registered tasks so a benchmark can run each of them once.
class TaskList final : public Scheduler {
 public:
  std::vector<PeriodicTask> tasks;
  TaskId add(PeriodicTask task) override {
    tasks.push_back(std::move(task));
    return tasks.size();
  }
  void remove(TaskId) override {}
};

// Two thirds of each board full, a mix of items and mirrors, runs waiting to
// clear, mirrors due in both directions and in-flight mirrors over gaps.
void makeBusy(Battle& battle) {
  battle.chooseStage(3);
  static const int kColumnsA[6][9] = {
      {1, 2, 3, 4, 4, 4, 4, 0, 0}, {5, 6, 1, 2, 3, 0, 0, 0, 7}, {2, 2, 9, 3, 1, 5, 0, 0, 0},
      {3, 8, 5, 5, 5, 5, 0, 0, 0}, {4, 1, 7, 2, 6, 1, 0, 0, 0}, {1, 1, 1, 1, 2, 3, 0, 0, 0},
  };
  for (int p = 0; p < 2; ++p) {
    PlayerState& s = battle.player(p).state;
    for (int c = 1; c <= 6; ++c) {
      int height = 1;
      for (int r = 1; r <= 9; ++r) {
        s.board(c, r) = Code{kColumnsA[(c - 1 + p) % 6][r - 1]};
        if (s.board(c, r) != Code::Empty && r == height) ++height;
      }
      s.nextRow[c] = height;
      s.mirrorsDue[c] = (c + p) % 3;
    }
    s.board(2, 3) = Code::Empty;  // a gap to fall into
  }
}

// A battle on the busy position, and that position kept for restoring it.
struct BusyBattle {
  SilentEffects effects;
  NullView view;
  EditorValues editor;
  Battle battle{effects, view, editor};
  BattleState busyBattle;
  PlayerState busyA, busyB;

  BusyBattle() {
    makeBusy(battle);
    busyBattle = battle.state;
    busyA = battle.player(0).state;
    busyB = battle.player(1).state;
  }
  void restore() {
    battle.state = busyBattle;
    battle.player(0).state = busyA;
    battle.player(1).state = busyB;
  }
};

void BM_OneTickOfEveryBattleTask(benchmark::State& bench) {
  BusyBattle busy;
  TaskList list;
  busy.battle.registerTasks(list);
  for (auto _ : bench) {
    busy.restore();
    for (PeriodicTask& task : list.tasks) task.run();
    benchmark::DoNotOptimize(busy.battle.player(0).state.points);
  }
  bench.counters["tasks"] = static_cast<double>(list.tasks.size());
}
BENCHMARK(BM_OneTickOfEveryBattleTask);

// The restore of the busy position alone, to subtract from the figure above.
void BM_RestoreBusyPosition(benchmark::State& bench) {
  BusyBattle busy;
  for (auto _ : bench) {
    busy.restore();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RestoreBusyPosition);

// One decision of a computer player (its take and its drop) on the busy
// position, per level; compare with the one-tick figure above.
void BM_ComputerDecision(benchmark::State& bench) {
  const auto level = static_cast<ComputerLevel>(bench.range(0));
  BusyBattle busy;
  busy.battle.player(0).refreshSupply();  // the offers as the screen shows them
  const ComputerView view = makeComputerView(busy.battle.player(0).state, &busy.battle.player(1).state,
                                             busy.battle.state.flags, busy.battle.state.stageNo, 0);
  ComputerPlayer cpu(level, 1);
  for (auto _ : bench) {
    const Choice choice = cpu.decide(view);
    benchmark::DoNotOptimize(choice.drop);
  }
  bench.SetLabel(std::string(levelName(level)));
}
BENCHMARK(BM_ComputerDecision)->DenseRange(0, 2);

// A 100-round match of hard against normal on the simulated clock.
void BM_HundredRoundMatch(benchmark::State& bench) {
  sim::MatchResult result;
  for (auto _ : bench) result = sim::playMatch(ComputerLevel::Hard, ComputerLevel::Normal, 100, 1);
  bench.counters["hardWins"] = result.wins[0];
  bench.counters["normalWins"] = result.wins[1];
  bench.counters["draws"] = result.draws;
  bench.counters["simulatedMin"] = static_cast<double>(result.simulatedMs) / 60000.0;
}
BENCHMARK(BM_HundredRoundMatch)->Unit(benchmark::kMillisecond)->Iterations(1);

// A bot acting every 100 ms: it takes from the column under its arrow (or
// moves on when that one is used up) and drops where it stands unless that
// column is nearly full, then it heads for the lowest one.
void botStep(Battle& battle, int p) {
  const PlayerState& s = battle.player(p).state;
  const char32_t left = p == 0 ? U'a' : U'4', select = p == 0 ? U's' : U'5', right = p == 0 ? U'd' : U'6';
  if (s.phase == Phase::What) {
    battle.keyPress(s.supplyPos[s.arrowCol] == 9 ? right : select);
  } else if (s.phase == Phase::Where) {
    if (s.nextRow[s.carryCol] < 8) return battle.keyPress(select);
    int target = 1;
    for (int c = 2; c <= 6; ++c) {
      if (s.nextRow[c] < s.nextRow[target]) target = c;
    }
    battle.keyPress(s.carryCol < target ? right : s.carryCol > target ? left : select);
  }
}

void BM_SimulatedHourOfBattle(benchmark::State& bench) {
  std::int64_t rounds = 0, drops = 0;
  for (auto _ : bench) {
    SilentEffects effects;
    NullView view;
    EditorValues editor;
    Battle battle(effects, view, editor);
    SimClock clock;
    battle.registerTasks(clock);
    int stage = 1;
    battle.chooseStage(stage);
    for (int step = 0; step < 36000; ++step) {
      clock.advance(100);
      if (!battle.state.flags.roundActive) {
        ++rounds;
        stage = stage % 14 + 1;
        battle.chooseStage(stage);
      }
      for (int p = 0; p < 2; ++p) {
        const Phase before = battle.player(p).state.phase;
        botStep(battle, p);
        if (before == Phase::Where && battle.player(p).state.phase == Phase::Switching) ++drops;
      }
    }
  }
  bench.counters["rounds"] = benchmark::Counter(static_cast<double>(rounds), benchmark::Counter::kAvgIterations);
  bench.counters["drops"] = benchmark::Counter(static_cast<double>(drops), benchmark::Counter::kAvgIterations);
  bench.SetLabel("3,600,000 simulated ms");
}
BENCHMARK(BM_SimulatedHourOfBattle)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glamora
