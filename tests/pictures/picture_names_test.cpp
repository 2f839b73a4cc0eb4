// Every picture the game asks for exists by name and by engine code, at the
// right size, at 1x and 2x.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "assets/pictures/picture_library.h"

namespace glamora {
namespace {

struct Expected {
  std::string name;
  QSize size;
};

std::vector<Expected> gameNames() {
  std::vector<Expected> names;
  const QSize cell(32, 24), face(96, 96);
  for (int k = 1; k <= 9; ++k) {
    for (const char* suffix : {"a", "b", "c", ""}) names.push_back({"uitem" + std::to_string(k) + suffix, cell});
  }
  for (const char* name : {"uitem1xa", "uitem1xb", "uitem1xc", "uitem1x", "toumei"}) names.push_back({name, cell});
  for (int c = 1; c <= 6; ++c) names.push_back({"un" + std::to_string(c), cell});
  for (const char* name : {"uface1a", "uface1b", "uface1c", "uface1", "uface2a", "uface2b", "uface2c", "uface2"})
    names.push_back({name, face});
  names.push_back({"title", {600, 216}});
  names.push_back({"titleEn", {600, 216}});
  for (const char* name : {"glyphOne", "glyphTwo", "glyphEnd"}) names.push_back({name, {24, 24}});
  names.push_back({"programIcon", {32, 32}});
  return names;
}

// The engine's Picture codes after Unchanged, in order.
std::vector<std::string> engineNames() {
  std::vector<std::string> names = {"toumei"};
  for (int c = 1; c <= 6; ++c) names.push_back("un" + std::to_string(c));
  for (int k = 1; k <= 9; ++k) names.push_back("uitem" + std::to_string(k) + "a");
  for (int k = 1; k <= 9; ++k) names.push_back("uitem" + std::to_string(k));
  names.push_back("uitem1x");
  return names;
}

TEST(PictureNames, EveryGamePictureExistsAtItsSizeAtOneAndTwoTimes) {
  const PictureLibrary library;
  const auto names = gameNames();
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kPictureCount));
  for (const Expected& e : names) {
    SCOPED_TRACE(e.name);
    const QImage normal = library.image(e.name);
    ASSERT_FALSE(normal.isNull());
    EXPECT_EQ(normal.size(), e.size);
    EXPECT_EQ(normal.devicePixelRatio(), 1.0);
    const QImage dense = library.image(e.name, 2.0);
    EXPECT_EQ(dense.size(), e.size * 2);
    EXPECT_EQ(dense.devicePixelRatio(), 2.0);
    EXPECT_EQ(dense.deviceIndependentSize().toSize(), e.size);
  }
}

TEST(PictureNames, NamesAreUniqueAndRoundTrip) {
  std::set<std::string_view> seen;
  for (int i = 0; i < kPictureCount; ++i) {
    const auto id = static_cast<PictureId>(i);
    EXPECT_TRUE(seen.insert(pictureName(id)).second) << pictureName(id);
    EXPECT_EQ(pictureFromName(pictureName(id)), id);
  }
}

TEST(PictureNames, UnknownNamesGiveNothing) {
  const PictureLibrary library;
  for (const char* name : {"", "uitem10a", "uitem0", "UITEM1A", "un7", "uface3", "uitem1 "}) {
    EXPECT_FALSE(pictureFromName(name).has_value()) << name;
    EXPECT_TRUE(library.image(std::string_view(name)).isNull()) << name;
  }
}

TEST(PictureNames, EngineCodesMapToTheSameNames) {
  const auto names = engineNames();
  ASSERT_EQ(static_cast<int>(Picture::SupplyUsedUp), static_cast<int>(names.size()));
  for (int code = 1; code <= static_cast<int>(names.size()); ++code) {
    const auto id = pictureFromEngine(static_cast<Picture>(code));
    ASSERT_TRUE(id.has_value()) << code;
    EXPECT_EQ(pictureName(*id), names[code - 1]);
  }
  EXPECT_FALSE(pictureFromEngine(Picture::Unchanged).has_value());
}

TEST(PictureNames, EngineLookUpGivesTheNamedPicture) {
  const PictureLibrary library;
  EXPECT_TRUE(library.image(Picture::Unchanged).isNull());
  EXPECT_TRUE(library.pixmap(Picture::Unchanged).isNull());
  // What the board shows for an empty cell, an item and a used-up offer.
  EXPECT_EQ(library.image(cellPicture(Code::Empty, 4, 3)), library.image("un4"));
  EXPECT_EQ(library.image(cellPicture(Code::Empty, 4, 10)), library.image("toumei"));
  EXPECT_EQ(library.image(cellPicture(Code::RougeLeft, 2, 7), 2.0), library.image("uitem3a", 2.0));
  EXPECT_EQ(library.image(markerPicture(Code::UsedUp)), library.image("uitem1x"));
}

TEST(PictureNames, PixmapsAndIconCarryTheRatio) {
  const PictureLibrary library;
  const QPixmap dense = library.pixmap(PictureId::uface2b, 2.0);
  EXPECT_EQ(dense.size(), QSize(192, 192));
  EXPECT_EQ(dense.devicePixelRatio(), 2.0);
  EXPECT_EQ(library.pixmap("un1").size(), QSize(32, 24));
  const QList<QSize> sizes = library.programIcon().availableSizes();
  for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(64, 64)})
    EXPECT_TRUE(sizes.contains(size)) << size.width();
}

}  // namespace
}  // namespace glamora
