// The 500 ms animation: which frame every current-frame picture holds in each
// phase, and that copies taken earlier keep their frame.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "assets/pictures/picture_library.h"

namespace glamora {
namespace {

// The frames each current-frame picture shows in phases 0, 1, 2, 3.
const std::map<std::string, std::vector<std::string>> kFramesByPhase = {
    {"uitem1", {"uitem1b", "uitem1a", "uitem1c", "uitem1a"}},
    {"uitem2", {"uitem2c", "uitem2b", "uitem2a", "uitem2b"}},
    {"uitem3", {"uitem3c", "uitem3b", "uitem3a", "uitem3b"}},
    {"uitem4", {"uitem4b", "uitem4a", "uitem4c", "uitem4a"}},
    {"uitem5", {"uitem5b", "uitem5a", "uitem5c", "uitem5a"}},
    {"uitem6", {"uitem6a", "uitem6b", "uitem6c", "uitem6b"}},
    {"uitem7", {"uitem7a", "uitem7b", "uitem7c", "uitem7b"}},
    {"uitem8", {"uitem8a", "uitem8b", "uitem8c", "uitem8b"}},
    {"uitem9", {"uitem9a", "uitem9b", "uitem9c", "uitem9b"}},
    {"uitem1x", {"uitem1xa", "uitem1xb", "uitem1xc", "uitem1xb"}},
    {"uface1", {"uface1a", "uface1b", "uface1c", "uface1b"}},
    {"uface2", {"uface2a", "uface2b", "uface2c", "uface2b"}},
};

std::string heldName(const PictureLibrary& library, const std::string& current) {
  return std::string(pictureName(library.resolve(*pictureFromName(current))));
}

TEST(Animation, AtCreationEveryCurrentPictureHoldsItsFirstFrame) {
  const PictureLibrary library;
  EXPECT_EQ(library.animPhase(), 0);
  for (const auto& [current, frames] : kFramesByPhase) {
    EXPECT_EQ(heldName(library, current), frames[0]) << current;
    EXPECT_EQ(library.image(current), library.image(frames[0])) << current;
  }
}

TEST(Animation, EachStepShowsThePhaseFramesThenMovesThePhaseOn) {
  PictureLibrary library;
  // Two full cycles: the tick in phase p shows the frames of phase p.
  for (int tick = 0; tick < 8; ++tick) {
    const int phase = tick % 4;
    ASSERT_EQ(library.animPhase(), phase);
    library.step();
    EXPECT_EQ(library.animPhase(), (phase + 1) % 4);
    for (const auto& [current, frames] : kFramesByPhase) {
      EXPECT_EQ(heldName(library, current), frames[phase]) << current << " tick " << tick;
    }
  }
}

TEST(Animation, MiddleFrameShowsTwicePerCycleTheOthersOnce) {
  PictureLibrary library;
  std::map<std::string, std::map<std::string, int>> shown;
  for (int tick = 0; tick < 4; ++tick) {
    library.step();
    for (const auto& [current, frames] : kFramesByPhase) ++shown[current][heldName(library, current)];
  }
  for (const auto& [current, frames] : kFramesByPhase) {
    EXPECT_EQ(shown[current][frames[0]], 1) << current;
    EXPECT_EQ(shown[current][frames[1]], 2) << current;
    EXPECT_EQ(shown[current][frames[2]], 1) << current;
  }
}

TEST(Animation, CurrentPicturesFollowAtEveryRatioAndStillPicturesStayPut) {
  PictureLibrary library;
  const QImage stillBefore = library.image("uitem2a", 2.0);
  library.step();
  library.step();
  library.step();  // the third tick shows phase 2: the open lipstick with its tip
  EXPECT_EQ(library.image("uitem2", 2.0), library.image("uitem2a", 2.0));
  EXPECT_EQ(library.image("uface1", 2.0), library.image("uface1c", 2.0));
  EXPECT_EQ(library.image("uitem2a", 2.0), stillBefore);
}

TEST(Animation, ACopyKeepsTheFrameItWasGiven) {
  PictureLibrary library;
  library.step();
  library.step();
  const QImage marker = library.image(Picture::OfferedItem6);  // shows uitem6b now
  const QPixmap face = library.pixmap("uface2");
  library.step();
  EXPECT_EQ(marker, library.image("uitem6b"));
  EXPECT_NE(library.image(Picture::OfferedItem6), marker);
  EXPECT_EQ(face.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), library.image("uface2b"));
}

}  // namespace
}  // namespace glamora
