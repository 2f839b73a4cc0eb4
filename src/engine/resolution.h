// The resolution passes over one board: run scans, falls, mirror copies and
// column-height upkeep. The timer tasks run them one pass per tick and show
// every step; settle() runs them on a copy until nothing changes, so the
// computer player judges a drop by exactly the rules the game plays by.
#pragma once

#include "cells.h"
#include "mirror_rules.h"
#include "run_rules.h"

namespace glamora {

// Empties the cells of a cleared run and sets the heights it leaves: a
// vertical run's column to its lowest row, every column of a horizontal run
// to its row (the upkeep pass lowers them later where a lower cell is empty).
void clearRunCells(Board& board, PerColumn& nextRow, const Run& run);

// What a pass reports while it works; a pass calls nothing else. The default
// does nothing, for passes run on a copy.
struct QuietSteps {
  void runFound(const Run&) {}  // before its cells are emptied
  void runCleared(const Run&) {}
  void beforeMove() {}  // an item is about to fall or a mirror to copy
  void afterMove() {}
  void mirrorWaits() {}  // a mirror facing down hangs over an empty cell
};

// Columns 1..6, at most one run cleared in each, on the board as it stands.
template <typename Steps>
void scanColumnsPass(Board& board, PerColumn& nextRow, Steps& steps) {
  for (int c = 1; c <= kColumns; ++c) {
    if (auto run = findColumnRun(board, c)) {
      steps.runFound(*run);
      clearRunCells(board, nextRow, *run);
      steps.runCleared(*run);
    }
  }
}

// Rows 1..9, at most one run cleared in each.
template <typename Steps>
void scanRowsPass(Board& board, PerColumn& nextRow, Steps& steps) {
  for (int r = 1; r <= kPlayRows; ++r) {
    if (auto run = findRowRun(board, r)) {
      steps.runFound(*run);
      clearRunCells(board, nextRow, *run);
      steps.runCleared(*run);
    }
  }
}

// Rows are visited bottom up and the column height follows every moved item,
// so one pass packs a whole column.
template <typename Steps>
void fallPass(Board& board, PerColumn& nextRow, Steps& steps) {
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kPlayRows; ++r) {
      const Code v = board(c, r);
      if (v == Code::Empty) continue;
      const int target = nextRow[c];
      if (target >= r) continue;
      steps.beforeMove();
      board(c, target) = v;
      board(c, r) = Code::Empty;
      nextRow[c] = target + 1;
      steps.afterMove();
    }
  }
}

// The visiting order decides how fast a chain converts: a mirror copies a
// neighbour that was converted earlier in the same pass.
template <typename Steps>
void copyMirrorsPass(Board& board, Steps& steps) {
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kPlayRows; ++r) {
      if (!isMirror(board(c, r))) continue;  // most cells are none
      const MirrorStep step = mirrorStep(board, c, r);
      if (step.kind == MirrorStep::Wait) {
        steps.mirrorWaits();
      } else if (step.kind == MirrorStep::Copy) {
        steps.beforeMove();
        board(c, r) = step.code;
        steps.afterMove();
      }
    }
  }
}

// Lowers each column's height to its lowest empty row among rows 1..9.
void lowerNextRowsPass(const Board& board, PerColumn& nextRow);

// What settling a board did: the points of its runs, the mirrors they send to
// each of the opponent's columns, the cells cleared and the ticks it took.
struct Settlement {
  int points = 0;
  int runs = 0;
  int cleared = 0;
  int ticks = 0;
  PerColumn sent{};
};

// Runs the battle's passes in their timer order (vertical scan, fall, mirror
// copies, horizontal scan, height upkeep), one round of passes per tick, until
// a tick changes nothing. No clock, no screen, no mirrors due from anyone.
Settlement settle(Board& board, PerColumn& nextRow);

}  // namespace glamora
