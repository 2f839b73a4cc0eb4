// What the records window shows, counted in one pass over the rows in the
// order they ended: tables by opponent, by stage and of training, the
// streaks, the rounds of each of the last 30 days and the latest rounds.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "round_row.h"

namespace glamora::records {

// The side played from this keyboard: the host's or joiner's side over the
// network, the person's against the computer (player 1 when both or neither
// are computer-played).
int ownSide(const RoundRow& row);
// The other side, as written in the row ("cpu:hard", "peer:NAME", "person").
const std::string& opponentSide(const RoundRow& row);
// Won from this keyboard: the own side won (training: cleared). Two people at
// one keyboard count as player 1's.
bool ownWin(const RoundRow& row);

struct OpponentLine {
  std::string opponent;  // as opponentSide() writes it
  PlayMode mode = PlayMode::Local;
  int rounds = 0, wins = 0, losses = 0, draws = 0;
};
struct StageLine {
  int rounds = 0, wins = 0;
  std::optional<std::int64_t> shortestWinMs;
};
struct TrainingLine {
  int rounds = 0, cleared = 0;
  std::optional<int> bestScore;
  std::optional<std::int64_t> fastestClearMs;
};
struct Streak {
  int current = 0, longest = 0;
  void add(bool won);
};
inline constexpr int kChartDays = 30;
struct DayCount {
  std::int64_t dayStartMs = 0;  // local midnight
  int battles = 0, training = 0;
};

struct RecordsSummary {
  int rounds = 0;
  std::vector<OpponentLine> opponents;    // computer levels, then network peers, then the person here
  std::map<int, StageLine> stages;        // battles by stage
  std::map<int, TrainingLine> training;   // training by stage
  Streak battleWins;                      // own wins in a row, battles against the computer or the network
  Streak trainingClears;                  // training rounds cleared in a row
  std::array<DayCount, kChartDays> days;  // oldest first, the last one today
  std::vector<RoundRow> latest;           // newest first, at most kLatestRounds
  static constexpr int kLatestRounds = 500;
};

// Counts rows given oldest first (the latest rounds are not kept). `nowMs` and `localOffsetMs` (the local
// time's offset from UTC) place the 30 days.
class SummaryBuilder {
 public:
  SummaryBuilder(std::int64_t nowMs, std::int64_t localOffsetMs);
  void add(const RoundRow& row);
  RecordsSummary finish();

 private:
  RecordsSummary summary_;
  std::vector<std::pair<int, OpponentLine>> opponents_;  // by their order of showing, few
  std::int64_t firstDayMs_ = 0;
};

class RecordsDatabase;
// The summary of every row of `db`, with its latest rounds.
RecordsSummary summarize(const RecordsDatabase& db, std::int64_t nowMs, std::int64_t localOffsetMs);

}  // namespace glamora::records
