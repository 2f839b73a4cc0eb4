// The computer player: it plays by a person's keys and clocks, judges drops
// by the game's own resolution, and is reproducible from its seed.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/computer_player.h"
#include "engine/resolution.h"
#include "engine/stages.h"
#include "engine/training.h"
#include "sim_driver.h"
#include "test_support.h"

namespace glamora {
namespace {

using test::BattleFixture;
using test::setColumn;

// A key as the computer pressed it, with what the screen showed at that moment.
struct Press {
  std::int64_t t;
  int p;
  Key key;
  bool inputOpen, roundActive;
  Phase phase;
  int arrowCol, supplyPosUnderArrow;
};

// Two computer players over several rounds and stages; every key recorded.
std::vector<Press> playAndRecord(ComputerLevel one, ComputerLevel two, std::int64_t ms) {
  BattleFixture f;
  std::vector<Press> presses;
  f.battle.onComputerKey = [&](int p, Key key) {
    const PlayerState& s = f.battle.player(p).state;
    presses.push_back({f.clock.now(), p, key, f.battle.state.flags.inputOpen, f.battle.state.flags.roundActive, s.phase,
                       s.arrowCol, s.supplyPos[s.arrowCol]});
  };
  f.battle.setComputer(0, one, 7);
  f.battle.setComputer(1, two, 8);
  int stage = 1;
  f.start(stage);
  for (std::int64_t t = 0; t < ms; t += 100) {
    f.clock.advance(100);
    if (!f.battle.state.flags.roundActive) f.start(stage = stage % kBuiltInStages + 1);
  }
  return presses;
}

TEST(ComputerPlayer, PressesOnlyWithOpenKeysAtItsPaceAndNeverOnAUsedUpColumn) {
  const std::pair<ComputerLevel, ComputerLevel> pairings[] = {{ComputerLevel::Hard, ComputerLevel::Easy},
                                                              {ComputerLevel::Normal, ComputerLevel::Hard}};
  for (const auto& [one, two] : pairings) {
    const std::vector<Press> presses = playAndRecord(one, two, 5 * 60 * 1000);
    ASSERT_GT(presses.size(), 500u);
    std::int64_t last[2] = {-1'000'000, -1'000'000};
    int usedUpSeen = 0;
    for (const Press& k : presses) {
      EXPECT_TRUE(k.inputOpen) << "t " << k.t;
      EXPECT_TRUE(k.roundActive) << "t " << k.t;
      EXPECT_NE(k.phase, Phase::Switching) << "t " << k.t;
      const int pace = levelSettings(k.p == 0 ? one : two).paceMs;
      EXPECT_GE(k.t - last[k.p], pace) << "t " << k.t;
      last[k.p] = k.t;
      if (k.phase == Phase::What && k.key == Key::Select) {
        EXPECT_NE(k.supplyPosUnderArrow, 9) << "t " << k.t;
      }
      if (k.supplyPosUnderArrow == 9) ++usedUpSeen;
    }
    EXPECT_GT(usedUpSeen, 0);  // used-up columns did come up
  }
}

// A view of a running round in the "WHAT ?" phase with these offers.
ComputerView whatView(const Board& board, Offers offers) {
  ComputerView v;
  v.own.board = board;
  v.own.phase = Phase::What;
  v.opponent.phase = Phase::What;
  v.hasOpponent = true;
  v.offers = offers;
  v.roundActive = v.inputOpen = true;
  v.stageNo = 1;
  v.stageTable = stageTable(1);
  return v;
}

TEST(ComputerPlayer, NormalAndHardTakeTheDropThatClearsARun) {
  Board board;
  setColumn(board, 2, {4, 1, 1, 1});  // a fourth foundation clears rows 2..5
  setColumn(board, 4, {2, 5});
  setColumn(board, 5, {3});
  const Offers offers{
      {Code::RougeLeft, Code::CombUp, Code::CombDown, Code::Foundation, Code::RougeRight, Code::MirrorLeft}};
  for (const ComputerLevel level : {ComputerLevel::Normal, ComputerLevel::Hard}) {
    int taken = 0;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
      ComputerPlayer cpu(level, seed);
      const Choice c = cpu.decide(whatView(board, offers));
      taken += c.pick == 4 && c.drop == 2;
    }
    // Normal may make a rare plain mistake; hard makes none.
    EXPECT_GE(taken, level == ComputerLevel::Hard ? 20 : 18) << levelName(level);
  }
}

// Rows 1..9 of every column full without a run, except rows 1..8 of column 4.
Board nearlyFullBoard() {
  Board board;
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kPlayRows; ++r) board(c, r) = Code{1 + (c + 2 * r) % 5};
  }
  board(4, 9) = Code::Empty;
  return board;
}

TEST(ComputerPlayer, HardDropsIntoTheOnlyColumnThatDoesNotOverflow) {
  const Board board = nearlyFullBoard();
  for (std::uint64_t seed = 1; seed <= 10; ++seed) {
    ComputerPlayer cpu(ComputerLevel::Hard, seed);
    ComputerView take = whatView(
        board, {{Code::RougeRight, Code::RougeLeft, Code::CombUp, Code::CombDown, Code::Foundation, Code::MirrorLeft}});
    EXPECT_EQ(cpu.decide(take).drop, 4);
    ComputerView where = take;
    where.own.phase = Phase::Where;
    where.held = Code::RougeRight;
    where.carryCol = 1;
    EXPECT_EQ(cpu.decide(where).drop, 4);
  }

  // In a running round it carries the item there and does not lose.
  BattleFixture f;
  f.start();
  f.battle.setComputer(0, ComputerLevel::Hard, 3);
  f.a.board = board;
  f.a.nextRow.fill(10);
  f.a.nextRow[4] = 9;
  for (int k = 0; k < 60 && f.a.board(4, 9) == Code::Empty; ++k) f.clock.advance(100);
  EXPECT_NE(f.a.board(4, 9), Code::Empty);
  EXPECT_EQ(f.b.wins, 0);
}

TEST(ComputerPlayer, TheSameSeedPlaysTheSameGame) {
  auto play = [](std::uint64_t seed) {
    std::istringstream script("cpu 1 hard " + std::to_string(seed) + "\ncpu 2 easy " + std::to_string(seed) +
                              "\nstage 4\nwait 90000\ndump\nstage 9\nwait 60000\ndump\n");
    std::ostringstream out, err;
    sim::SimDriver driver(out);
    EXPECT_EQ(driver.run(script, err), 0) << err.str();
    return out.str();
  };
  EXPECT_EQ(play(5), play(5));
  EXPECT_NE(play(5), play(6));
}

TEST(ComputerPlayer, APersonsKeysDoNotMoveAComputerSide) {
  BattleFixture f;
  f.battle.setComputer(0, ComputerLevel::Normal, 1);
  f.start();
  f.keys("ddd666");
  EXPECT_EQ(f.a.arrowCol, 3);
  EXPECT_EQ(f.b.arrowCol, 6);  // player 2 is still a person
  f.battle.setComputer(0, std::nullopt, 1);
  f.keys("d");
  EXPECT_EQ(f.a.arrowCol, 4);

  test::RecordingEffects effects;
  NullView view;
  EditorValues editor;
  Training training(effects, view, editor);
  training.setComputer(0, ComputerLevel::Hard, 1);
  training.chooseStage(1);
  training.keyPress(U'a');
  training.keyPress(U's');
  EXPECT_EQ(training.player().state.arrowCol, 3);
  EXPECT_EQ(training.player().state.phase, Phase::What);
}

// settle() must end where the game's own timer tasks end on the same board.
TEST(Settle, EndsWhereTheTimerTasksEnd) {
  Board start;
  setColumn(start, 1, {1, 1, 1, Code::MirrorDown});             // a mirror copy completes a run
  setColumn(start, 2, {5, Code::MirrorUp, Code::MirrorUp, 4});  // mirrors facing up copy from the top
  setColumn(start, 3, {2, 3, 1, 1, 1, 1, 4, 5});                // a run under two items that fall
  setColumn(start, 4, {1, 1, 2, 2});
  setColumn(start, 5, {3, 9, 9});  // a chain of mirrors facing left
  setColumn(start, 6, {1, 1, 2});

  Board copy = start;
  PerColumn heights = heightsShown(copy);
  const Settlement s = settle(copy, heights);

  BattleFixture f;
  f.start();
  f.a.board = start;
  f.a.nextRow = heightsShown(start);
  f.clock.advance(3000);
  EXPECT_EQ(copy, f.a.board);
  EXPECT_EQ(heights, f.a.nextRow);
  EXPECT_EQ(s.points, f.a.points);
  EXPECT_GE(s.runs, 2);
}

// The offers a table shows with every column at `slot` (Code::UsedUp past 8).
Offers offersAt(const Supply& table, int slot, bool reversed) {
  Offers offers;
  for (int c = 1; c <= kColumns; ++c) {
    offers[c] = slot > kSlots ? Code::UsedUp : table(c, reversed ? kSlots + 1 - slot : slot);
  }
  return offers;
}

TEST(SupplyTracker, CountsTakesThroughRefillsAndStartsOverWithANewRound) {
  const Supply& table = stageTable(1);
  SupplyTracker tracker;
  tracker.observe(offersAt(table, 1, false), table);
  EXPECT_EQ(tracker.offerAfter(1, 1), table(1, 2));
  for (int slot = 1; slot <= kSlots; ++slot) {
    for (int c = 1; c <= kColumns; ++c) tracker.took(c);
    tracker.observe(offersAt(table, slot + 1, false), table);
  }
  for (int c = 1; c <= kColumns; ++c) EXPECT_TRUE(tracker.usedUp(c));
  // The refill hands each column out in reverse.
  tracker.observe(offersAt(table, 1, true), table);
  EXPECT_EQ(tracker.offerAfter(3, 0), table(3, 8));
  EXPECT_EQ(tracker.offerAfter(3, 1), table(3, 7));
  tracker.took(3);
  // A new round: the stage order from slot 1 again.
  tracker.observe(offersAt(table, 1, false), table);
  EXPECT_EQ(tracker.offerAfter(3, 1), table(3, 2));
  EXPECT_FALSE(tracker.usedUp(3));
}

TEST(SimProtocol, CpuLines) {
  const char* const bad[] = {"cpu\n",
                             "cpu 1\n",
                             "cpu 3 easy\n",
                             "cpu 1 random\n",
                             "cpu 1 hard x\n",
                             "cpu 1 hard -1\n",
                             "cpu 1 hard 1 2\n",
                             "cpu one easy\n",
                             "screen training\ncpu 2 easy\n",
                             "cpu 1 Hard\n"};
  for (const char* script : bad) {
    std::istringstream in(script);
    std::ostringstream out, err;
    EXPECT_EQ(sim::SimDriver(out).run(in, err), 2) << script;
  }
  std::istringstream in("cpu 1 easy\ncpu 2 hard 0\ncpu 2 off\nscreen training\ncpu 1 normal 99999999999999999999\n");
  std::ostringstream out, err;
  EXPECT_EQ(sim::SimDriver(out).run(in, err), 0) << err.str();
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace glamora
