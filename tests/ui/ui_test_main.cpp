// The main of the Qt test programs: they run without a display (unless one is
// asked for), with the Japanese font the screens name. A program built with
// GLAMORA_TWO_SCREENS gets two offscreen screens side by side instead: ratio 1
// on the left, 2 on the right.
#include <QApplication>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include "screens/form_kit.h"

#ifdef GLAMORA_TWO_SCREENS
namespace {

// The offscreen platform with two screens of different pixel ratios, from a
// configuration file that lives as long as the program.
bool useTwoScreens(QTemporaryFile& config) {
  if (!config.open()) return false;
  config.write(R"({"screens": [
    {"name": "one", "x": 0, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
    {"name": "two", "x": 1024, "y": 0, "width": 1024, "height": 768, "logicalDpi": 192, "logicalBaseDpi": 96, "dpr": 1}
  ]})");
  config.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
  return true;
}

}  // namespace
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QTemporaryFile config;
#ifdef GLAMORA_TWO_SCREENS
  if (!useTwoScreens(config)) return 1;
#else
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  QApplication app(argc, argv);
  glamora::installFontSubstitutions();
  return RUN_ALL_TESTS();
}
