#include "battle_snapshot.h"

namespace glamora::net {

namespace {

// Mixes 32-bit words one at a time: every number as itself and every flag as
// 0 or 1, so the value is the same on any machine that lays ints out alike,
// whatever its byte order.
class WordHash {
 public:
  void add(std::uint32_t word) {
    hash_ ^= word;
    hash_ *= 0x9E3779B97F4A7C15ull;
    hash_ ^= hash_ >> 32;
  }
  void add64(std::int64_t value) {
    add(static_cast<std::uint32_t>(value));
    add(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) >> 32));
  }
  void add(int value) { add(static_cast<std::uint32_t>(value)); }
  void add(bool flag) { add(flag ? 1u : 0u); }
  std::uint64_t value() const {
    std::uint64_t z = hash_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

 private:
  std::uint64_t hash_ = 0x243F6A8885A308D3ull;
};

// The members in declaration order.
void addRound(WordHash& h, const RoundState& s) {
  h.add(s.flags.roundActive);
  h.add(s.flags.inputOpen);
  h.add(s.stageNo);
  h.add(s.checkedStage);
  h.add(s.pauseShown);
}

}  // namespace

void BattleSnapshot::take(const Session& session) {
  now = session.clock.now();
  session.clock.dueTimes(TaskOwner::Battle, due);
  battle = session.battle.state;
  players[0] = session.battle.player(0).state;
  players[1] = session.battle.player(1).state;
  view = session.battleView.model();
}

void BattleSnapshot::restore(Session& session) const {
  session.clock.restoreDueTimes(TaskOwner::Battle, now, due);
  session.battle.state = battle;
  session.battle.player(0).state = players[0];
  session.battle.player(1).state = players[1];
  session.battleView.restore(view);
}

std::uint64_t sharedStateHash(const Session& session, std::vector<std::int64_t>& scratch) {
  WordHash h;
  h.add64(session.clock.now());
  session.clock.dueTimes(TaskOwner::Battle, scratch);
  for (const std::int64_t due : scratch) h.add64(due);
  addRound(h, session.battle.state);
  for (const int k : {0, 1}) forEachNumber(session.battle.player(k).state, [&](int v) { h.add(v); });
  return h.value();
}

}  // namespace glamora::net
