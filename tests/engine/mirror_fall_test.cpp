// A mirror falling onto one column, as a battle's delivery (waiting for row 9
// to be free) and as the training's timed fall (taking row 9's place).
#include <gtest/gtest.h>

#include "test_support.h"

namespace glamora {
namespace {

using V = test::Cells;

struct Fall {
  const char* name;
  V column;  // rows from the bottom
  int nextRow;
  Row9Taken taken;
  bool landed;
  V top;  // rows 9 and 10 afterwards
  int nextRowAfter;
  bool roundEnds;
};

TEST(MirrorFall, LandsInRowNineOrTheOutZone) {
  const V full{1, 2, 3, 1, 2, 3, 1, 2, 3};
  const V falling{1, 0, 0, 0, 0, 0, 0, 0, Code::CombUp};  // a comb left over a cleared row, still to fall
  const V eightHigh{1, 2, 3, 1, 2, 3, 1, 2};
  const Fall falls[] = {
      {"empty column", {}, 1, Row9Taken::Wait, true, {Code::MirrorDown, 0}, 1, false},
      {"row 9 is the next row", eightHigh, 9, Row9Taken::Wait, true, {Code::MirrorDown, 0}, kOutZoneRow, false},
      {"a delivery waits for row 9", falling, 2, Row9Taken::Wait, false, {Code::CombUp, 0}, 2, false},
      {"a timed fall takes row 9", falling, 2, Row9Taken::Replace, true, {Code::MirrorDown, 0}, 2, false},
      {"a full column loses", full, kOutZoneRow, Row9Taken::Wait, false, {3, Code::MirrorDown}, kOutZoneRow, true},
      {"also on training", full, kOutZoneRow, Row9Taken::Replace, false, {3, Code::MirrorDown}, kOutZoneRow, true},
  };
  for (const Fall& f : falls) {
    test::BattleFixture fixture;
    fixture.start();
    PlayerState& b = fixture.b;
    for (std::size_t r = 0; r < f.column.size(); ++r) b.board(5, static_cast<int>(r) + 1) = f.column[r].code;
    b.nextRow[5] = f.nextRow;

    EXPECT_EQ(fixture.battle.player(1).dropMirror(5, f.taken), f.landed) << f.name;
    const V rows = test::column(b.board, 5);
    EXPECT_EQ(V(rows.begin() + kPlayRows - 1, rows.end()), f.top) << f.name;
    EXPECT_EQ(b.nextRow[5], f.nextRowAfter) << f.name;
    EXPECT_EQ(fixture.battle.state.flags.roundActive, !f.roundEnds) << f.name;
    EXPECT_EQ(fixture.a.wins, f.roundEnds ? 1 : 0) << f.name;
  }
}

TEST(MirrorFall, OutsideARoundTheOutZoneFillsButNobodyLoses) {
  test::BattleFixture fixture;
  test::setColumn(fixture.a.board, 1, {1, 2, 3, 1, 2, 3, 1, 2, 3});
  fixture.a.nextRow[1] = kOutZoneRow;
  EXPECT_FALSE(fixture.battle.player(0).dropMirror(1, Row9Taken::Replace));
  EXPECT_EQ(fixture.a.board(1, kOutZoneRow), Code::MirrorDown);
  EXPECT_EQ(fixture.b.wins, 0);
  EXPECT_TRUE(fixture.effects.log.empty());
}

}  // namespace
}  // namespace glamora
