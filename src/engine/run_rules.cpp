#include "run_rules.h"

namespace glamora {

// Within one line, equal matchable cells form segments. Every candidate of the
// game's candidate lists that holds lies inside one segment, and whether a
// mirror holds it back depends only on the cells outside that segment, so the
// first candidate in list order is always a whole segment: the longest one
// that is not held back, and of two equally long ones the later (higher) one.
// In a row of six only one segment can be four long, which keeps rows simple.

std::optional<Run> findColumnRun(const Board& board, int col) {
  std::optional<Run> best;
  int row = 1;
  while (row <= kPlayRows) {
    const Code code = board(col, row);
    if (code == Code::MirrorUp) break;  // holds back everything above it
    int end = row;
    while (end < kPlayRows && board(col, end + 1) == code) ++end;
    const int length = end - row + 1;
    if (isMatchable(code) && length >= 4 && (!best || length >= best->length)) {
      best = Run{Run::Vertical, col, row, length, code};
    }
    row = end + 1;
  }
  return best;
}

std::optional<Run> findRowRun(const Board& board, int row) {
  int col = 1;
  while (col <= kColumns) {
    const Code code = board(col, row);
    int end = col;
    while (end < kColumns && board(end + 1, row) == code) ++end;
    const int length = end - col + 1;
    if (isMatchable(code) && length >= 4) {
      for (int k = 1; k < col; ++k) {
        if (board(k, row) == Code::MirrorRight) return std::nullopt;
      }
      for (int k = end + 1; k <= kColumns; ++k) {
        if (board(k, row) == Code::MirrorLeft) return std::nullopt;
      }
      return Run{Run::Horizontal, row, col, length, code};
    }
    col = end + 1;
  }
  return std::nullopt;
}

int runScore(int length, Code code) {
  static constexpr int kPerLength[] = {0, 100, 110, 120, 150, 160};
  return kPerLength[static_cast<int>(code)] * (length - 3);
}

}  // namespace glamora
