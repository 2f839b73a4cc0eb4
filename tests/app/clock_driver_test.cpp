// The real-time driver of the simulated clock: 100 ms steps, catching up after
// a block, and sleeping from half-second mark to half-second mark while the
// game rests on its title.
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "app/clock_driver.h"
#include "modes/clock_hold.h"

namespace glamora {
namespace {

TEST(ClockDriverTest, CatchesUpInStepsOfAHundredAtMostTwoSeconds) {
  SimClock clock;
  int ticks = 0;
  clock.add({TaskOwner::Battle, 100, [&] { ++ticks; }});
  ClockDriver driver(clock);
  driver.catchUp(99);  // a tick a little early still counts
  EXPECT_EQ(clock.now(), 100);
  driver.catchUp(130);
  EXPECT_EQ(clock.now(), 100);
  driver.catchUp(5'000);  // the loop was blocked: 2 s now, the rest let go
  EXPECT_EQ(clock.now(), 2'100);
  EXPECT_EQ(ticks, 21);
  driver.catchUp(5'100);
  EXPECT_EQ(clock.now(), 2'200);
  EXPECT_EQ(driver.msToNextWake(5'130), 70);  // the next step, in real time
}

TEST(ClockDriverTest, WhileRestingWakesOnlyAtHalfSecondMarksAndStillStepsByAHundred) {
  SimClock clock;
  std::vector<std::int64_t> fired;
  clock.add({TaskOwner::Battle, 100, [&] { fired.push_back(clock.now()); }});
  bool resting = true;
  ClockDriver driver(clock);
  driver.setResting([&] { return resting; });

  EXPECT_EQ(driver.msToNextWake(0), 500);
  EXPECT_EQ(driver.msToNextWake(120), 380);
  driver.catchUp(500);
  EXPECT_EQ(fired, (std::vector<std::int64_t>{100, 200, 300, 400, 500}));
  EXPECT_EQ(driver.msToNextWake(510), 490);

  resting = false;  // a game screen opened
  EXPECT_EQ(driver.msToNextWake(510), 90);
}

TEST(ClockDriverTest, APersonsInputWhileRestingFindsTheClockWhereAHundredMsTickWouldHave) {
  SimClock clock;
  int ticks = 0;
  clock.add({TaskOwner::Battle, 100, [&] { ++ticks; }});
  std::int64_t realMs = 0;
  bool resting = true;
  ClockDriver driver(clock, nullptr, [&] { return realMs; });
  driver.setResting([&] { return resting; });
  driver.start();
  QWidget window;

  realMs = 1'290;  // whole steps only, never ahead of real time
  QTest::keyClick(&window, Qt::Key_A);
  EXPECT_EQ(clock.now(), 1'200);
  EXPECT_EQ(ticks, 12);
  QTest::mouseClick(&window, Qt::LeftButton);
  EXPECT_EQ(clock.now(), 1'200);

  // While a game screen is on view the 100 ms timer keeps the clock; input
  // does not move it.
  resting = false;
  QCoreApplication::processEvents();  // the timer is set again after the input
  realMs = 1'480;
  QTest::keyClick(&window, Qt::Key_A);
  EXPECT_EQ(clock.now(), 1'200);
}

TEST(ClockDriverTest, AHeldClockStandsAndTheRealTimeHeldIsLetGo) {
  SimClock clock;
  std::int64_t realMs = 0;
  ClockDriver driver(clock, nullptr, [&] { return realMs; });
  driver.start();
  QWidget screen;

  realMs = 1'000;
  driver.catchUp(realMs);
  ClockHoldEvent hold(true);  // a game screen pauses
  QCoreApplication::sendEvent(&screen, &hold);
  EXPECT_TRUE(driver.held());
  realMs = 61'000;
  driver.catchUp(realMs);
  QTest::keyClick(&screen, Qt::Key_A);
  EXPECT_EQ(clock.now(), 1'000);

  ClockHoldEvent release(false);
  QCoreApplication::sendEvent(&screen, &release);
  EXPECT_FALSE(driver.held());
  EXPECT_EQ(driver.msToNextWake(realMs), 100);
  realMs = 61'300;
  driver.catchUp(realMs);
  EXPECT_EQ(clock.now(), 1'300);
}

}  // namespace
}  // namespace glamora
