#include "engine/run_rules.h"

#include <gtest/gtest.h>

#include <random>

#include "test_support.h"

namespace glamora {
namespace {

using test::setColumn;
using test::setRow;

void expectRun(const std::optional<Run>& run, int start, int length, test::Cell code) {
  ASSERT_TRUE(run.has_value());
  EXPECT_EQ(run->start, start);
  EXPECT_EQ(run->length, length);
  EXPECT_EQ(test::Cell(run->code), code);
}

TEST(ColumnScan, NineFoundationsAreOneRunSendingToEveryColumn) {
  Board board;
  setColumn(board, 4, {1, 1, 1, 1, 1, 1, 1, 1, 1});
  const auto run = findColumnRun(board, 4);
  expectRun(run, 1, 9, 1);
  EXPECT_EQ(runScore(9, Code::Foundation), 600);
  EXPECT_EQ(attackFirstColumn(*run), 1);
  EXPECT_EQ(attackLastColumn(*run), 6);
}

TEST(ColumnScan, HigherRunOfEqualLengthComesFirst) {
  Board board;
  setColumn(board, 1, {4, 4, 4, 4, 2, 3, 3, 3, 3});
  expectRun(findColumnRun(board, 1), 6, 4, 3);
  for (int r = 6; r <= 9; ++r) board(1, r) = Code::Empty;
  expectRun(findColumnRun(board, 1), 1, 4, 4);
}

TEST(ColumnScan, LongerRunWinsOverHigherOne) {
  Board board;
  setColumn(board, 2, {5, 5, 5, 5, 5, 1, 2, 2, 2});
  expectRun(findColumnRun(board, 2), 1, 5, 5);
  setColumn(board, 3, {1, 2, 2, 2, 2, 3, 3, 3, 3});
  expectRun(findColumnRun(board, 3), 6, 4, 3);
}

TEST(ColumnScan, MirrorFacingUpBelowHoldsTheRunBack) {
  Board board;
  setColumn(board, 1, {6, 1, 2, 2, 2, 2});
  EXPECT_FALSE(findColumnRun(board, 1));
  for (const Code other : {Code::MirrorDown, Code::MirrorRight, Code::MirrorLeft}) {
    board(1, 1) = other;
    expectRun(findColumnRun(board, 1), 3, 4, 2);
  }
  // A mirror facing up above the run does not hold it back.
  setColumn(board, 2, {3, 3, 3, 3, 6});
  expectRun(findColumnRun(board, 2), 1, 4, 3);
}

TEST(ColumnScan, OutZoneRowMirrorsAndShortLinesNeverClear) {
  Board board;
  setColumn(board, 1, {1, 2, 3, 4, 5, 1, 4, 4, 4});
  board(1, 10) = Code::CombUp;
  EXPECT_FALSE(findColumnRun(board, 1));
  setColumn(board, 2, {7, 7, 7, 7, 7});
  EXPECT_FALSE(findColumnRun(board, 2));
  EXPECT_FALSE(findColumnRun(board, 3));
}

TEST(RowScan, SixAcrossSendToColumnsOneToThree) {
  Board board;
  setRow(board, 5, {2, 2, 2, 2, 2, 2});
  const auto run = findRowRun(board, 5);
  expectRun(run, 1, 6, 2);
  EXPECT_EQ(attackLastColumn(*run), 3);
}

TEST(RowScan, MirrorsFacingTheRunFromOutsideHoldItBack) {
  Board board;
  setRow(board, 1, {1, 1, 1, 1, 1, 9});
  EXPECT_FALSE(findRowRun(board, 1));
  setRow(board, 2, {8, 4, 4, 4, 4, 0});
  EXPECT_FALSE(findRowRun(board, 2));
  // Facing away from the run they do nothing.
  setRow(board, 3, {9, 4, 4, 4, 4, 8});
  expectRun(findRowRun(board, 3), 2, 4, 4);
  setRow(board, 4, {0, 0, 5, 5, 5, 5});
  expectRun(findRowRun(board, 4), 3, 4, 5);
}

TEST(Score, TableByLengthAndKind) {
  EXPECT_EQ(runScore(4, Code::Foundation), 100);
  EXPECT_EQ(runScore(4, Code::CombUp), 150);
  EXPECT_EQ(runScore(5, Code::RougeRight), 220);
  EXPECT_EQ(runScore(6, Code::RougeLeft), 360);
  EXPECT_EQ(runScore(7, Code::CombUp), 600);
  EXPECT_EQ(runScore(8, Code::CombDown), 800);
  EXPECT_EQ(runScore(9, Code::RougeLeft), 720);
  EXPECT_EQ(runScore(9, Code::CombDown), 960);
}

// The scans must pick exactly the run the game's candidate lists pick: test
// every candidate in list order, kinds 1..5, with the listed mirror checks.
std::optional<Run> candidateColumnRun(const Board& board, int col) {
  for (int length = 9; length >= 4; --length) {
    for (int start = 10 - length; start >= 1; --start) {
      for (int v = 1; v <= 5; ++v) {
        bool holds = true;
        for (int r = start; r < start + length; ++r) holds = holds && board(col, r) == Code{v};
        for (int r = 1; r < start; ++r) holds = holds && board(col, r) != Code::MirrorUp;
        if (holds) return Run{Run::Vertical, col, start, length, Code{v}};
      }
    }
  }
  return std::nullopt;
}

std::optional<Run> candidateRowRun(const Board& board, int row) {
  for (int length = 6; length >= 4; --length) {
    for (int start = 7 - length; start >= 1; --start) {
      for (int v = 1; v <= 5; ++v) {
        bool holds = true;
        for (int c = start; c < start + length; ++c) holds = holds && board(c, row) == Code{v};
        for (int c = 1; c < start; ++c) holds = holds && board(c, row) != Code::MirrorRight;
        for (int c = start + length; c <= 6; ++c) holds = holds && board(c, row) != Code::MirrorLeft;
        if (holds) return Run{Run::Horizontal, row, start, length, Code{v}};
      }
    }
  }
  return std::nullopt;
}

TEST(Scans, AgreeWithTheCandidateListsOnRandomBoards) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 20000; ++trial) {
    Board board;
    // Few kinds so that long lines are common.
    const int kinds = 2 + trial % 4;
    for (Code& cell : board.cells) {
      const int pick = static_cast<int>(random() % (kinds + 3));
      cell = Code{pick < kinds ? pick + 1 : (pick == kinds ? 0 : 6 + static_cast<int>(random() % 4))};
    }
    for (int c = 1; c <= 6; ++c) {
      const auto expected = candidateColumnRun(board, c);
      const auto actual = findColumnRun(board, c);
      ASSERT_EQ(expected.has_value(), actual.has_value()) << "trial " << trial << " column " << c;
      if (expected) {
        ASSERT_EQ(std::tie(expected->start, expected->length, expected->code),
                  std::tie(actual->start, actual->length, actual->code));
      }
    }
    for (int r = 1; r <= 9; ++r) {
      const auto expected = candidateRowRun(board, r);
      const auto actual = findRowRun(board, r);
      ASSERT_EQ(expected.has_value(), actual.has_value()) << "trial " << trial << " row " << r;
      if (expected) {
        ASSERT_EQ(std::tie(expected->start, expected->length, expected->code),
                  std::tie(actual->start, actual->length, actual->code));
      }
    }
  }
}

}  // namespace
}  // namespace glamora
