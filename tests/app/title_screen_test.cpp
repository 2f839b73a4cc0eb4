// The title screen on its own: its labels and its buttons, pressed with the
// mouse or through their Alt+letter mnemonics.
#include "app/title_screen.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace glamora {
namespace {

struct TitleScreenTest : ::testing::Test {
  PictureLibrary pictures;
  SimClock clock;
  int training = 0;
  int battle = 0;
  TitleScreen title{pictures, clock, {[] { return true; }, [this] { ++training; }, [this] { ++battle; }}};

  TitleScreenTest() {
    title.show();
    clock.advance(500);  // the start-up step enables the buttons
    title.activateWindow();
    QApplication::setActiveWindow(&title);
  }
  QLabel* label(const char* name) { return title.findChild<QLabel*>(name); }
};

TEST_F(TitleScreenTest, OnlyTheCharacterNamesAreBold) {
  EXPECT_TRUE(label("Label2")->font().bold());
  EXPECT_TRUE(label("Label3")->font().bold());
  EXPECT_FALSE(label("Label1")->font().bold());  // the credits line
  EXPECT_EQ(label("Label1")->font().pixelSize(), 27);
}

TEST_F(TitleScreenTest, MnemonicsOpenTheGameScreensAtOnce) {
  // No event loop runs between the key and the checks: a click animated on
  // a timer would not have fired yet.
  QTest::keyClick(&title, Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(training, 1);
  EXPECT_EQ(battle, 0);
  QTest::keyClick(&title, Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(battle, 1);
  EXPECT_EQ(training, 1);

  QTest::mouseClick(title.findChild<QPushButton*>("one1"), Qt::LeftButton);
  EXPECT_EQ(training, 2);
}

TEST_F(TitleScreenTest, MnemonicsDoNothingBeforeTheStartupStep) {
  PictureLibrary library;
  SimClock idle;
  int opened = 0;
  TitleScreen early{library, idle, {[] { return true; }, [&] { ++opened; }, [&] { ++opened; }}};
  early.show();
  early.activateWindow();
  QApplication::setActiveWindow(&early);
  QTest::keyClick(&early, Qt::Key_O, Qt::AltModifier);
  QTest::keyClick(&early, Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(opened, 0);
}

}  // namespace
}  // namespace glamora
