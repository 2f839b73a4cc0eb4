// Only the display sizes whose windows fit on the screen are offered, and a
// kept size that does not fit is drawn at the largest that does.
#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/display_size.h"
#include "app/glamora_app.h"
#include "assets/media/silent_output.h"
#include "settings/settings_keeper.h"

namespace glamora {
namespace {

using enum DisplaySize;

TEST(DisplaySizesTest, ASizeFitsWhenItsLargestWindowDoesAndOtherwiseTheLargestSmallerOneIsTaken) {
  const struct {
    QSize available;
    std::vector<DisplaySize> offered;
    DisplaySize keptDouble;  // what a kept 2倍 is drawn at
  } cases[] = {
      {{1280, 1024}, {Single, OneAndHalf, FullScreen}, OneAndHalf},  // 2倍 is 1314 wide
      {{1314, 866}, {Single, OneAndHalf, Double, FullScreen}, Double},
      {{1313, 866}, {Single, OneAndHalf, FullScreen}, OneAndHalf},
      {{1920, 865}, {Single, OneAndHalf, FullScreen}, OneAndHalf},
      {{800, 600}, {Single, FullScreen}, Single},
      {{320, 200}, {Single, FullScreen}, Single},              // 1倍 is the least there is
      {{}, {Single, OneAndHalf, Double, FullScreen}, Double},  // unknown: all
  };
  for (const auto& c : cases) {
    std::vector<DisplaySize> offered;
    for (const DisplaySize size : kDisplaySizes) {
      if (displaySizeFits(size, c.available)) offered.push_back(size);
    }
    EXPECT_EQ(offered, c.offered) << c.available.width() << "x" << c.available.height();
    EXPECT_EQ(displaySizeThatFits(Double, c.available), c.keptDouble) << c.available.width();
    EXPECT_EQ(displaySizeThatFits(FullScreen, c.available), FullScreen);
    EXPECT_EQ(displaySizeThatFits(Single, c.available), Single);
  }
}

TEST(DisplaySizesTest, TheMenuOffersWhatFitsTheScreenMeasuredAndChecksTheSizeDrawnAt) {
  QTemporaryDir home;
  const QString path = home.filePath("glamora.ini");
  KeptSettings kept;
  kept.displaySize = Double;
  ASSERT_TRUE(writeSettingsFile(path, kept));
  readSettingsAtStart(path);
  std::unique_ptr<GlamoraApp> app;
  media::MediaLibrary media{std::make_unique<media::SilentOutput>([&app] { return app ? app->clock().now() : 0; })};
  app = std::make_unique<GlamoraApp>(media, filesInDirectory(GLAMORA_DATA_DIR));
  QSize screen(1280, 1024);
  app->measureScreenWith([&screen] { return screen; });
  app->title().show();
  app->clock().advance(500);
  const auto shown = [&app](const char* name) {
    QAction* item = app->battle().findChild<QAction*>(name);
    EXPECT_TRUE(item) << name;
    return item && item->isVisible() ? (item->isChecked() ? 2 : 1) : 0;  // 0 hidden, 1 offered, 2 checked
  };
  EXPECT_EQ(shown("size1"), 1);
  EXPECT_EQ(shown("size15"), 2);
  EXPECT_EQ(shown("size2"), 0);
  EXPECT_EQ(shown("sizefull"), 1);

  // On a larger screen the kept size is offered and checked again when the menu opens.
  screen = QSize(1920, 1080);
  QMenu* sizes = qobject_cast<QMenu*>(app->battle().findChild<QAction*>("size2")->parent());
  ASSERT_TRUE(sizes);
  emit sizes->aboutToShow();
  EXPECT_EQ(shown("size15"), 1);
  EXPECT_EQ(shown("size2"), 2);
  app.reset();
  readSettingsAtStart({});
}

}  // namespace
}  // namespace glamora
