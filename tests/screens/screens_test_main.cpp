// Widgets need a QApplication; the tests run without a display.
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
