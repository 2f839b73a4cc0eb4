// Session::wait moves over idle stretches at once; what a script sees must be
// exactly what firing every task would have shown.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/computer_level.h"
#include "engine/session.h"

namespace glamora {
namespace {

// Media operations, dialogs and error boxes with the time they were asked for.
class TimedEffects final : public Effects {
 public:
  const SimClock* clock = nullptr;
  std::vector<std::string> log;
  void openMedia(Media m, const std::string& path) override { note(std::string(mediaName(m)) + " open " + path); }
  void media(Media m, MediaOp op) override { note(std::string(mediaName(m)) + " " + mediaOpName(op)); }
  void openDialog(Dialog d) override { note(dialogName(d)); }
  void showError(const Message& text) override { note("error " + text.text()); }

 private:
  void note(const std::string& what) { log.push_back(std::to_string(clock->now()) + " " + what); }
};

struct TimedSession {
  TimedEffects effects;
  Session session{effects};
  TimedSession() { effects.clock = &session.clock; }
};

void expectSameState(const Session& a, const Session& b, const std::string& where) {
  EXPECT_EQ(a.clock.now(), b.clock.now()) << where;
  EXPECT_TRUE(a.battle.state == b.battle.state) << where;
  for (int p = 0; p < 2; ++p) {
    EXPECT_TRUE(a.battle.player(p).state == b.battle.player(p).state) << where << ", battle player " << p + 1;
    const ComputerPlayer* ca = a.battle.computer(p);
    const ComputerPlayer* cb = b.battle.computer(p);
    EXPECT_TRUE(ca ? cb && *ca == *cb : !cb) << where << ", battle computer " << p + 1;
  }
  EXPECT_TRUE(a.training.state == b.training.state) << where;
  EXPECT_TRUE(a.training.player().state == b.training.player().state) << where;
  const ComputerPlayer* ta = a.training.computer();
  const ComputerPlayer* tb = b.training.computer();
  EXPECT_TRUE(ta ? tb && *ta == *tb : !tb) << where << ", training computer";
}

// Random scripts of stages, keys, computer players, switches, leaving and
// waits of up to three minutes, played once through Session::wait and once
// firing every task: the effects, their times and every state agree after
// each step.
TEST(LongWait, SkippingIdleStretchesChangesNothingAScriptCanSee) {
  const std::optional<ComputerLevel> levels[] = {std::nullopt, ComputerLevel::Easy, ComputerLevel::Normal,
                                                 ComputerLevel::Hard};
  int skipsPossible = 0;
  for (std::uint64_t seed = 1; seed <= 30; ++seed) {
    ComputerRandom random(seed);
    TimedSession fast, slow;
    for (int step = 0; step < 50; ++step) {
      const Mode mode = random.below(3) == 0 ? Mode::Training : Mode::Battle;
      const int what = random.below(10);
      std::string done;
      if (what <= 3) {
        const std::int64_t ms = random.below(3) == 0 ? 6000 + random.below(180'000) : random.below(2500);
        skipsPossible += ms >= 6000;
        fast.session.wait(ms);
        slow.session.clock.advance(ms);
        done = "wait " + std::to_string(ms);
      } else {
        const auto both = [&](auto&& input) {
          input(fast.session);
          input(slow.session);
        };
        if (what == 4) {
          const int n = 1 + random.below(15);
          both([&](Session& s) { s.stage(mode, n); });
          done = "stage " + std::to_string(n);
        } else if (what == 5) {
          const int p = mode == Mode::Battle ? random.below(2) : 0;
          const auto level = levels[random.below(4)];
          both([&](Session& s) { s.computer(mode, p, level, seed); });
          done = "cpu";
        } else if (what == 6) {
          const bool on = random.below(2) == 0;
          const bool music = random.below(2) == 0;
          both([&](Session& s) { music ? s.music(mode, on) : s.voices(mode, on); });
          done = "switch";
        } else if (what == 7) {
          both([&](Session& s) { s.leave(mode); });
          done = "title";
        } else {
          const char keys[] = "asd456";
          const char key = keys[random.below(6)];
          both([&](Session& s) { s.key(mode, static_cast<unsigned char>(key)); });
          done = std::string("key ") + key;
        }
      }
      const std::string where = "seed " + std::to_string(seed) + ", step " + std::to_string(step) + " (" + done + ")";
      ASSERT_EQ(fast.effects.log, slow.effects.log) << where;
      expectSameState(fast.session, slow.session, where);
      if (HasFailure()) return;
    }
  }
  EXPECT_GT(skipsPossible, 50);
}

// A game left open over a weekend, or a crafted script, waits for longer than
// any task could be fired one by one; the clock stops at its largest time.
TEST(LongWait, WaitsOfYearsAfterARoundTakeNoTimeAndLeaveTheGamePlayable) {
  TimedSession run;
  Session& s = run.session;
  s.computer(Mode::Battle, 0, ComputerLevel::Hard, 3);
  s.computer(Mode::Battle, 1, ComputerLevel::Easy, 4);
  s.computer(Mode::Training, 0, ComputerLevel::Normal, 5);
  s.stage(Mode::Battle, 2);
  s.wait(600'000);  // the round ends within ten minutes
  ASSERT_FALSE(s.battle.state.flags.roundActive);
  const BattleState ended = s.battle.state;
  const std::size_t effects = run.effects.log.size();

  constexpr std::int64_t kYears = 999'999'999'999'999;
  s.wait(kYears);
  EXPECT_EQ(s.clock.now(), 600'000 + kYears);
  EXPECT_TRUE(s.battle.state == ended);
  EXPECT_EQ(run.effects.log.size(), effects);

  // A round still starts, and a long wait plays it to its end first.
  s.stage(Mode::Battle, 3);
  s.stage(Mode::Training, 1);
  s.wait(kYears);
  EXPECT_EQ(s.clock.now(), 600'000 + 2 * kYears);
  EXPECT_FALSE(s.battle.state.flags.roundActive);
  EXPECT_EQ(s.battle.player(0).state.wins + s.battle.player(1).state.wins, 2);
  EXPECT_FALSE(s.training.state.flags.roundActive);

  s.wait(std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(s.clock.now(), SimClock::kLatestTime);
}

}  // namespace
}  // namespace glamora
