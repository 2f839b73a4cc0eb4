// Which lines of equal items clear, what they score and where their attack goes.
#pragma once

#include <optional>

#include "cells.h"

namespace glamora {

struct Run {
  enum Direction { Vertical, Horizontal } direction;
  int line;    // the column of a vertical run, the row of a horizontal one
  int start;   // its lowest row, or its leftmost column
  int length;  // 4..9 vertically, 4..6 horizontally
  Code code;   // Foundation..CombDown
};

// The run a scan of column `col` clears, if any. Candidates are tested longest
// first and, among equal lengths, highest first; a mirror facing up anywhere
// below a run holds it back. Row 10 never takes part.
std::optional<Run> findColumnRun(const Board& board, int col);

// The run a scan of row `row` (1..9) clears, if any: longest first, then from
// the right; a mirror facing right to its left or facing left to its right
// holds it back.
std::optional<Run> findRowRun(const Board& board, int row);

// Points of a run: 100 x (length - 3), times 1, 1.1, 1.2, 1.5, 1.6 by kind.
int runScore(int length, Code code);

// A run of length L starting at s sends one mirror to each of the opponent's
// columns s .. s + L - 4.
inline int attackFirstColumn(const Run& run) { return run.start; }
inline int attackLastColumn(const Run& run) { return run.start + run.length - 4; }

}  // namespace glamora
