// What the session's engines send to their screens' views while no stage has
// been chosen: the game builds a screen when it first opens, so a screen
// built late must have missed nothing.
#include <gtest/gtest.h>

#include "engine/session.h"
#include "test_support.h"

namespace glamora {
namespace {

class CountingView final : public ViewWatcher {
 public:
  int calls = 0;
  void viewChanged(const ViewChange&) override { ++calls; }
};

TEST(SessionViews, TasksShowNothingUntilAStageIsChosenOnTheirEngine) {
  test::RecordingEffects effects;
  Session session(effects);
  CountingView battle;
  CountingView training;
  session.battleView.watch(&battle);
  session.trainingView.watch(&training);
  // The markers' 500 ms tasks, the supply, countdown and pause-sign tasks all
  // run from t = 0 on both engines.
  session.clock.advance(60'000);
  EXPECT_EQ(battle.calls, 0);
  EXPECT_EQ(training.calls, 0);

  session.stage(Mode::Battle, 1);
  session.clock.advance(1'000);
  EXPECT_GT(battle.calls, 0);
  EXPECT_EQ(training.calls, 0);
}

}  // namespace
}  // namespace glamora
