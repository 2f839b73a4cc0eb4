#include "resolution.h"

namespace glamora {

void clearRunCells(Board& board, PerColumn& nextRow, const Run& run) {
  for (int k = run.start; k < run.start + run.length; ++k) {
    if (run.direction == Run::Vertical) board(run.line, k) = Code::Empty;
    else board(k, run.line) = Code::Empty;
  }
  if (run.direction == Run::Vertical) {
    nextRow[run.line] = run.start;
  } else {
    for (int k = run.start; k < run.start + run.length; ++k) nextRow[k] = run.line;
  }
}

void lowerNextRowsPass(const Board& board, PerColumn& nextRow) {
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kPlayRows; ++r) {
      if (board(c, r) == Code::Empty && nextRow[c] > r) nextRow[c] = r;
    }
  }
}

namespace {

struct CountingSteps : QuietSteps {
  Settlement& out;
  bool changed = false;
  explicit CountingSteps(Settlement& s) : out(s) {}
  void runFound(const Run& run) {
    out.points += runScore(run.length, run.code);
    out.runs += 1;
    out.cleared += run.length;
    for (int k = attackFirstColumn(run); k <= attackLastColumn(run); ++k) out.sent[k] += 1;
    changed = true;
  }
  void afterMove() { changed = true; }
  void mirrorWaits() { changed = true; }  // the next fall moves it
};

// Enough for any chain: every tick that changes something either clears
// cells, moves an item down or turns a mirror into something else.
constexpr int kMaxTicks = 200;

}  // namespace

Settlement settle(Board& board, PerColumn& nextRow) {
  Settlement result;
  CountingSteps steps(result);
  while (result.ticks < kMaxTicks) {
    steps.changed = false;
    const PerColumn heightsBefore = nextRow;
    scanColumnsPass(board, nextRow, steps);
    fallPass(board, nextRow, steps);
    copyMirrorsPass(board, steps);
    scanRowsPass(board, nextRow, steps);
    lowerNextRowsPass(board, nextRow);
    if (!steps.changed && nextRow == heightsBefore) break;
    ++result.ticks;
  }
  return result;
}

}  // namespace glamora
