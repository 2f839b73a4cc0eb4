#include "rules_signature.h"

#include "session.h"

namespace glamora {

namespace {

constexpr std::int64_t kGameLimitTicks = 3 * 60 * 10;  // 3 simulated minutes

// FNV-1a over 32-bit values, each taken as four bytes, low byte first.
class Fnv1a {
 public:
  void add(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int k = 0; k < 4; ++k) {
      hash_ ^= (bits >> (8 * k)) & 0xFFu;
      hash_ *= 0x100000001B3ull;
    }
  }
  std::uint64_t value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

struct BattleGame {
  ComputerLevel first, second;
  int stage;
};

// Every level against every other, on stages across the table, and the
// original stage with a grid of its own.
constexpr BattleGame kBattles[] = {
    {ComputerLevel::Hard, ComputerLevel::Hard, 1},      {ComputerLevel::Hard, ComputerLevel::Normal, 4},
    {ComputerLevel::Normal, ComputerLevel::Easy, 7},    {ComputerLevel::Easy, ComputerLevel::Random, 10},
    {ComputerLevel::Random, ComputerLevel::Random, 13}, {ComputerLevel::Hard, ComputerLevel::Easy, 14},
    {ComputerLevel::Normal, ComputerLevel::Normal, 2},  {ComputerLevel::Hard, ComputerLevel::Random, 9},
    {ComputerLevel::Easy, ComputerLevel::Easy, 5},      {ComputerLevel::Random, ComputerLevel::Hard, 12},
    {ComputerLevel::Normal, ComputerLevel::Hard, 15},   {ComputerLevel::Easy, ComputerLevel::Normal, 8},
};

struct TrainingGame {
  ComputerLevel level;
  int stage;  // stages after the first are unlocked as the rules allow: by winning the one before
};

constexpr TrainingGame kTrainings[] = {
    {ComputerLevel::Hard, 1},    {ComputerLevel::Hard, 2}, {ComputerLevel::Hard, 3},  {ComputerLevel::Normal, 1},
    {ComputerLevel::Normal, 15}, {ComputerLevel::Easy, 1}, {ComputerLevel::Easy, 15}, {ComputerLevel::Random, 1},
};

void originalStage(Session& session) {
  for (int c = 1; c <= kColumns; ++c) {
    for (int s = 1; s <= kSlots; ++s)
      session.editorType({EditorBox::Grid, c, s}, std::to_string(1 + (c * 7 + s * 3) % 9));
  }
  session.editorType({EditorBox::Norm}, "2000");
  session.editorType({EditorBox::MirrorTime}, "20");
}

std::int64_t playOut(Session& session, const RoundFlags& flags) {
  std::int64_t ticks = 0;
  while (flags.roundActive && ticks < kGameLimitTicks) {
    session.clock.advance(100);
    ++ticks;
  }
  return ticks;
}

}  // namespace

RulesSignature playRulesSignature() {
  RulesSignature result;
  Fnv1a all;
  const auto played = [&](std::string name, std::int64_t ticks, const Fnv1a& hash) {
    result.games.push_back({std::move(name), ticks, hash.value()});
    result.ticks += ticks;
    all.add(static_cast<std::int32_t>(ticks));
    all.add(static_cast<std::int32_t>(hash.value()));
    all.add(static_cast<std::int32_t>(hash.value() >> 32));
  };
  std::uint64_t seed = 1;
  for (const BattleGame& g : kBattles) {
    SilentEffects effects;
    Session session(effects);
    originalStage(session);
    session.computer(Mode::Battle, 0, g.first, seed++);
    session.computer(Mode::Battle, 1, g.second, seed++);
    session.stage(Mode::Battle, g.stage);
    const std::int64_t ticks = playOut(session, session.battle.state.flags);
    Fnv1a hash;
    hash.add(static_cast<std::int32_t>(ticks));
    hash.add(session.battle.state.flags.roundActive);
    hash.add(session.battle.state.flags.inputOpen);
    for (const int k : {0, 1}) forEachNumber(session.battle.player(k).state, [&](int v) { hash.add(v); });
    played("battle " + std::to_string(result.games.size() + 1) + ": " + std::string(levelName(g.first)) + " vs " +
               std::string(levelName(g.second)) + ", stage " + std::to_string(g.stage),
           ticks, hash);
  }
  // One training session per level, its games one after the other.
  SilentEffects effects;
  Session session(effects);
  originalStage(session);
  for (const TrainingGame& g : kTrainings) {
    session.computer(Mode::Training, 0, g.level, seed++);
    session.stage(Mode::Training, g.stage);
    const std::int64_t ticks = playOut(session, session.training.state.flags);
    const TrainingState& t = session.training.state;
    Fnv1a hash;
    hash.add(static_cast<std::int32_t>(ticks));
    for (const int v : {int{t.flags.roundActive}, int{t.flags.inputOpen}, t.stageNo, t.norm, t.mirrorPeriod,
                        t.mirrorCountdown, t.losses}) {
      hash.add(v);
    }
    for (const bool on : t.enabled) hash.add(on ? 1 : 0);
    forEachNumber(session.training.player().state, [&](int v) { hash.add(v); });
    played("training " + std::to_string(result.games.size() + 1 - std::size(kBattles)) + ": " +
               std::string(levelName(g.level)) + ", stage " + std::to_string(g.stage),
           ticks, hash);
  }
  result.signature = all.value();
  return result;
}

}  // namespace glamora
