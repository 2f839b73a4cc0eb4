// Every text of the ten screens is drawn in the Japanese font, has a glyph
// for each character and fits its label and the client area.
#include <QFontInfo>
#include <QFontMetrics>

#include <vector>

#include "screen_testing.h"
#include "screens/help_screens.h"
#include "screens/result_dialogs.h"

namespace glamora {
namespace {

using screen_test::library;

class LayoutTest : public ::testing::Test {
 protected:
  std::vector<QWidget*> all() {
    std::vector<QWidget*> screens;
    for (int i = 0; i < kHelpScreenCount; ++i) screens.push_back(&help.screen(static_cast<HelpScreen>(i)));
    for (Dialog d : {Dialog::PlayerOneWins, Dialog::PlayerTwoWins, Dialog::TrainingWon, Dialog::TrainingLost})
      screens.push_back(&results.dialog(d));
    return screens;
  }

  HelpScreens help{library()};
  ResultDialogs results{library()};
};

TEST_F(LayoutTest, TextsUseTheJapaneseFontAndHaveEveryGlyph) {
  for (QWidget* screen : all()) {
    for (QLabel* label : screen->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      SCOPED_TRACE(qPrintable(screen->objectName() + "." + label->objectName()));
      EXPECT_EQ(QFontInfo(label->font()).family(), "IPAPGothic");
      const QFontMetrics metrics(label->font());
      for (QChar c : label->text()) EXPECT_TRUE(metrics.inFont(c)) << "no glyph for U+" << std::hex << int(c.unicode());
    }
  }
}

TEST_F(LayoutTest, TextsFitTheirLabelsAndTheClientArea) {
  results.setTrainingCharacter(Character::Mirabe);  // the longer name
  for (QWidget* screen : all()) {
    for (QLabel* label : screen->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      SCOPED_TRACE(qPrintable(screen->objectName() + "." + label->objectName()));
      const QFontMetrics metrics(label->font());
      // A label with a buddy shows "&G" as an underlined G.
      QString shown = label->text();
      if (label->buddy()) shown.remove('&');
      const int width = metrics.horizontalAdvance(shown);
      EXPECT_LE(width, label->width());
      // The label's place in the screen (labels inside a panel are mapped).
      const QRect placed(label->mapTo(screen, QPoint(0, 0)), label->size());
      EXPECT_LE(placed.left() + width, screen->width());
      EXPECT_LE(placed.bottom(), screen->height() - 1);
    }
    for (QPushButton* button : screen->findChildren<QPushButton*>())
      EXPECT_TRUE(screen->rect().contains(button->geometry())) << qPrintable(screen->objectName());
  }
}

}  // namespace
}  // namespace glamora
