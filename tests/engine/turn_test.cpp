// Keys, phases, countdowns and the supply of a running battle.
#include <gtest/gtest.h>

#include "engine/stages.h"
#include "test_support.h"

namespace glamora {
namespace {

using test::BattleFixture;
using Log = std::vector<std::string>;

struct Turn : ::testing::Test, BattleFixture {};

TEST_F(Turn, TakeAndDropGoThroughBothPhases) {
  start();
  clock.advance(100);  // the offers are refreshed
  keys("S");
  EXPECT_EQ(a.held, stageTable(1)(3, 1));
  EXPECT_EQ(a.phase, Phase::Switching);
  EXPECT_EQ(a.supplyPos[3], 2);
  clock.advance(200);  // t = 300: the switch to "WHERE ?"
  EXPECT_EQ(a.phase, Phase::Where);
  EXPECT_TRUE(a.whereRun);
  keys("dd");
  EXPECT_EQ(a.carryCol, 5);
  EXPECT_EQ(a.arrowCol, 3);  // the arrow stays where the player left it
  keys("s");
  EXPECT_EQ(a.board(5, 1), stageTable(1)(3, 1));
  EXPECT_EQ(a.nextRow[5], 2);
  EXPECT_EQ(a.held, Code::Empty);
  clock.advance(300);
  EXPECT_EQ(a.phase, Phase::What);
  EXPECT_EQ(a.whereTime, 10);
}

TEST_F(Turn, EachPlayerAnswersOnlyToItsOwnKeys) {
  start();
  keys("4d5A6xq ");
  EXPECT_EQ(a.arrowCol, 3);              // d then A
  EXPECT_EQ(b.arrowCol, 2);              // 4; the 6 came after the take
  EXPECT_EQ(b.phase, Phase::Switching);  // 5 took an item
  keys("aaaaaa");
  EXPECT_EQ(a.arrowCol, 1);  // stops at the edge
}

TEST_F(Turn, OfferTakenInTheFirstTickOfAStageIsThePreviousOne) {
  start(1);
  keys("s");
  EXPECT_EQ(a.held, Code::Empty);  // nothing has been offered since the program started
  clock.advance(100);
  EXPECT_EQ(a.supplyFront[3], stageTable(1)(3, 2));
  battle.chooseStage(2);
  keys("s");
  EXPECT_EQ(a.held, stageTable(1)(3, 2));
  clock.advance(100);
  EXPECT_EQ(a.supplyFront[3], stageTable(2)(3, 2));
}

TEST_F(Turn, UsedUpOfferLeftFromTheLastRoundHandsOutNothing) {
  start();
  a.supplyPos[3] = 9;
  clock.advance(100);
  ASSERT_EQ(a.supplyFront[3], Code::UsedUp);
  battle.chooseStage(1);
  keys("s");  // before the first refresh of the new round
  EXPECT_EQ(a.phase, Phase::What);
  EXPECT_EQ(a.held, Code::Empty);
  EXPECT_EQ(a.supplyPos[3], 1);
  clock.advance(100);
  keys("s");
  EXPECT_EQ(a.held, stageTable(1)(3, 1));
}

// A mirror delivered into row 9 has not fallen yet when the player drops into
// the row under it: the column is full, and the next item goes into the OUT
// ZONE row instead of over the mirror.
TEST_F(Turn, DropUnderAMirrorStillToFallFillsTheColumn) {
  start();
  test::setColumn(a.board, 1, {1, 2, 1, 2, 1, 2, 1, 0, Code::MirrorDown});
  a.nextRow[1] = 8;
  a.phase = Phase::Where, a.whatRun = false, a.whereRun = true, a.held = Code::RougeLeft, a.carryCol = 1;
  keys("s");
  EXPECT_EQ(a.board(1, 8), Code::RougeLeft);
  EXPECT_EQ(a.nextRow[1], 10);
  clock.advance(100);  // the mirror copies the rouge under it
  EXPECT_EQ(test::column(a.board, 1), (test::Cells{1, 2, 1, 2, 1, 2, 1, 3, 3, 0}));
  EXPECT_EQ(a.nextRow[1], 10);
  a.mirrorsDue[1] = 1;  // the next mirror for this column finds it full
  clock.advance(100);
  EXPECT_EQ(a.board(1, 10), Code::MirrorDown);
  EXPECT_FALSE(battle.state.flags.roundActive);
  EXPECT_EQ(b.wins, 1);
}

// Items over a cleared row wait for the next fall; a drop into the cleared
// row lands under them and the column's next row goes above them.
TEST_F(Turn, DropUnderItemsStillToFallKeepsThemAll) {
  start();
  test::setColumn(a.board, 2, {1, 0, 4, 5});
  a.nextRow[2] = 2;
  a.phase = Phase::Where, a.whatRun = false, a.whereRun = true, a.held = Code::RougeRight, a.carryCol = 2;
  keys("s");
  EXPECT_EQ(a.nextRow[2], 5);
  clock.advance(100);
  EXPECT_EQ(test::column(a.board, 2, 5), (test::Cells{1, 2, 4, 5, 0}));
  EXPECT_EQ(a.nextRow[2], 5);
}

TEST_F(Turn, UsedUpColumnIsIgnoredAndKeepsTheCountdownRunning) {
  start();
  a.supplyPos[3] = 9;
  clock.advance(100);
  EXPECT_EQ(a.supplyFront[3], Code::UsedUp);
  keys("s");
  EXPECT_EQ(a.phase, Phase::What);
  EXPECT_TRUE(a.whatRun);
  EXPECT_EQ(a.held, Code::Empty);
}

TEST_F(Turn, SupplyRefillsReversedAfter48TakesThenInStageOrder) {
  start(5);
  a.supplyPos.fill(9);
  battle.player(0).refillSupply();
  EXPECT_TRUE(a.refillReversed);
  EXPECT_EQ(a.supplyPos, (PerColumn{{1, 1, 1, 1, 1, 1}}));
  for (int s = 1; s <= 8; ++s) EXPECT_EQ(a.supply(2, s), stageTable(5)(2, 9 - s));
  a.supplyPos.fill(9);
  a.supplyPos[6] = 8;  // one column with an item left: no refill
  battle.player(0).refillSupply();
  EXPECT_EQ(a.supplyPos[1], 9);
  a.supplyPos[6] = 9;
  battle.player(0).refillSupply();
  EXPECT_FALSE(a.refillReversed);
  EXPECT_EQ(a.supply, stageTable(5));
}

TEST_F(Turn, FortyEightTakesThroughTheKeysRefillTheSupply) {
  start();
  std::vector<Code> taken;
  for (int take = 0; take < 48; ++take) {
    clock.advance(100);
    keys("aaaaa");
    while (a.supplyPos[a.arrowCol] == 9) keys("d");
    keys("s");
    taken.push_back(a.held);
    a.phase = Phase::What;  // skip the drop: only the supply is under test
    a.toWhere = false;
  }
  for (int s = 1; s <= 8; ++s) EXPECT_EQ(taken[s - 1], stageTable(1)(1, s));
  EXPECT_EQ(a.supplyPos, (PerColumn{{9, 9, 9, 9, 9, 9}}));
  clock.advance(100);
  EXPECT_EQ(a.supplyPos, (PerColumn{{1, 1, 1, 1, 1, 1}}));
  EXPECT_TRUE(a.refillReversed);
  EXPECT_EQ(a.supplyFront[1], stageTable(1)(1, 8));
}

TEST_F(Turn, CountdownLosesOnTheTenthTickAndFreezesWhileInputIsClosed) {
  start();
  clock.advance(3000);
  EXPECT_EQ(a.whatTime, 7);
  battle.state.flags.inputOpen = false;
  clock.advance(2000);
  EXPECT_EQ(a.whatTime, 7);
  EXPECT_EQ(b.whatTime, 7);
  battle.state.flags.inputOpen = true;
  clock.advance(6000);
  EXPECT_EQ(a.whatTime, 1);
  clock.advance(1000);
  // Player 1's countdown (Timer21) runs before player 2's (Timer22).
  EXPECT_EQ(a.whatTime, 0);
  EXPECT_EQ(b.whatTime, 1);
  EXPECT_EQ(b.wins, 1);
  EXPECT_EQ(a.wins, 0);
  EXPECT_EQ(effects.log, (Log{"MediaBgm rewind", "MediaBgm stop", "MediaP2mw play", "dialog Mw2Form"}));
}

TEST_F(Turn, DropIntoTheOutZoneRowLosesAndLeavesTheHeightAtEleven) {
  start();
  clock.advance(100);
  keys("5");
  clock.advance(200);
  b.nextRow[3] = 10;
  keys("5");
  EXPECT_EQ(b.board(3, 10), stageTable(1)(3, 1));
  EXPECT_EQ(b.nextRow[3], 11);
  EXPECT_EQ(a.wins, 1);
  EXPECT_FALSE(battle.state.flags.roundActive);
  EXPECT_EQ(effects.log.back(), "dialog Mw1Form");
}

TEST_F(Turn, BothLossFlagsCountOnlyPlayerOnesWin) {
  start();
  a.lost = true;
  clock.advance(100);
  keys("5");
  clock.advance(200);
  b.nextRow[3] = 10;
  keys("5");
  EXPECT_EQ(a.wins, 1);
  EXPECT_EQ(b.wins, 0);
  EXPECT_FALSE(b.lost);
  EXPECT_TRUE(a.lost);  // left for a later check
}

TEST_F(Turn, PendingSwitchIsStillCarriedOutAfterTheRoundEnds) {
  start();
  clock.advance(100);
  keys("s");
  battle.leaveToTitle();
  clock.advance(200);
  EXPECT_EQ(a.phase, Phase::Where);
  keys("s");
  EXPECT_EQ(a.board(3, 1), Code::Empty);
}

}  // namespace
}  // namespace glamora
