// What the artwork promises: items on the aqua ground and facing the right
// way, tiles with dark blue digits, an empty toumei, every picture its own,
// and 2x pictures painted afresh rather than blown up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/pictures/picture_library.h"
#include "image_checks.h"

namespace glamora {
namespace {

using test::countPixels;
using test::isAqua;
using test::massOf;

std::string itemName(int kind, char frame) { return "uitem" + std::to_string(kind) + frame; }

std::vector<std::string> itemAndCrossNames() {
  std::vector<std::string> names;
  for (const char frame : {'a', 'b', 'c'}) {
    for (int kind = 1; kind <= 9; ++kind) names.push_back(itemName(kind, frame));
    names.push_back(std::string("uitem1x") + frame);
  }
  return names;
}

std::vector<PictureId> stillPictures() {
  std::vector<PictureId> ids;
  for (int i = 0; i < kPictureCount; ++i) {
    if (!isCurrentFrame(static_cast<PictureId>(i))) ids.push_back(static_cast<PictureId>(i));
  }
  return ids;
}

bool isOpaque(const QImage& image) {
  return countPixels(image, [](const QColor& c) { return c.alpha() == 255; }) == image.width() * image.height();
}

bool isRed(const QColor& c) { return c.red() > 170 && c.green() < 90 && c.blue() < 110; }
bool isWhiteGlass(const QColor& c) { return c.red() > 225 && c.green() > 225 && c.blue() > 225; }
bool isDarkRedBack(const QColor& c) { return c.red() >= 60 && c.red() < 170 && c.green() < 45 && c.blue() < 70; }
bool isCaseBlue(const QColor& c) { return c.blue() > 90 && c.blue() > c.red() + 50 && c.green() < 200; }

class ItemPictures : public ::testing::TestWithParam<double> {};

TEST_P(ItemPictures, FillTheCellOnThePlainAquaGround) {
  const PictureLibrary library;
  const double ratio = GetParam();
  for (const std::string& name : itemAndCrossNames()) {
    SCOPED_TRACE(name);
    const QImage image = library.image(name, ratio);
    EXPECT_TRUE(isOpaque(image));
    const int w = image.width() - 1, h = image.height() - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
      EXPECT_TRUE(isAqua(image.pixelColor(corner)));
    // The item itself covers a good part of the cell, not a speck.
    const int drawn = countPixels(image, [](const QColor& c) { return !isAqua(c); });
    EXPECT_GT(drawn, image.width() * image.height() / 8);
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, ItemPictures, ::testing::Values(1.0, 2.0));

TEST(Artwork, TwoTimesPicturesArePaintedAtTheirOwnScale) {
  const PictureLibrary library;
  for (const PictureId id : stillPictures()) {
    SCOPED_TRACE(std::string(pictureName(id)));
    QImage normal = library.image(id, 1.0).convertToFormat(QImage::Format_ARGB32);
    QImage dense = library.image(id, 2.0).convertToFormat(QImage::Format_ARGB32);
    normal.setDevicePixelRatio(1.0);
    dense.setDevicePixelRatio(1.0);
    // Scaled down, the dense picture is the same picture in the same place...
    const QImage reduced = dense.scaled(normal.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(test::meanDifference(reduced, normal), 14.0);
    // ...but it was not made by blowing the small one up.
    if (id != PictureId::toumei) {
      const QImage blownUp = normal.scaled(dense.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
      EXPECT_GT(test::differingShare(blownUp, dense), 0.02);
    }
  }
}

TEST(Artwork, ToumeiIsFullyTransparent) {
  const PictureLibrary library;
  for (const double ratio : {1.0, 2.0}) {
    const QImage image = library.image(PictureId::toumei, ratio);
    EXPECT_EQ(countPixels(image, [](const QColor& c) { return c.alpha() != 0; }), 0) << ratio;
  }
}

TEST(Artwork, EveryStillPictureDiffersFromEveryOther) {
  const PictureLibrary library;
  const auto ids = stillPictures();
  for (std::size_t i = 0; i < ids.size(); ++i) {
    for (std::size_t j = i + 1; j < ids.size(); ++j) {
      if (logicalSize(ids[i]) != logicalSize(ids[j])) continue;
      EXPECT_NE(library.image(ids[i]), library.image(ids[j])) << pictureName(ids[i]) << " " << pictureName(ids[j]);
    }
  }
}

TEST(Artwork, CompactFramesDifferOnlySlightly) {
  const PictureLibrary library;
  const QImage a = library.image("uitem1a", 2.0);
  for (const char* other : {"uitem1b", "uitem1c"}) {
    const double share = test::differingShare(a, library.image(other, 2.0));
    EXPECT_GT(share, 0.0) << other;
    EXPECT_LT(share, 0.12) << other;
  }
  // Round and skin-coloured.
  const auto skin = [](const QColor& c) {
    return c.red() > 220 && c.green() > 150 && c.green() < 240 && c.blue() < 215 && c.blue() > 90;
  };
  const auto mass = massOf(a, skin);
  EXPECT_GT(mass.count, a.width() * a.height() / 4);
  EXPECT_NEAR(mass.centre.x(), a.width() / 2.0, 3);
  EXPECT_NEAR(mass.centre.y(), a.height() / 2.0, 3);
}

TEST(Artwork, LipsticksPointTheirRedTipsRightForKindTwoAndLeftForKindThree) {
  const PictureLibrary library;
  const auto right = massOf(library.image("uitem2a"), isRed);
  const auto left = massOf(library.image("uitem3a"), isRed);
  ASSERT_GT(right.count, 10);
  ASSERT_GT(left.count, 10);
  EXPECT_GT(right.centre.x(), 22);
  EXPECT_LT(left.centre.x(), 10);
  for (const int kind : {2, 3}) {
    // Frame b is open without the tip; frame c is closed in its blue case.
    EXPECT_LT(countPixels(library.image(itemName(kind, 'b')), isRed), 3) << kind;
    EXPECT_LT(countPixels(library.image(itemName(kind, 'c')), isRed), 3) << kind;
    EXPECT_GT(countPixels(library.image(itemName(kind, 'c')), isCaseBlue),
              countPixels(library.image(itemName(kind, 'a')), isCaseBlue) * 3 / 2)
        << kind;
  }
}

TEST(Artwork, CombTeethPointUpForKindFourAndDownForKindFive) {
  const PictureLibrary library;
  for (const char frame : {'a', 'b', 'c'}) {
    const QImage up = library.image(itemName(4, frame));
    const QImage down = library.image(itemName(5, frame));
    // Rows crossing the teeth alternate between comb and ground.
    EXPECT_GE(test::groundChanges(up, 8), 16) << frame;
    EXPECT_LE(test::groundChanges(up, 16), 4) << frame;
    EXPECT_GE(test::groundChanges(down, 15), 16) << frame;
    EXPECT_LE(test::groundChanges(down, 7), 4) << frame;
    const auto orange = [](const QColor& c) {
      return c.red() > 200 && c.green() > 90 && c.green() < 190 && c.blue() < 80;
    };
    EXPECT_GT(countPixels(up, orange), 60) << frame;
  }
}

TEST(Artwork, MirrorsFaceTheirGlassTheWayTheirKindSays) {
  const PictureLibrary library;
  struct Facing {
    int kind;
    int dx, dy;
  };  // direction from the back to the glass
  for (const Facing f : {Facing{6, 0, -1}, Facing{7, 0, 1}, Facing{8, 1, 0}, Facing{9, -1, 0}}) {
    for (const char frame : {'a', 'b', 'c'}) {
      SCOPED_TRACE(itemName(f.kind, frame));
      const QImage image = library.image(itemName(f.kind, frame), 2.0);
      const auto glass = massOf(image, isWhiteGlass);
      const auto back = massOf(image, isDarkRedBack);
      ASSERT_GT(glass.count, 40);
      ASSERT_GT(back.count, 40);
      const QPointF towardsGlass = glass.centre - back.centre;
      EXPECT_GT(towardsGlass.x() * f.dx + towardsGlass.y() * f.dy, 2.0);
    }
  }
  // Frame a's glass is bright; b and c show grey reflections on it.
  const auto grey = [](const QColor& c) {
    return c.red() > 120 && c.red() < 200 && std::abs(c.red() - c.blue()) < 16 && std::abs(c.red() - c.green()) < 16;
  };
  for (int kind = 6; kind <= 9; ++kind) {
    const int plain = countPixels(library.image(itemName(kind, 'a'), 2.0), grey);
    EXPECT_GT(countPixels(library.image(itemName(kind, 'b'), 2.0), grey), plain + 10) << kind;
    EXPECT_GT(countPixels(library.image(itemName(kind, 'c'), 2.0), grey), plain + 10) << kind;
  }
}

TEST(Artwork, UsedUpCrossShrinksFromFrameAToFrameC) {
  const PictureLibrary library;
  const int a = countPixels(library.image("uitem1xa"), isRed);
  const int b = countPixels(library.image("uitem1xb"), isRed);
  const int c = countPixels(library.image("uitem1xc"), isRed);
  EXPECT_GT(a, b);
  EXPECT_GT(b, c);
  EXPECT_GT(c, 15);
}

TEST(Artwork, ColumnTilesArePastelWithADarkBlueDigit) {
  const PictureLibrary library;
  std::vector<QColor> grounds;
  for (int column = 1; column <= 6; ++column) {
    SCOPED_TRACE(column);
    const QImage tile = library.image("un" + std::to_string(column));
    EXPECT_TRUE(isOpaque(tile));
    const QColor ground = tile.pixelColor(4, 6);
    EXPECT_GT(ground.lightness(), 140);
    EXPECT_FALSE(isAqua(ground));
    const auto digit = massOf(tile, [](const QColor& c) { return c.blue() > 90 && c.red() < 60 && c.green() < 60; });
    EXPECT_GT(digit.count, 15);
    EXPECT_NEAR(digit.centre.x(), 16, 3);
    EXPECT_NEAR(digit.centre.y(), 12, 3);
    for (const QColor& other : grounds) EXPECT_NE(other.rgb(), ground.rgb());
    grounds.push_back(ground);
  }
}

TEST(Artwork, FacesAreOpaqueAndDressedInTheirCharactersColours) {
  const PictureLibrary library;
  // ELNA wears aqua and navy: blue-green dominates; MIRABE fuchsia and purple.
  const auto aquaish = [](const QColor& c) { return c.green() > c.red() + 60 && c.blue() > c.red() + 60; };
  const auto fuchsiaish = [](const QColor& c) { return c.red() > c.green() + 60 && c.blue() > c.green() + 40; };
  for (const char mood : {'a', 'b', 'c'}) {
    const QImage elna = library.image(std::string("uface1") + mood);
    const QImage mirabe = library.image(std::string("uface2") + mood);
    EXPECT_TRUE(isOpaque(elna)) << mood;
    EXPECT_TRUE(isOpaque(mirabe)) << mood;
    EXPECT_GT(countPixels(elna, aquaish), countPixels(elna, fuchsiaish) * 3) << mood;
    EXPECT_GT(countPixels(mirabe, fuchsiaish), countPixels(mirabe, aquaish) * 3) << mood;
  }
}

TEST(Artwork, GlyphsStandOnATransparentGroundAndTheTitleIsOpaque) {
  const PictureLibrary library;
  for (const PictureId id : {PictureId::glyphOne, PictureId::glyphTwo, PictureId::glyphEnd}) {
    const QImage glyph = library.image(id);
    EXPECT_EQ(glyph.pixelColor(0, 0).alpha(), 0) << pictureName(id);
    EXPECT_GT(countPixels(glyph, [](const QColor& c) { return c.alpha() == 255; }), 60) << pictureName(id);
  }
  EXPECT_TRUE(isOpaque(library.image(PictureId::title)));
  EXPECT_TRUE(isOpaque(library.image(PictureId::programIcon).copy(4, 4, 24, 24)));
}

TEST(Artwork, PaintedAheadOnAnotherThreadIsTheSamePicture) {
  const PictureLibrary ahead;
  ahead.paintAhead(PictureId::title, 2.0);
  ahead.paintAhead(PictureId::title, 2.0);  // once is enough; a second call waits for the first
  const QImage painted = ahead.image(PictureId::title, 2.0);
  EXPECT_EQ(painted, PictureLibrary().image(PictureId::title, 2.0));
  EXPECT_EQ(painted.devicePixelRatio(), 2.0);
  EXPECT_EQ(ahead.image(PictureId::title, 2.0), painted);
}

}  // namespace
}  // namespace glamora
