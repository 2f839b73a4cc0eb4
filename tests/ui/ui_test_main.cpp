// The main of the Qt test programs: they run without a display (unless one is
// asked for), with the Japanese font the screens name.
#include <QApplication>

#include <gtest/gtest.h>

#include "screens/form_kit.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  glamora::installFontSubstitutions();
  return RUN_ALL_TESTS();
}
