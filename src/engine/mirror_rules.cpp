#include "mirror_rules.h"

namespace glamora {

namespace {

// A code's bit in a set of codes; codes outside 0..31 are in no set.
constexpr unsigned bit(Code code) { return static_cast<unsigned>(code) < 32 ? 1u << static_cast<int>(code) : 0; }

struct MirrorRule {
  int dc, dr;         // the neighbour it faces
  unsigned blocked;   // neighbour codes it leaves alone
  Code swapA, swapB;  // the pair it turns over when copying
};

// In code order from the mirror facing up. Up and down mirrors turn combs over;
// right and left mirrors turn rouges around; everything else is copied unchanged.
constexpr MirrorRule kRules[] = {
    {0, +1, bit(Code::Empty) | bit(Code::MirrorUp) | bit(Code::MirrorDown), Code::CombUp, Code::CombDown},  // facing up
    {0, -1, bit(Code::MirrorDown), Code::CombUp, Code::CombDown},                           // facing down
    {+1, 0, bit(Code::Empty) | bit(Code::MirrorRight), Code::RougeRight, Code::RougeLeft},  // facing right
    {-1, 0, bit(Code::Empty) | bit(Code::MirrorLeft), Code::RougeRight, Code::RougeLeft},   // facing left
};

const MirrorRule& ruleOf(Code mirror) { return kRules[static_cast<int>(mirror) - static_cast<int>(Code::MirrorUp)]; }

}  // namespace

MirrorStep mirrorStep(const Board& board, int col, int row) {
  const Code code = board(col, row);
  if (!isMirror(code)) return {};
  const MirrorRule& rule = ruleOf(code);
  const int ncol = col + rule.dc;
  const int nrow = row + rule.dr;
  // Row 10 is never looked at: a mirror facing up in row 9 has nothing to copy.
  if (ncol < 1 || ncol > kColumns || nrow < 1 || nrow > kPlayRows) return {};
  const Code n = board(ncol, nrow);
  if (rule.blocked & bit(n)) return {};
  if (n == Code::Empty) return {MirrorStep::Wait};  // only a mirror facing down gets here
  if (n == rule.swapA) return {MirrorStep::Copy, rule.swapB};
  if (n == rule.swapB) return {MirrorStep::Copy, rule.swapA};
  return {MirrorStep::Copy, n};
}

}  // namespace glamora
