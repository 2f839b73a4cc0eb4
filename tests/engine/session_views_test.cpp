// What the session's engines send to their screens' views while no stage has
// been chosen: the game builds a screen when it first opens, so a screen
// built late must have missed nothing.
#include <gtest/gtest.h>

#include "engine/session.h"
#include "test_support.h"

namespace glamora {
namespace {

class CountingView final : public ScreenView {
 public:
  int calls = 0;
  void redrawBoard(int, const Board&) override { ++calls; }
  void showCarried(int, Picture) override { ++calls; }
  void showMarker(int, int, Picture) override { ++calls; }
  void moveArrow(int, int) override { ++calls; }
  void moveCarried(int, int) override { ++calls; }
  void setCaption(Label, std::string_view) override { ++calls; }
  void setColour(Label, Colour) override { ++calls; }
  void setPause(PauseSign, bool) override { ++calls; }
  void menuChanged() override { ++calls; }
  void characterChanged(Character) override { ++calls; }
};

TEST(SessionViews, TasksShowNothingUntilAStageIsChosenOnTheirEngine) {
  test::RecordingEffects effects;
  Session session(effects);
  CountingView battle;
  CountingView training;
  session.battleView.attach(&battle);
  session.trainingView.attach(&training);
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
