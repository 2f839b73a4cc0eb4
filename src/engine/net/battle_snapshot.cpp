#include "battle_snapshot.h"

#include <cstring>
#include <type_traits>

namespace glamora::net {

namespace {

// Mixes 32-bit words one at a time; the words of a struct are its int
// members in declaration order, so the value is the same on any machine
// that lays ints out alike, whatever its byte order.
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
  template <typename T>
  void addWords(const T& value) {
    static_assert(std::has_unique_object_representations_v<T> && sizeof(T) % 4 == 0 && alignof(T) >= 4,
                  "hashed state must be made of whole 32-bit words with no padding");
    std::uint32_t words[sizeof(T) / 4];
    std::memcpy(words, &value, sizeof(T));
    for (const std::uint32_t w : words) add(w);
  }
  std::uint64_t value() const {
    std::uint64_t z = hash_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

 private:
  std::uint64_t hash_ = 0x243F6A8885A308D3ull;
};

}  // namespace

void BattleSnapshot::take(const Session& session) {
  now = session.clock.now();
  session.clock.dueTimes(ScreenId::Battle, due);
  battle = session.battle.state;
  players[0] = session.battle.player(0).state;
  players[1] = session.battle.player(1).state;
  view = session.battleView.model();
}

void BattleSnapshot::restore(Session& session) const {
  session.clock.restoreDueTimes(ScreenId::Battle, now, due);
  session.battle.state = battle;
  session.battle.player(0).state = players[0];
  session.battle.player(1).state = players[1];
  session.battleView.restore(view);
}

std::uint64_t sharedStateHash(const Session& session, std::vector<std::int64_t>& scratch) {
  WordHash h;
  h.add64(session.clock.now());
  session.clock.dueTimes(ScreenId::Battle, scratch);
  for (const std::int64_t due : scratch) h.add64(due);
  h.addWords(session.battle.state);
  h.addWords(session.battle.player(0).state);
  h.addWords(session.battle.player(1).state);
  return h.value();
}

}  // namespace glamora::net
