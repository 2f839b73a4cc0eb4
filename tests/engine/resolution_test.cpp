// Falls, mirror copies, column heights and deliveries on a running battle.
#include <gtest/gtest.h>

#include "test_support.h"

namespace glamora {
namespace {

using test::BattleFixture;
using test::column;
using test::row;
using test::setColumn;
using test::setRow;
using V = test::Cells;

struct Resolution : ::testing::Test, BattleFixture {
  Resolution() { start(); }
  Player& p1() { return battle.player(0); }
};

TEST_F(Resolution, ClearingUnderFiveItemsDropsThemAllInOneFallTick) {
  setColumn(a.board, 3, {1, 1, 1, 1, 2, 3, 4, 5, 2});
  p1().scanColumns();
  EXPECT_EQ(a.points, 100);
  EXPECT_EQ(a.nextRow[3], 1);
  EXPECT_FALSE(battle.state.flags.inputOpen);
  p1().fall();
  EXPECT_EQ(column(a.board, 3), (V{2, 3, 4, 5, 2, 0, 0, 0, 0, 0}));
  EXPECT_EQ(a.nextRow[3], 6);
  EXPECT_TRUE(battle.state.flags.inputOpen);
}

TEST_F(Resolution, ScanOfLaterColumnsGoesOnAfterAClear) {
  setColumn(a.board, 2, {4, 4, 4, 4});
  setColumn(a.board, 5, {5, 5, 5, 5, 5});
  p1().scanColumns();
  EXPECT_EQ(a.points, 150 + 320);
  // Attacks start at the run's lowest row: rows 1..4 -> column 1, rows 1..5 -> 1 and 2.
  EXPECT_EQ(b.mirrorsDue, (PerColumn{{2, 1, 0, 0, 0, 0}}));
  EXPECT_EQ(effects.log, (std::vector<std::string>{"MediaP1mw play", "MediaP1mw play"}));
}

TEST_F(Resolution, RowRunSetsHeightsToItsRowUntilUpkeepLowersThem) {
  setRow(a.board, 1, {2, 4, 5, 4, 5, 4});
  setRow(a.board, 2, {0, 5, 4, 5, 4, 5});  // a gap in column 1 under row 3
  setRow(a.board, 3, {3, 3, 3, 3, 3, 3});
  a.board(1, 4) = Code::CombDown;
  a.nextRow.fill(4);
  a.nextRow[1] = 5;
  p1().scanRows();
  EXPECT_EQ(a.points, 360);
  EXPECT_EQ(a.nextRow, (PerColumn{{3, 3, 3, 3, 3, 3}}));
  EXPECT_EQ(b.mirrorsDue, (PerColumn{{1, 1, 1, 0, 0, 0}}));
  p1().fall();  // the comb falls onto row 3 although row 2 is empty
  EXPECT_EQ(column(a.board, 1, 4), (V{2, 0, 5, 0}));
  p1().lowerNextRows();
  EXPECT_EQ(a.nextRow[1], 2);
  p1().fall();
  EXPECT_EQ(column(a.board, 1, 4), (V{2, 5, 0, 0}));
  EXPECT_EQ(a.nextRow[1], 3);
}

TEST_F(Resolution, MirrorCopiesTurnCombsOverAndRougesAround) {
  struct Case {
    const char* what;
    std::initializer_list<test::Cell> row1, row2;  // columns 1..3 of rows 1 and 2
    int col, row;
    test::Cell expected;
  };
  const Case cases[] = {
      {"comb down above a mirror facing up", {6}, {5}, 1, 1, 4},
      {"rouge right left of a mirror facing left", {2, 9}, {}, 2, 1, 3},
      {"foundation under a mirror facing down", {1}, {7}, 1, 2, 1},
      {"foundation right of a mirror facing right", {8, 1}, {}, 1, 1, 1},
      {"mirror down above a mirror up becomes a mirror up", {6}, {7}, 1, 2, 6},
      {"the mirror facing up stays", {6}, {7}, 1, 1, 6},
      {"mirror right left of a mirror left becomes a mirror left", {8, 9}, {}, 1, 1, 9},
      {"comb up under a mirror facing down turns over", {4}, {7}, 1, 2, 5},
      {"mirror up under a mirror right copies it", {6}, {8}, 1, 1, 8},
  };
  for (const Case& c : cases) {
    a.board = Board{};
    setRow(a.board, 1, c.row1);
    setRow(a.board, 2, c.row2);
    p1().copyMirrors();
    EXPECT_EQ(test::Cell(a.board(c.col, c.row)), c.expected) << c.what;
  }
}

TEST_F(Resolution, MirrorsAtTheEdgesNeverCopy) {
  a.board(1, 9) = Code::MirrorUp;
  a.board(1, 10) = Code::Foundation;
  a.board(2, 1) = Code::MirrorDown;
  a.board(6, 5) = Code::MirrorRight;
  a.board(1, 5) = Code::MirrorLeft;
  const Board before = a.board;
  p1().copyMirrors();
  EXPECT_EQ(a.board, before);
  EXPECT_TRUE(battle.state.flags.inputOpen);
}

TEST_F(Resolution, MirrorFacingDownOverAGapHoldsTheKeysUntilItFalls) {
  a.board(2, 9) = Code::MirrorDown;
  a.board(2, 1) = Code::CombUp;
  a.nextRow[2] = 2;
  p1().copyMirrors();
  EXPECT_EQ(a.board(2, 9), Code::MirrorDown);
  EXPECT_FALSE(battle.state.flags.inputOpen);
  p1().fall();
  EXPECT_EQ(column(a.board, 2, 3), (V{4, 7, 0}));
  p1().copyMirrors();
  EXPECT_EQ(a.board(2, 2), Code::CombDown);
  EXPECT_TRUE(battle.state.flags.inputOpen);
}

TEST_F(Resolution, DownwardAndLeftwardChainsConvertInOneTick) {
  setColumn(a.board, 1, {5, 7, 7, 7, 7});
  setRow(a.board, 7, {5, 9, 9, 9, 9, 9});
  p1().copyMirrors();
  EXPECT_EQ(column(a.board, 1, 5), (V{5, 4, 5, 4, 5}));
  EXPECT_EQ(row(a.board, 7), (V{5, 5, 5, 5, 5, 5}));
}

TEST_F(Resolution, UpwardAndRightwardChainsConvertOneMirrorPerTick) {
  setColumn(a.board, 1, {1, 1, 1, 6, 6, 6, 6, 6, 1});
  setRow(a.board, 9, {0, 8, 8, 8, 2, 0});
  a.board(1, 9) = Code::Foundation;
  for (int tick = 1; tick <= 5; ++tick) {
    p1().copyMirrors();
    EXPECT_EQ(a.board(1, 9 - tick), Code::Foundation) << tick;
    if (tick < 5) {
      EXPECT_EQ(a.board(1, 8 - tick), Code::MirrorUp) << tick;
    }
  }
  // Each copy turns the rouge around again.
  EXPECT_EQ(row(a.board, 9), (V{1, 3, 2, 3, 2, 0}));
  p1().scanColumns();
  EXPECT_EQ(a.points, 600);  // the column cleared as a run of nine
}

TEST_F(Resolution, DeliveryGoesIntoRowNineOncePerTickAndReopensTheKeys) {
  b.mirrorsDue[4] = 2;
  battle.state.flags.inputOpen = false;
  clock.advance(100);  // board B's fall (Timer28) runs before the delivery (Timer33)
  EXPECT_EQ(column(b.board, 4), (V{0, 0, 0, 0, 0, 0, 0, 0, 7, 0}));
  EXPECT_EQ(b.mirrorsDue[4], 1);
  EXPECT_FALSE(battle.state.flags.inputOpen);
  clock.advance(100);  // the first falls, the second comes: all counters 0
  EXPECT_EQ(column(b.board, 4), (V{7, 0, 0, 0, 0, 0, 0, 0, 7, 0}));
  EXPECT_EQ(b.mirrorsDue[4], 0);
  EXPECT_TRUE(battle.state.flags.inputOpen);
  clock.advance(100);
  EXPECT_EQ(column(b.board, 4, 3), (V{7, 7, 0}));
}

TEST_F(Resolution, SecondMirrorIntoAFullColumnLosesTheRound) {
  setColumn(b.board, 2, {1, 2, 3, 1, 2, 3, 1, 2});
  b.nextRow[2] = 9;
  b.mirrorsDue[2] = 2;
  clock.advance(100);
  EXPECT_EQ(b.board(2, 9), Code::MirrorDown);
  EXPECT_EQ(b.nextRow[2], 10);
  EXPECT_TRUE(battle.state.flags.roundActive);
  // The mirror in row 9 copies the rouge below it, but makes no run.
  clock.advance(100);
  EXPECT_EQ(b.board(2, 10), Code::MirrorDown);
  EXPECT_EQ(b.mirrorsDue[2], 1);
  EXPECT_FALSE(battle.state.flags.roundActive);
  EXPECT_EQ(a.wins, 1);
  EXPECT_EQ(effects.log,
            (std::vector<std::string>{"MediaBgm rewind", "MediaBgm stop", "MediaP1mw play", "dialog Mw1Form"}));
}

TEST_F(Resolution, LastDeliveryIntoRowNineOfANearlyFullColumnReopensTheKeys) {
  setColumn(a.board, 6, {1, 2, 3, 1, 2, 3, 1, 2});
  a.nextRow[6] = 9;
  a.mirrorsDue[6] = 1;
  battle.state.flags.inputOpen = false;
  clock.advance(100);
  EXPECT_EQ(a.board(6, 9), Code::MirrorDown);
  EXPECT_EQ(a.nextRow[6], 10);
  EXPECT_TRUE(battle.state.flags.inputOpen);
  clock.advance(100);
  EXPECT_EQ(a.board(6, 9), Code::RougeRight);  // it copies the rouge below it on the next tick
}

TEST_F(Resolution, TasksStandStillOutsideARound) {
  setColumn(a.board, 1, {1, 1, 1, 1});
  a.board(2, 9) = Code::MirrorDown;
  b.mirrorsDue[1] = 1;
  battle.state.flags.roundActive = false;
  const PlayerState before = a;
  clock.advance(1000);
  EXPECT_EQ(a.board, before.board);
  EXPECT_EQ(b.mirrorsDue[1], 1);
}

}  // namespace
}  // namespace glamora
