#include "records_summary.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <tuple>

#include "records_database.h"

namespace glamora::records {

namespace {

constexpr std::int64_t kDayMs = 24 * 60 * 60 * 1000;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Computer levels first, then network peers, then the person at this keyboard.
int opponentOrder(PlayMode mode) {
  switch (mode) {
    case PlayMode::Computer: return 0;
    case PlayMode::Network: return 1;
    default: return 2;
  }
}

template <typename T>
void keepLeast(std::optional<T>& kept, T value) {
  if (!kept || value < *kept) kept = value;
}

}  // namespace

int ownSide(const RoundRow& row) {
  if (row.mode == PlayMode::Network) return row.localPlayer == 1 ? 1 : 0;
  if (row.mode == PlayMode::Computer && isComputerSide(row.side1) && !isComputerSide(row.side2)) return 1;
  return 0;
}

const std::string& opponentSide(const RoundRow& row) { return ownSide(row) == 0 ? row.side2 : row.side1; }

bool ownWin(const RoundRow& row) { return wonBy(row, isBattle(row) ? ownSide(row) : 0); }

void Streak::add(bool won) {
  current = won ? current + 1 : 0;
  longest = std::max(longest, current);
}

SummaryBuilder::SummaryBuilder(std::int64_t nowMs, std::int64_t localOffsetMs) {
  const std::int64_t today = floorDiv(nowMs + localOffsetMs, kDayMs) * kDayMs - localOffsetMs;
  firstDayMs_ = today - (kChartDays - 1) * kDayMs;
  for (int d = 0; d < kChartDays; ++d) summary_.days[d].dayStartMs = firstDayMs_ + d * kDayMs;
}

void SummaryBuilder::add(const RoundRow& row) {
  ++summary_.rounds;
  const bool won = ownWin(row);
  const std::int64_t day = floorDiv(row.endedAt - firstDayMs_, kDayMs);
  DayCount* count = day >= 0 && day < kChartDays ? &summary_.days[day] : nullptr;
  if (isBattle(row)) {
    const std::string& opponent = opponentSide(row);
    const int order = opponentOrder(row.mode);
    auto found = std::find_if(opponents_.begin(), opponents_.end(), [&](const auto& kept) {
      return kept.first == order && kept.second.opponent == opponent;
    });
    if (found == opponents_.end()) found = opponents_.insert(opponents_.end(), {order, {opponent, row.mode}});
    OpponentLine& line = found->second;
    ++line.rounds;
    if (row.winner == 0) ++line.draws;
    else if (won) ++line.wins;
    else ++line.losses;
    StageLine& stage = summary_.stages[row.stage];
    ++stage.rounds;
    if (won) {
      ++stage.wins;
      keepLeast(stage.shortestWinMs, row.lengthMs);
    }
    if (row.mode != PlayMode::Local) summary_.battleWins.add(won);
    if (count) ++count->battles;
  } else {
    TrainingLine& stage = summary_.training[row.stage];
    ++stage.rounds;
    if (won) {
      ++stage.cleared;
      keepLeast(stage.fastestClearMs, row.lengthMs);
    }
    if (row.score && (!stage.bestScore || *row.score > *stage.bestScore)) stage.bestScore = *row.score;
    summary_.trainingClears.add(won);
    if (count) ++count->training;
  }
}

RecordsSummary SummaryBuilder::finish() {
  // The computer's levels from the easiest, the rest by name.
  const auto rank = [](const std::pair<int, OpponentLine>& line) {
    static constexpr std::string_view kLevels[] = {"cpu:easy", "cpu:normal", "cpu:hard", "cpu:random"};
    const auto level = std::find(std::begin(kLevels), std::end(kLevels), line.second.opponent);
    return std::tuple(line.first, level - std::begin(kLevels), std::string_view(line.second.opponent));
  };
  std::sort(opponents_.begin(), opponents_.end(), [&](const auto& a, const auto& b) { return rank(a) < rank(b); });
  for (auto& [order, line] : opponents_) summary_.opponents.push_back(std::move(line));
  return std::move(summary_);
}

RecordsSummary summarize(const RecordsDatabase& db, std::int64_t nowMs, std::int64_t localOffsetMs) {
  SummaryBuilder builder(nowMs, localOffsetMs);
  db.forEachRow([&builder](const RoundRow& row) { builder.add(row); }, false);
  RecordsSummary summary = builder.finish();
  summary.latest = db.latest(RecordsSummary::kLatestRounds);
  return summary;
}

}  // namespace glamora::records
