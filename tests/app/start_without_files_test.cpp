// Started where none of its files are, the game says where it looked and how
// to start it, keeps its game modes closed and can be ended at once: from the
// error box or from the title.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/data_directory.h"
#include "app/glamora_app.h"
#include "assets/media/silent_output.h"

namespace glamora {
namespace {

namespace fs = std::filesystem;

struct StartWithoutFilesTest : ::testing::Test {
  QTemporaryDir root;
  fs::path working = fs::path(root.path().toStdString()) / "empty";
  fs::path checkout = fs::path(root.path().toStdString()) / "checkout" / "data";
  fs::path installed = fs::path(root.path().toStdString()) / "share" / "glamora";
  std::unique_ptr<GlamoraApp> app;
  media::MediaLibrary media{std::make_unique<media::SilentOutput>([this] { return app ? app->clock().now() : 0; })};

  QMessageBox* startGame() {
    for (const fs::path& place : {working, checkout, installed}) fs::create_directories(place);
    const std::vector<fs::path> places = dataPlaces(working, checkout, installed);
    app = std::make_unique<GlamoraApp>(media, firstPlaceHolding(places));
    app->setDataPlaces(places);
    app->title().show();
    app->clock().advance(500);  // the start-up step
    return app->title().findChild<QMessageBox*>("startupProblem");
  }
  QPushButton* button(const char* name) { return app->title().findChild<QPushButton*>(name); }
};

TEST_F(StartWithoutFilesTest, TheBoxSaysWhereItLookedAndHowToStartAndItsEndEndsTheGame) {
  QMessageBox* box = startGame();
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->text().toStdString(), "ファイルが見つかりません: " + (working / kMusicFile).string() + ".");
  const QString advice = box->informativeText();
  for (const fs::path& place : {working, checkout, installed}) {
    EXPECT_TRUE(advice.contains(QString::fromStdString(place.string()))) << advice.toStdString();
  }
  EXPECT_TRUE(advice.contains("make run")) << advice.toStdString();
  EXPECT_FALSE(button("one1")->isEnabled());
  EXPECT_FALSE(button("two1")->isEnabled());

  app->clock().advance(2000);  // later attempts fail the same way, quietly
  EXPECT_EQ(app->title().findChildren<QMessageBox*>("startupProblem").size(), 1);
  auto* quit = box->findChild<QPushButton*>("startupQuit");
  ASSERT_TRUE(quit);
  EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
  quit->click();
  QApplication::processEvents();
  EXPECT_FALSE(app->title().isVisible());
}

TEST_F(StartWithoutFilesTest, OnceTheBoxIsClosedTheTitlesEndEndsTheGame) {
  QMessageBox* box = startGame();
  ASSERT_TRUE(box);
  box->button(QMessageBox::Ok)->click();
  QApplication::processEvents();
  EXPECT_TRUE(app->title().isVisible());
  EXPECT_TRUE(button("end1")->isEnabled());
  app->title().activateWindow();
  QApplication::setActiveWindow(&app->title());
  QTest::keyClick(&app->title(), Qt::Key_X, Qt::AltModifier);
  EXPECT_FALSE(app->title().isVisible());
}

}  // namespace
}  // namespace glamora
