// Pictures on two screens of different device pixel ratios: a window moved
// from one to the other shows every picture painted for the new ratio.
#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include "modes/sign_view.h"
#include "screen_testing.h"
#include "screens/character_screen.h"
#include "screens/item_diagram.h"

namespace glamora {
namespace {

using screen_test::library;
using screen_test::part;

QImage argb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

struct TwoScreensTest : ::testing::Test {
  void SetUp() override { ASSERT_EQ(QGuiApplication::screens().size(), 2); }

  // Shows `window` on screen `index` (0: ratio 1, 1: ratio 2) and lets it paint.
  static void showOn(QWidget& window, int index) {
    QScreen* screen = QGuiApplication::screens()[index];
    window.show();
    window.windowHandle()->setScreen(screen);
    window.move(screen->geometry().topLeft() + QPoint(10, 10));
    window.repaint();
    QApplication::processEvents();
  }
};

TEST_F(TwoScreensTest, PictureBoxesArePaintedAgainForTheScreenTheWindowMovesTo) {
  CharacterScreen screen(library());
  QLabel* face = part(screen, "Image1");
  for (const int index : {1, 0, 1}) {
    showOn(screen, index);
    const qreal ratio = index == 0 ? 1.0 : 2.0;
    ASSERT_EQ(screen.devicePixelRatioF(), ratio);
    const QPixmap shown = face->pixmap();
    EXPECT_EQ(shown.devicePixelRatio(), ratio);
    EXPECT_EQ(shown.size(), QSize(96, 96) * ratio);
    EXPECT_EQ(argb(shown.toImage()), argb(library().image(PictureId::uface1a, ratio)));
  }
}

TEST_F(TwoScreensTest, AnAnimatedPictureKeepsItsFrameWhenPaintedAgain) {
  PictureLibrary animated;
  QWidget window;
  window.resize(100, 100);
  QLabel* box = makePictureBox(&window, {0, 0, 96, 96});
  showOn(window, 0);
  showPicture(box, animated, PictureId::uface1);
  const PictureId frame = animated.resolve(PictureId::uface1);
  for (int i = 0; i < 3 && animated.resolve(PictureId::uface1) == frame; ++i) animated.step();
  ASSERT_NE(animated.resolve(PictureId::uface1), frame);
  showOn(window, 1);
  EXPECT_EQ(argb(box->pixmap().toImage()), argb(animated.image(frame, 2.0)));
}

// A picture box draws its picture itself; on either screen it must look
// exactly like a plain label showing the same picture, and a picture that
// changes while the window is on the second screen is shown for that ratio.
TEST_F(TwoScreensTest, PictureBoxesLookLikePlainLabelsOnBothScreens) {
  QWidget window;
  window.resize(80, 30);
  QLabel* box = makePictureBox(&window, {4, 3, 32, 24});
  auto* plain = new QLabel(&window);
  plain->setGeometry(44, 3, 32, 24);
  plain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  for (const int index : {0, 1}) {
    showOn(window, index);
    const qreal ratio = index == 0 ? 1.0 : 2.0;
    for (const PictureId id : {PictureId::uitem1a, PictureId::uitem5a, PictureId::glyphOne}) {
      showPicture(box, library(), id);
      plain->setPixmap(library().pixmap(id, ratio));
      const QImage shown = box->grab().toImage();
      EXPECT_EQ(shown.size(), QSize(32, 24) * ratio);
      EXPECT_EQ(argb(shown), argb(plain->grab().toImage())) << pictureName(id) << " at " << ratio;
    }
  }
}

// A sign painted from the view model looks exactly like a label showing the
// same caption and colour, on either screen, through changes and back again.
TEST_F(TwoScreensTest, SignsPaintedFromTheModelLookLikeLabels) {
  QWidget window;
  window.resize(220, 30);
  const LabelStyle style{21, true, kClWhite, kClGreen, Qt::AlignCenter};
  ScreenViewModel model;
  auto* sign = new SignView(&window, {Label::WhatPhaseP1, {4, 3, 96, 24}, "WHAT ?", style}, model);
  QLabel* label = makeLabel(&window, {110, 3, 96, 24}, "WHAT ?", style);
  const std::pair<const char*, Colour> looks[] = {
      {"WHAT ?", kClRed}, {"WHAT ?", kClGreen}, {"WHERE ?", kClGreen}, {"WHAT ?", kClRed}, {"100", kClBlack}};
  for (const int index : {0, 1, 0}) {
    showOn(window, index);
    const qreal ratio = index == 0 ? 1.0 : 2.0;
    for (const auto& [text, colour] : looks) {
      model.setCaption(Label::WhatPhaseP1, text);
      model.setColour(Label::WhatPhaseP1, colour);
      label->setText(text);
      setLabelBackground(label, colour);
      window.repaint();
      const QImage shown = sign->grab().toImage();
      EXPECT_EQ(shown.size(), QSize(96, 24) * ratio);
      EXPECT_EQ(argb(shown), argb(label->grab().toImage())) << text << " at " << ratio;
    }
  }
}

TEST_F(TwoScreensTest, PictureIconsArePaintedAtTheRatioAsked) {
  const QIcon icon = pictureIcon([](qreal ratio) { return library().pixmap(PictureId::glyphOne, ratio); }, {24, 24});
  for (const qreal ratio : {1.0, 1.5, 2.0}) {
    const QPixmap shown = icon.pixmap(QSize(24, 24), ratio);
    EXPECT_EQ(shown.size(), QSize(24, 24) * ratio);
    QImage wanted = library().image(PictureId::glyphOne, ratio);
    EXPECT_EQ(argb(shown.toImage()), argb(wanted)) << ratio;
  }
  // A disabled glyph is greyed, not missing.
  const QImage disabled = icon.pixmap(QSize(24, 24), 2.0, QIcon::Disabled).toImage();
  EXPECT_EQ(disabled.size(), QSize(48, 48));
  EXPECT_NE(argb(disabled), argb(library().image(PictureId::glyphOne, 2.0)));
}

TEST_F(TwoScreensTest, ItemDiagramsPaintAtTheRatioOfTheirScreen) {
  QWidget window;
  window.resize(64, 48);
  auto* diagram = new ItemDiagram(library(), &window);
  diagram->addPicture({0, 0}, diagramPicture(1));
  for (const int index : {0, 1}) {
    showOn(window, index);
    const qreal ratio = index == 0 ? 1.0 : 2.0;
    QImage grabbed = diagram->grab(QRect(0, 0, 32, 24)).toImage();
    EXPECT_EQ(grabbed.size(), QSize(32, 24) * ratio);
    QImage wanted(grabbed.size(), QImage::Format_ARGB32_Premultiplied);
    wanted.setDevicePixelRatio(ratio);
    wanted.fill(window.palette().color(QPalette::Window));
    QPainter(&wanted).drawImage(0, 0, library().image(diagramPicture(1), ratio));
    EXPECT_EQ(argb(grabbed), argb(wanted)) << ratio;
  }
}

}  // namespace
}  // namespace glamora
