#include "mirror_rules.h"

namespace glamora {

namespace {

constexpr unsigned bit(int code) { return 1u << code; }

struct MirrorRule {
  int dc, dr;        // the neighbour it faces
  unsigned blocked;  // neighbour codes it leaves alone
  int swapA, swapB;  // the pair it turns over when copying
};

// Indexed by code - kMirrorUp. Up and down mirrors turn combs over; right and
// left mirrors turn rouges around; everything else is copied unchanged.
constexpr MirrorRule kRules[] = {
    {0, +1, bit(kEmpty) | bit(kMirrorUp) | bit(kMirrorDown), kCombUp, kCombDown},  // facing up
    {0, -1, bit(kMirrorDown), kCombUp, kCombDown},                                 // facing down
    {+1, 0, bit(kEmpty) | bit(kMirrorRight), kRougeRight, kRougeLeft},             // facing right
    {-1, 0, bit(kEmpty) | bit(kMirrorLeft), kRougeRight, kRougeLeft},              // facing left
};

}  // namespace

MirrorStep mirrorStep(const Board& board, int col, int row) {
  const int code = board(col, row);
  if (code < kMirrorUp || code > kMirrorLeft) return {};
  const MirrorRule& rule = kRules[code - kMirrorUp];
  const int ncol = col + rule.dc;
  const int nrow = row + rule.dr;
  // Row 10 is never looked at: a mirror facing up in row 9 has nothing to copy.
  if (ncol < 1 || ncol > kColumns || nrow < 1 || nrow > kPlayRows) return {};
  const int n = board(ncol, nrow);
  if (n >= 0 && n < 32 && (rule.blocked & bit(n))) return {};
  if (n == kEmpty) return {MirrorStep::Wait, 0};  // only a mirror facing down gets here
  if (n == rule.swapA) return {MirrorStep::Copy, rule.swapB};
  if (n == rule.swapB) return {MirrorStep::Copy, rule.swapA};
  return {MirrorStep::Copy, n};
}

}  // namespace glamora
