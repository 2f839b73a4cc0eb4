// The network battle a window shows, through its public calls only: two
// sides over the simulated link, each with its own game session, played by
// the computer. The count, the next round waiting for the joiner's result,
// the local music rule, leaving, and the kept journals.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/net/net_battle.h"
#include "engine/net/simulated_link.h"
#include "engine/net/simulated_match.h"

namespace glamora::net {
namespace {

struct Side final : NetBattleWindow, PeerLink, Effects {
  Side(SimulatedLink& link, const std::int64_t& nowUs, bool host)
      : link_(link),
        nowUs_(nowUs),
        side_(host ? 0 : 1),
        battle(
            {host,
             77,
             100'000,
             host ? "elna-pc" : "mirabe-pc",
             "127.0.0.1:47291",
             "2027-01-15T08:00:00+09:00",
             "kept.session",
             [this](std::string_view l) { journal += l; },
             {}},
            local, *this, *this, [&nowUs] { return nowUs; }, *this) {}

  // PeerLink
  void sendUnsequenced(std::span<const std::uint8_t> p) override { link_.send(side_, p, false, nowUs_); }
  void sendReliable(std::span<const std::uint8_t> p) override { link_.send(side_, p, true, nowUs_); }
  // Effects
  void openMedia(Media, const std::string&) override {}
  void media(Media m, MediaOp op) override {
    if (m == Media::Bgm) music.push_back(op);
  }
  void openDialog(Dialog) override {}
  void showError(const Message&) override {}
  // NetBattleWindow
  void battleChanged() override {}
  void resultOpened(Dialog) override { ++results; }
  void closeResults() override { ++closed; }
  void leftScreen() override { left = true; }

  SimulatedLink& link_;
  const std::int64_t& nowUs_;
  int side_;
  SilentEffects silent;
  Session local{silent};
  std::string journal;
  std::vector<MediaOp> music;
  int results = 0, closed = 0;
  bool left = false;
  NetBattle battle;
};

struct NetBattleRig : ::testing::Test {
  std::int64_t nowUs = 0;
  SimulatedLink link{LinkConditions{40, 10, 2, 2}, 5};
  Side host{link, nowUs, true}, joiner{link, nowUs, false};

  // Both sides on the screen, each played by the computer.
  void startBoth() {
    host.battle.start();
    joiner.battle.start();
    host.battle.side(0, ComputerLevel::Hard);
    joiner.battle.side(1, ComputerLevel::Hard);
  }

  bool runUntil(const std::function<bool()>& done, std::int64_t limitUs = 60 * 60'000'000LL) {
    const std::int64_t until = nowUs + limitUs;
    while (!done()) {
      std::int64_t next = link.nextDueUs().value_or(until);
      for (Side* s : {&host, &joiner}) {
        if (!s->battle.over()) next = std::min(next, s->battle.nextWakeUs());
      }
      if (next > until) return false;
      nowUs = std::max(nowUs, next);
      while (std::optional<Delivery> d = link.take(nowUs)) (d->to == 0 ? host : joiner).battle.receive(d->bytes);
      host.battle.update();
      joiner.battle.update();
    }
    return true;
  }
};

TEST_F(NetBattleRig, RoundsCountInWaitForTheJoinersResultAndEndWithTheSameJournal) {
  startBoth();
  joiner.battle.side(0, ComputerLevel::Easy);  // not this machine's side: ignored
  EXPECT_EQ(joiner.battle.menus().ownSide, 1);
  EXPECT_FALSE(joiner.battle.menus().choosesStages);
  EXPECT_FALSE(joiner.battle.computerLevel() == ComputerLevel::Easy);

  joiner.battle.stage(4);  // only the host chooses
  EXPECT_FALSE(joiner.battle.count().running());
  host.battle.stage(2);
  EXPECT_EQ(host.battle.count().stage(), 2);
  EXPECT_EQ(host.battle.count().number(), 3);
  ASSERT_TRUE(runUntil([&] { return joiner.battle.count().running(); }, 1'000'000));
  ASSERT_TRUE(runUntil([&] { return host.results == 1 && joiner.results == 1; }));

  // The host has read its result and asks for the same stage again: the
  // choice waits until the joiner has closed its result too.
  host.battle.resultClosed();
  host.battle.again();
  ASSERT_FALSE(runUntil([&] { return host.battle.count().running(); }, 5'000'000));
  EXPECT_TRUE(host.battle.waitsForPeersResult());
  joiner.battle.resultClosed();
  ASSERT_TRUE(runUntil([&] { return host.battle.count().stage() == 2; }, 1'000'000));
  ASSERT_TRUE(runUntil([&] { return joiner.battle.count().stage() == 2; }, 1'000'000));

  host.battle.quit();
  EXPECT_TRUE(host.left);
  EXPECT_FALSE(host.battle.onScreen());
  ASSERT_TRUE(runUntil([&] { return host.battle.over() && joiner.battle.over(); }, 5'000'000));
  EXPECT_TRUE(host.battle.quitHere());
  EXPECT_TRUE(joiner.battle.finished());
  EXPECT_TRUE(joiner.left);
  EXPECT_EQ(joiner.battle.peerName(), "elna-pc");
  EXPECT_EQ(withoutComments(host.journal), withoutComments(joiner.journal));
  EXPECT_NE(host.journal.find("# round 1: battle stage 2"), std::string::npos);
}

TEST_F(NetBattleRig, TheMusicFollowsThisMachinesSwitchByTheLocalRule) {
  startBoth();
  host.battle.stage(1);
  ASSERT_TRUE(runUntil([&] { return !host.music.empty(); }, 10'000'000));
  EXPECT_EQ(host.music, (std::vector{MediaOp::Rewind, MediaOp::Play}));
  const struct {
    bool on, wasOff;
    std::vector<MediaOp> heard;
  } cases[] = {
      {false, false, {MediaOp::Rewind, MediaOp::Stop}},
      {false, true, {}},
      {true, true, {MediaOp::Rewind, MediaOp::Play}},
      {true, false, {}},
  };
  for (const auto& c : cases) {
    host.music.clear();
    host.battle.musicSwitched(c.on, c.wasOff);
    EXPECT_EQ(host.music, c.heard) << c.on << c.wasOff;
  }
  // With this machine's music off, the battle's piece is not heard.
  host.local.music(Mode::Battle, false);
  host.music.clear();
  host.battle.quit();
  EXPECT_TRUE(host.music.empty());
}

// A machine that stood still (stopped, asleep) longer than the other side
// waits says that it was stopped, not that the other side went silent.
TEST_F(NetBattleRig, ASideThatStoodStillSaysSoItself) {
  host.battle.start();
  joiner.battle.start();
  ASSERT_TRUE(runUntil([&] { return host.battle.peer().battle().now() > 20; }, 5'000'000));
  nowUs += 6'000'000;
  host.battle.update();
  ASSERT_TRUE(host.battle.over());
  EXPECT_EQ(host.battle.peer().error(), "this machine was stopped for 6 s");
}

}  // namespace
}  // namespace glamora::net
