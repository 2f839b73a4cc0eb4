// The soak's checks catch what they are meant to, and the rules signature
// still matches the figure kept in the repository.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "bench.h"
#include "soak_checks.h"
#include "soak_run.h"

namespace glamora::soak {
namespace {

// A session with a battle and a training round running under the checks.
struct Checked : ::testing::Test {
  CountingEffects effects;
  Session session{effects};
  InvariantChecker checker{session, effects};
  PlayerState& a = session.battle.player(0).state;
  TrainingState& t = session.training.state;

  void SetUp() override {
    session.stage(Mode::Battle, 3);
    checker.stageChosen(Mode::Battle, 3, true, false);
    session.stage(Mode::Training, 1);
    checker.stageChosen(Mode::Training, 1, true, false);
    session.clock.advance(1000);
    checker.check();
    ASSERT_EQ(checker.failures(), std::vector<std::string>{});
  }

  // The first failure of the next check, without its time stamp.
  std::string firstFailure() {
    checker.check();
    if (checker.failures().empty()) return "none";
    const std::string& f = checker.failures().front();
    return f.substr(f.find(": ") + 2);
  }
};

TEST_F(Checked, BrokenBattleStatesAreCaught) {
  a.board(2, 1) = Code::UsedUp;
  EXPECT_EQ(firstFailure(), "player 1: board code out of 0..9");
}

TEST_F(Checked, TakenNextRowIsCaught) {
  a.board(4, 1) = Code::Foundation;
  EXPECT_EQ(firstFailure(), "player 1: column 4's next row 1 is taken");
}

TEST_F(Checked, WinsOnlyComeWithTheirDialog) {
  a.wins = 1;
  EXPECT_EQ(firstFailure(), "player 1's wins are not the rounds it was shown to win");
}

TEST_F(Checked, PendingSwitchWithoutPhaseZeroIsCaught) {
  a.toWhere = 1;
  EXPECT_EQ(firstFailure(), "player 1: phase 0 without a pending switch, or the reverse");
}

TEST_F(Checked, TimeAboveThePeriodIsCaught) {
  t.mirrorCountdown = t.mirrorPeriod + 1;
  EXPECT_EQ(firstFailure(), "TIME above every mirror period of the round");
}

TEST_F(Checked, StageUnlockedWithoutAWinIsCaught) {
  t.enabled[5] = true;
  EXPECT_EQ(firstFailure(), "stage 6 enabled without winning stage 5");
}

TEST(BoardWatch, OneVanishedItemIsCaughtButARunIsNot) {
  std::vector<std::string> failures;
  BoardWatch watch;
  ViewRelay view;
  watch.failures = &failures;
  watch.screen = "battle";
  watch.view = &view;
  view.watch(&watch);
  Board board;
  for (int r = 1; r <= 6; ++r) board(1, r) = Code::Foundation;
  view.redrawBoard(0, board);
  for (int r = 1; r <= 4; ++r) board(1, r) = Code::Empty;  // a run of four
  view.redrawBoard(0, board);
  EXPECT_TRUE(failures.empty());
  board(1, 5) = Code::Empty;  // a fall that overwrote an item
  view.redrawBoard(0, board);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0], "battle player 1: 1 item(s) vanished in one step (2 -> 1 items)");
}

TEST(Soak, SessionsAreRepeatable) {
  const SoakTotals first = runSoak(7, 6, 3);
  const SoakTotals second = runSoak(7, 6, 3);
  EXPECT_EQ(first.failures, std::vector<std::string>{});
  EXPECT_GE(first.rounds, 6);
  EXPECT_EQ(first.ticks, second.ticks);
  EXPECT_EQ(first.inputs, second.inputs);
}

// A change of the rules shows here, game by game. When it is meant, keep the
// new figures:
//   build/glamora-sim --bench > tests/engine/rules_signature.txt
// The computer players judge in whole numbers, so the figures are the same
// on every processor and with every compiler's floating-point options.
TEST(RulesSignature, MatchesTheKeptFigures) {
  std::ifstream file(GLAMORA_RULES_SIGNATURE);
  std::vector<std::string> kept;
  for (std::string line; std::getline(file, line);) kept.push_back(line);
  ASSERT_FALSE(kept.empty()) << "cannot read " << GLAMORA_RULES_SIGNATURE;
  const std::vector<std::string> now = sim::benchLines(playRulesSignature());
  for (std::size_t i = 0; i < std::max(now.size(), kept.size()); ++i) {
    EXPECT_EQ(i < now.size() ? now[i] : "(no such game now)", i < kept.size() ? kept[i] : "(no such game kept)")
        << "game " << i + 1 << " of the rules signature plays differently";
  }
}

}  // namespace
}  // namespace glamora::soak
