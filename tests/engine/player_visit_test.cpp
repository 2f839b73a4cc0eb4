// visit() walks every member of a player's state once: changing any one of
// them changes the network battle's tick hash (which the rules signature
// takes the same way), and glamora-sim's dump unless the dump leaves it out.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/net/battle_snapshot.h"
#include "engine/session.h"
#include "player_json.h"

namespace glamora {
namespace {

struct Change {
  const char* member;
  std::function<void(PlayerState&)> apply;
  bool dumped;
};

// In visit() order; each changes the last cell of an array, where a walk cut short would miss it.
const Change kChanges[] = {
    {"board", [](PlayerState& s) { s.board(kColumns, kRows) = Code::MirrorLeft; }, true},
    {"nextRow", [](PlayerState& s) { s.nextRow[kColumns] = 4; }, true},
    {"supply", [](PlayerState& s) { s.supply(kColumns, kSlots) = Code::CombUp; }, true},
    {"stageSupply", [](PlayerState& s) { s.stageSupply(kColumns, kSlots) = Code::CombUp; }, false},
    {"supplyPos", [](PlayerState& s) { s.supplyPos[kColumns] = 5; }, true},
    {"supplyFront", [](PlayerState& s) { s.supplyFront[kColumns] = Code::UsedUp; }, true},
    {"refillReversed", [](PlayerState& s) { s.refillReversed = !s.refillReversed; }, true},
    {"phase", [](PlayerState& s) { s.phase = Phase::Where; }, true},
    {"held", [](PlayerState& s) { s.held = Code::RougeLeft; }, true},
    {"pickCol", [](PlayerState& s) { s.pickCol = 6; }, false},
    {"dropCol", [](PlayerState& s) { s.dropCol = 6; }, false},
    {"dropRow", [](PlayerState& s) { s.dropRow = 9; }, false},
    {"whatTime", [](PlayerState& s) { s.whatTime = 7; }, true},
    {"whereTime", [](PlayerState& s) { s.whereTime = 7; }, true},
    {"whatRun", [](PlayerState& s) { s.whatRun = !s.whatRun; }, true},
    {"whereRun", [](PlayerState& s) { s.whereRun = !s.whereRun; }, true},
    {"toWhat", [](PlayerState& s) { s.toWhat = !s.toWhat; }, true},
    {"toWhere", [](PlayerState& s) { s.toWhere = !s.toWhere; }, true},
    {"lost", [](PlayerState& s) { s.lost = !s.lost; }, false},
    {"points", [](PlayerState& s) { s.points += 150; }, true},
    {"wins", [](PlayerState& s) { s.wins += 1; }, true},
    {"arrowCol", [](PlayerState& s) { s.arrowCol = 6; }, true},
    {"carryCol", [](PlayerState& s) { s.carryCol = 6; }, true},
    {"mirrorsDue", [](PlayerState& s) { s.mirrorsDue[kColumns] = 2; }, true},
};

TEST(PlayerStateVisit, EveryMemberReachesTheTickHashAndTheDump) {
  std::vector<std::string> visited, listed;
  const PlayerState blank;
  visit(blank, [&](const char* name, const auto&) { visited.push_back(name); });
  for (const Change& c : kChanges) listed.push_back(c.member);
  ASSERT_EQ(visited, listed);

  SilentEffects effects;
  Session session(effects);
  session.stage(Mode::Battle, 1);
  std::vector<std::int64_t> scratch;
  PlayerState& player = session.battle.player(0).state;
  const PlayerState before = player;
  const std::uint64_t hash = net::sharedStateHash(session, scratch);
  const std::string dump = sim::playerJson(before, true);
  for (const Change& c : kChanges) {
    c.apply(player);
    ASSERT_NE(player, before) << c.member << ": the change changes nothing";
    EXPECT_NE(net::sharedStateHash(session, scratch), hash) << c.member;
    EXPECT_EQ(sim::playerJson(player, true) != dump, c.dumped) << c.member;
    player = before;
  }
}

}  // namespace
}  // namespace glamora
