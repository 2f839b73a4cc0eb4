#include "match.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/session.h"
#include "usage.h"

namespace glamora::sim {

namespace {

constexpr std::int64_t kRoundLimitMs = 30 * 60 * 1000;
constexpr std::int64_t kStepMs = 100;

// Fresh game screens on their own clock, with no sound and no dialogs.
struct Table {
  SilentEffects effects;
  Session session{effects};
};

// Runs the clock until the round is over or the time limit is reached; the
// simulated time it took.
std::int64_t playOut(SimClock& clock, const RoundFlags& flags) {
  std::int64_t played = 0;
  while (flags.roundActive && played < kRoundLimitMs) {
    clock.advance(kStepMs);
    played += kStepMs;
  }
  return played;
}

std::uint64_t mix(std::uint64_t seed, std::uint64_t k) {
  ComputerRandom r(seed ^ (k * 0xD1B54A32D192ED03ull));
  return r.next();
}

}  // namespace

MatchResult playMatch(ComputerLevel a, ComputerLevel b, int rounds, std::uint64_t seed) {
  MatchResult result;
  ComputerRandom stages(seed);
  for (int round = 1; round <= rounds; ++round) {
    const int stage = 1 + stages.below(kBuiltInStages);
    const int seatOfA = round % 2 == 1 ? 0 : 1;
    auto table = std::make_unique<Table>();
    Battle& battle = table->session.battle;
    battle.setComputer(seatOfA, a, mix(seed, 2 * round));
    battle.setComputer(1 - seatOfA, b, mix(seed, 2 * round + 1));
    battle.chooseStage(stage);
    result.simulatedMs += playOut(table->session.clock, battle.state.flags);
    if (battle.state.flags.roundActive) {
      ++result.draws;
    } else {
      const int winnerSeat = battle.player(0).state.wins == 1 ? 0 : 1;
      ++result.wins[winnerSeat == seatOfA ? 0 : 1];
    }
  }
  return result;
}

TrainingRun playTraining(ComputerLevel level, std::uint64_t seed) {
  TrainingRun run;
  auto table = std::make_unique<Table>();
  Training& training = table->session.training;
  training.setComputer(0, level, seed);
  for (int stage = 1; stage <= kBuiltInStages; ++stage) {
    const int winsBefore = training.player().state.wins;
    training.chooseStage(stage);
    run.simulatedMs += playOut(table->session.clock, training.state.flags);
    if (training.player().state.wins == winsBefore) break;
    run.stagesCleared = stage;
  }
  return run;
}

namespace {

// "--name value" pairs after the positional words.
struct Args {
  std::vector<std::string> words;
  bool ok = true;
  std::string value(std::string_view name) const {
    for (std::size_t k = 0; k + 1 < words.size(); ++k) {
      if (words[k] == name) return words[k + 1];
    }
    return {};
  }
};

bool wholeNumber(const std::string& text, std::uint64_t& out) {
  if (text.empty() || text.size() > 18) return false;
  out = 0;
  for (const char ch : text) {
    if (ch < '0' || ch > '9') return false;
    out = out * 10 + static_cast<std::uint64_t>(ch - '0');
  }
  return true;
}

}  // namespace

int runMatchCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
  Args args;
  for (int k = 1; k < argc; ++k) args.words.emplace_back(argv[k]);
  const std::string mode = args.words.empty() ? std::string() : args.words[0];
  if (mode == "--match") {
    std::uint64_t rounds = 0, seed = 0;
    const auto a = args.words.size() > 2 ? levelFromName(args.words[1]) : std::nullopt;
    const auto b = args.words.size() > 2 ? levelFromName(args.words[2]) : std::nullopt;
    if (args.words.size() > 2 && (!a || !b)) {
      err << "glamora-sim: " << wrongValue("--match", args.words[a ? 2 : 1], "one of " + levelChoices()) << "\n";
      return 2;
    }
    if (args.words.size() != 7 || !wholeNumber(args.value("--rounds"), rounds) ||
        !wholeNumber(args.value("--seed"), seed) || rounds > 1'000'000) {
      err << "usage: glamora-sim --match LEVEL_A LEVEL_B --rounds N --seed S (LEVEL: easy, normal, hard, random)\n";
      return 2;
    }
    const MatchResult r = playMatch(*a, *b, static_cast<int>(rounds), seed);
    out << "{\"match\":[\"" << levelName(*a) << "\",\"" << levelName(*b) << "\"],\"rounds\":" << rounds << ",\"wins\":["
        << r.wins[0] << "," << r.wins[1] << "],\"draws\":" << r.draws << ",\"simulatedMs\":" << r.simulatedMs << "}\n";
    return 0;
  }
  if (mode == "--training") {
    std::uint64_t seeds = 0, first = 1;
    const auto level = args.words.size() > 1 ? levelFromName(args.words[1]) : std::nullopt;
    if (args.words.size() > 1 && !level) {
      err << "glamora-sim: " << wrongValue("--training", args.words[1], "one of " + levelChoices()) << "\n";
      return 2;
    }
    const bool sized = args.words.size() == 4 || (args.words.size() == 6 && wholeNumber(args.value("--seed"), first));
    if (!level || !sized || !wholeNumber(args.value("--seeds"), seeds) || seeds == 0 || seeds > 100'000) {
      err << "usage: glamora-sim --training LEVEL --seeds N [--seed FIRST]\n";
      return 2;
    }
    std::vector<int> cleared;
    std::int64_t ms = 0;
    for (std::uint64_t s = first; s < first + seeds; ++s) {
      const TrainingRun r = playTraining(*level, s);
      cleared.push_back(r.stagesCleared);
      ms += r.simulatedMs;
    }
    const auto stageOne = std::count_if(cleared.begin(), cleared.end(), [](int n) { return n >= 1; });
    std::vector<int> sorted = cleared;
    std::sort(sorted.begin(), sorted.end());
    out << "{\"training\":\"" << levelName(*level) << "\",\"seeds\":" << seeds << ",\"clearedStage1\":" << stageOne
        << ",\"medianStagesCleared\":" << sorted[sorted.size() / 2] << ",\"bestStagesCleared\":" << sorted.back()
        << ",\"simulatedMs\":" << ms << "}\n";
    return 0;
  }
  return -1;
}

}  // namespace glamora::sim
