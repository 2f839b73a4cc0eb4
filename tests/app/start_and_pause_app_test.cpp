// A new player's first rounds through the whole program: the hint, the 3-2-1
// count, a pause that holds the real-time clock, playing again from the result
// dialog; the session's journal replays to the same state.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "../engine/test_support.h"
#include "app/clock_driver.h"
#include "app/glamora_app.h"
#include "assets/media/silent_output.h"
#include "engine/journal.h"
#include "engine/replay.h"
#include "recorded_game.h"

namespace glamora {
namespace {

struct StartAndPauseAppTest : test::RecordedGame {};

TEST_F(StartAndPauseAppTest, HintCountPausePlayAgainAndTheSessionReplays) {
  std::int64_t realMs = 500;
  ClockDriver driver(app->clock(), nullptr, [&] { return realMs; });
  driver.start();

  app->openBattle();
  BattleScreen& battle = app->battle();
  auto* cover = battle.findChild<BoardCover*>("coverA");
  EXPECT_EQ(cover->look(), BoardCover::Look::Hint);
  battle.menus().stages[1]->trigger();
  EXPECT_EQ(cover->look(), BoardCover::Look::Count);
  wait(GameScreen::kCountMs);
  EXPECT_EQ(app->session().roundsStarted(), 1);
  QTest::keyClicks(&battle, "ds");

  // The pause holds the real-time clock and the music; the round goes on after it.
  const std::int64_t pausedAt = app->clock().now();
  realMs = pausedAt;
  QTest::keyClick(&battle, Qt::Key_P);
  EXPECT_TRUE(driver.held());
  EXPECT_TRUE(media.player(Media::Bgm).playing());
  realMs += 60'000;
  driver.catchUp(realMs);
  EXPECT_EQ(app->clock().now(), pausedAt);
  QTest::keyClick(&battle, Qt::Key_P);
  EXPECT_FALSE(driver.held());
  realMs += 1'000;
  driver.catchUp(realMs);
  EXPECT_EQ(app->clock().now(), pausedAt + 1'000);

  // Lost on time; もう一度 counts the same stage in again.
  wait(20'000);
  ASSERT_EQ(results.size(), 1u);
  QWidget* dialog = QApplication::activeModalWidget();
  ASSERT_TRUE(dialog);
  dialog->findChild<QPushButton*>("again1")->click();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(battle.counting());
  wait(GameScreen::kCountMs);
  EXPECT_EQ(app->session().roundsStarted(), 2);
  EXPECT_EQ(app->session().currentRound().stage, 2);
  QTest::keyClicks(&battle, "a5");
  wait(15'000);
  ASSERT_EQ(results.size(), 2u);
  QApplication::activeModalWidget()->close();
  battle.close();
  writer.finish(app->clock().now());

  EXPECT_EQ(test::replayToTheSameState(sink.text, app->session()), results);
}

}  // namespace
}  // namespace glamora
