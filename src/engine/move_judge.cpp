#include "move_judge.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "computer_view.h"
#include "resolution.h"

namespace glamora {

namespace {

// Values are whole millionths of a point: integer sums give the same choice on
// every processor and with every compiler's floating-point contractions.
using Value = std::int64_t;
constexpr Value kLoses = std::numeric_limits<Value>::min();

// Weights of the judgement, tuned by matches between the levels.
struct Weights {
  Value height = 1'200'000;                      // per squared column height
  Value nearlyFull = 150'000'000;                // a column with rows 1..8 full
  Value full = 600'000'000;                      // rows 1..9 full: one mirror into it loses
  Value fullBeforeFall = 3'000'000'000;          // training: full when the mirrors are about to fall
  Value pair = 10'000'000, triple = 28'000'000;  // equal items on top of a column, free to clear
  Value rowThreeNow = 5'000'000;                 // three of four in a row, the fourth droppable now
  Value rowThreeLater = 2'000'000;               // ... the fourth cell needs something under it first
  Value battlePoints = 50'000, trainingPoints = 250'000;
  Value clearedCell = 6'000'000;  // a cleared run is worth more than the triple it was
  Value mirrorSent = 6'000'000, perOpponentItem = 1'500'000, intoHighColumn = 10'000'000;
  Value kill = 100'000'000'000, killInTwo = 50'000'000'000;
  int followUpTenths = 9;  // the next take counts a little less than this one
  Value noise = 300'000;   // random spread that breaks near ties
};

constexpr Weights kW;

Value columnValue(const Board& b, int c, int n, const JudgeSituation& s) {
  Value v = -kW.height * n * n;
  if (n >= kPlayRows) {
    v -= kW.full;
    if (!s.battle && s.mirrorCountdown > 0 && s.mirrorCountdown <= 8) v -= kW.fullBeforeFall;
  } else if (n == kPlayRows - 1) {
    v -= kW.nearlyFull;
  }
  if (n == 0) return v;
  const Code code = b(c, n);
  int k = 1;
  if (isMatchable(code)) {
    while (n - k >= 1 && b(c, n - k) == code) ++k;
    bool blocked = false;
    for (int r = 1; r <= n - k; ++r) blocked = blocked || b(c, r) == Code::MirrorUp;
    if (!blocked) v += k == 2 ? kW.pair : k >= 3 ? kW.triple : 0;
  }
  return v;
}

// Windows of four cells in a row holding three of one kind and a gap.
Value rowsValue(const Board& b, const PerColumn& heights) {
  Value v = 0;
  for (int r = 1; r <= kPlayRows; ++r) {
    for (int s = 1; s + 3 <= kColumns; ++s) {
      Code code = Code::Empty;
      int same = 0, gap = 0;
      bool mixed = false;
      for (int c = s; c < s + 4 && !mixed; ++c) {
        const Code x = b(c, r);
        if (x == Code::Empty) {
          gap = c;
        } else if (!isMatchable(x) || (code != Code::Empty && x != code)) {
          mixed = true;
        } else {
          code = x;
          ++same;
        }
      }
      if (mixed || same != 3) continue;
      v += heights[gap] == r ? kW.rowThreeNow : kW.rowThreeLater;
    }
  }
  return v;
}

Value boardValue(const Board& b, const JudgeSituation& s) {
  const PerColumn heights = heightsShown(b);
  Value v = 0;
  for (int c = 1; c <= kColumns; ++c) v += columnValue(b, c, heights[c] - 1, s);
  return v + rowsValue(b, heights);
}

Value settlementValue(const Settlement& st, const JudgeSituation& s) {
  Value v = st.points * (s.battle ? kW.battlePoints : kW.trainingPoints) + st.cleared * kW.clearedCell;
  if (!s.battle) return v;
  for (int c = 1; c <= kColumns; ++c) {
    const int k = st.sent[c];
    if (k == 0) continue;
    const int height = s.opponentHeights[c];
    if (height >= kOutZoneRow) return v + kW.kill;
    if (height == kPlayRows && k >= 2) v += kW.killInTwo;
    const int items = height - 1;
    v += k * (kW.mirrorSent + kW.perOpponentItem * items);
    if (items + k >= kPlayRows - 2) v += kW.intoHighColumn * k;
  }
  return v;
}

Value stepCost(const LevelSettings& settings) { return Value{8'000} * settings.paceMs; }

Value followUpShare(Value gain) { return gain * kW.followUpTenths / 10; }

Value noise(ComputerRandom& random) { return random.below(static_cast<int>(kW.noise)); }

struct Candidate {
  int pick, drop;
  Value value;
  Board after;
};

}  // namespace

std::int64_t MoveJudge::dropValue(const JudgeSituation& s, const Board& board, Code code, int col, Board* after) const {
  PerColumn heights = heightsShown(board);
  const int row = heights[col];
  if (row >= kOutZoneRow) return kLoses;
  Board b = board;
  b(col, row) = code;
  heights[col] = row + 1;
  const Settlement st = settle(b, heights);
  const Value v = settlementValue(st, s) + boardValue(b, s);
  if (after) *after = b;
  return v;
}

std::int64_t MoveJudge::bestFollowUp(const JudgeSituation& s, const Board& board, const Offers& offers) const {
  Value best = kLoses;
  for (int p = 1; p <= kColumns; ++p) {
    const Code code = offers[p];
    if (code == Code::UsedUp || code == Code::Empty) continue;
    bool seen = false;  // the same item in two columns is judged once
    for (int q = 1; q < p; ++q) seen = seen || offers[q] == code;
    if (seen) continue;
    for (int d = 1; d <= kColumns; ++d) best = std::max(best, dropValue(s, board, code, d, nullptr));
  }
  return best;
}

Choice MoveJudge::chooseTake(const JudgeSituation& s, ComputerRandom& random) const {
  std::array<Candidate, kColumns * kColumns> cands;
  int count = 0;
  const Value perStep = stepCost(settings_);
  for (int p = 1; p <= kColumns; ++p) {
    const Code code = s.offers[p];
    if (code == Code::UsedUp || code == Code::Empty) continue;
    for (int d = 1; d <= kColumns; ++d) {
      Candidate& cand = cands[count];
      cand.value = dropValue(s, s.board, code, d, &cand.after);
      if (cand.value == kLoses) continue;
      cand.pick = p;
      cand.drop = d;
      cand.value -= perStep * (std::abs(s.arrowCol - p) + std::abs(p - d));
      cand.value += noise(random);
      ++count;
    }
  }
  if (count == 0) {
    // Every drop loses: take anything, the round is over either way.
    for (int p = 1; p <= kColumns; ++p) {
      if (s.offers[p] != Code::UsedUp && s.offers[p] != Code::Empty) return {p, s.arrowCol, kLoses};
    }
    return {};
  }
  if (random.below(1000) < settings_.mistakePerMille) {
    const Candidate& c = cands[random.below(count)];
    return {c.pick, c.drop, c.value};
  }
  if (settings_.lookahead >= 2) {
    const int beam = std::min(count, settings_.beam);
    std::partial_sort(cands.begin(), cands.begin() + beam, cands.begin() + count,
                      [](const Candidate& a, const Candidate& b) { return a.value > b.value; });
    for (int k = 0; k < beam; ++k) {
      Candidate& c = cands[k];
      Offers next = s.offers;
      next[c.pick] = s.following[c.pick];
      const Value follow = bestFollowUp(s, c.after, next);
      // What this drop already did is in both values; the board it leaves
      // is judged by what the next take can make of it.
      if (follow != kLoses) c.value += followUpShare(follow - boardValue(c.after, s));
    }
    count = beam;
  }
  const Candidate* best = &cands[0];
  for (int k = 1; k < count; ++k) {
    if (cands[k].value > best->value) best = &cands[k];
  }
  return {best->pick, best->drop, best->value};
}

Choice MoveJudge::chooseDrop(const JudgeSituation& s, Code held, ComputerRandom& random) const {
  Choice best{0, 0, kLoses};
  int legal[kColumns];
  int legalCount = 0;
  const Value perStep = stepCost(settings_);
  for (int d = 1; d <= kColumns; ++d) {
    Board after;
    Value v = dropValue(s, s.board, held, d, &after);
    if (v == kLoses) continue;
    legal[legalCount++] = d;
    if (settings_.lookahead >= 2) {
      const Value follow = bestFollowUp(s, after, s.offers);
      if (follow != kLoses) v += followUpShare(follow - boardValue(after, s));
    }
    v -= perStep * std::abs(s.carryCol - d);
    v += noise(random);
    if (v > best.value) best = {0, d, v};
  }
  if (legalCount == 0) return {0, s.carryCol, kLoses};
  if (random.below(1000) < settings_.mistakePerMille) best.drop = legal[random.below(legalCount)];
  return best;
}

}  // namespace glamora
