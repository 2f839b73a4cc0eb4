// The rollback engine against a straight run: the same inputs, whether they
// arrive at once, late by up to the prediction window, or with every tick
// played again ten times over, give the same hash at every confirmed tick,
// the same effects once each, the same journal and the same view.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/computer_view.h"
#include "engine/net/net_journal.h"
#include "engine/net/rollback_battle.h"
#include "engine/stages.h"

namespace glamora::net {
namespace {

class EffectLog final : public Effects {
 public:
  std::vector<std::string> log;
  int tick = 0;
  void openMedia(Media m, const std::string& path) override { add(std::string(mediaName(m)) + " open " + path); }
  void media(Media m, MediaOp op) override { add(std::string(mediaName(m)) + " " + mediaOpName(op)); }
  void openDialog(Dialog d) override { add(std::string("dialog ") + dialogName(d)); }
  void showError(const Message& text) override { add("error " + text.text()); }

 private:
  void add(std::string s) { log.push_back(std::to_string(tick) + " " + s); }
};

const TickInput kNoInput{};

// Both players' inputs of every tick, and the end.
struct Script {
  std::vector<TickInput> inputs[2];
  int end = 0;
};

EditorTexts originalTexts() {
  EditorTexts texts = editorTexts(EditorValues{});
  for (int k = 0; k < kColumns * kSlots; ++k) texts[k] = std::to_string(1 + (k * 5) % 9);
  texts[kColumns * kSlots] = "2000";
  return texts;
}

// Two hard computers, with the host choosing stage 3, the original stage in
// the middle of whatever runs then, and stage 9; each player's inputs are
// taken down as the straight run makes them.
Script recordScript() {
  EffectLog effects;
  RollbackBattle b(0, effects);
  ComputerPlayer computers[2] = {ComputerPlayer(ComputerLevel::Hard, 11), ComputerPlayer(ComputerLevel::Hard, 12)};
  const std::map<int, int> stages = {{0, 3}, {400, kOriginalStage}, {900, 9}};
  Script s;
  s.end = 1500;
  for (int tick = 0;; ++tick) {
    if (const auto it = stages.find(tick); it != stages.end()) {
      EXPECT_TRUE(b.chooseStage(it->second, tick + kStageLeadTicks, originalTexts()));
    }
    TickInput remote;
    for (int p = 0; p < 2; ++p) {
      const Battle& battle = b.session().battle;
      const Key key = computers[p].tick(makeComputerView(battle.player(p).state, &battle.player(1 - p).state,
                                                         battle.state.flags, battle.state.stageNo, 0));
      if (key == Key::None) continue;
      if (p == 0) b.pressLocal(key, 10 * tick % kTickMs);
      else remote.keys[remote.keyCount++] = {key, 37 * tick % kTickMs};
    }
    b.receiveRemote({&remote, 1});
    s.inputs[0].push_back(b.input(0, tick));
    s.inputs[1].push_back(remote);
    if (tick == s.end) break;
    b.advance();
  }
  return s;
}

// The present as a battle that never rolled back shows it at `tick` when the
// other side's inputs are known up to `known`: those inputs, none after.
BattleSnapshot freshPresent(const Script& s, int tick, int known) {
  EffectLog effects;
  RollbackBattle b(0, effects);
  for (int k = 0;; ++k) {
    const TickInput& mine = s.inputs[0][k];
    if (mine.choice) b.chooseStage(mine.choice->stage, mine.choice->at, mine.choice->texts);
    for (const KeyPress& p : mine.pressed()) b.pressLocal(p.key, p.offsetMs);
    b.receiveRemote({k <= known ? &s.inputs[1][k] : &kNoInput, 1});
    if (k == tick) break;
    b.advance();
  }
  BattleSnapshot present;
  present.take(b.session());
  return present;
}

void expectSamePresent(const RollbackBattle& b, const BattleSnapshot& fresh) {
  BattleSnapshot present;
  present.take(b.session());
  EXPECT_EQ(present.now, fresh.now);
  EXPECT_TRUE(present.battle == fresh.battle);
  EXPECT_TRUE(present.players == fresh.players);
  EXPECT_TRUE(present.view == fresh.view);
}

struct Outcome {
  std::vector<std::uint64_t> hashes;  // by confirmed tick
  std::vector<std::string> effects;
  std::string journal;
  ScreenViewModel view;
  ConfirmedTally tally;
  RollbackStats stats;
};

// Plays the script with the remote inputs arriving `late` ticks after their
// own, and when `again` every tick also played again from ten ticks back.
Outcome replay(const Script& s, int late, bool again) {
  EffectLog effects;
  RollbackBattle b(0, effects);
  Outcome out;
  NetJournal journal([&](std::string_view line) { out.journal += line; });
  b.onConfirmed = [&](const ConfirmedTick& t) {
    EXPECT_EQ(t.tick, static_cast<int>(out.hashes.size()));
    out.hashes.push_back(t.hash);
    journal.tick(t);
    effects.tick = t.tick + 1;
  };
  for (int tick = 0; tick <= s.end; ++tick) {
    const TickInput& mine = s.inputs[0][tick];
    if (mine.choice) {
      EXPECT_TRUE(b.chooseStage(mine.choice->stage, mine.choice->at, mine.choice->texts));
    }
    for (const KeyPress& k : mine.pressed()) b.pressLocal(k.key, k.offsetMs);
    if (tick >= late) b.receiveRemote({&s.inputs[1][tick - late], 1});
    if (again && tick >= 10) b.rollbackTo(tick - 10);
    if (tick % 100 == 50) expectSamePresent(b, freshPresent(s, tick, tick - late));
    if (tick == s.end) {
      EXPECT_TRUE(b.endAt(tick));
    }
    EXPECT_TRUE(b.canAdvance());
    b.advance();
  }
  for (int tick = s.end - late + 1; tick <= s.end; ++tick) b.receiveRemote({&s.inputs[1][tick], 1});
  EXPECT_TRUE(b.finished());
  journal.finish(s.end);
  out.effects = effects.log;
  out.view = b.session().battleView.model();
  out.tally = b.tally();
  out.stats = b.stats();
  return out;
}

TEST(RollbackSync, LateInputsAndRepeatedRollbacksMatchTheStraightRun) {
  const Script script = recordScript();
  const Outcome straight = replay(script, 0, false);
  ASSERT_EQ(straight.hashes.size(), static_cast<std::size_t>(script.end + 1));
  EXPECT_EQ(straight.stats.rollbacks, 0);
  // The script plays whole rounds: the original stage's texts reach the journal.
  EXPECT_GE(straight.tally.rounds, 3);
  EXPECT_NE(straight.journal.find("editor psc 2000\n"), std::string::npos);
  EXPECT_NE(straight.journal.find("stage 15\n"), std::string::npos);
  EXPECT_NE(std::find(straight.effects.begin(), straight.effects.end(), "30 MediaBgm play"), straight.effects.end());

  struct Case {
    int late;
    bool again;
  };
  for (const Case c : {Case{0, true}, Case{1, false}, Case{4, false}, Case{9, false}, Case{9, true}}) {
    SCOPED_TRACE("late " + std::to_string(c.late) + (c.again ? ", every tick played again" : ""));
    const Outcome o = replay(script, c.late, c.again);
    EXPECT_EQ(o.hashes, straight.hashes);
    EXPECT_EQ(o.effects, straight.effects);
    EXPECT_EQ(o.journal, straight.journal);
    EXPECT_TRUE(o.view == straight.view);
    EXPECT_EQ(o.tally.rounds, straight.tally.rounds);
    EXPECT_EQ(o.tally.wins, straight.tally.wins);
    EXPECT_EQ(o.tally.draws, straight.tally.draws);
    EXPECT_EQ(o.stats.maxRollbackTicks, c.again ? 10 : c.late);
  }
}

}  // namespace
}  // namespace glamora::net
