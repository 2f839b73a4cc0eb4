// Each data file is read from the working directory when it is there, from
// the installed data directory otherwise.
#include "app/data_directory.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

#include "engine/media_files.h"

namespace glamora {
namespace {

namespace fs = std::filesystem;

struct DataDirectoryTest : ::testing::Test {
  QTemporaryDir root;
  fs::path working = fs::path(root.path().toStdString()) / "start";
  fs::path installed = fs::path(root.path().toStdString()) / "share" / "glamora";

  void SetUp() override {
    fs::create_directories(working);
    fs::create_directories(installed);
    for (const char* file : kAssetFiles) std::ofstream(installed / file) << "x";
  }
};

TEST_F(DataDirectoryTest, EachFileComesFromTheWorkingDirectoryOnlyWhenItIsThere) {
  const FileLocator files = workingOrInstalledFiles(working, installed);
  for (const char* alone : kAssetFiles) {
    SCOPED_TRACE(alone);
    std::ofstream(working / alone) << "x";
    for (const char* file : kAssetFiles) {
      const fs::path expected = (file == alone ? working : installed) / file;
      EXPECT_EQ(files(file), expected.string()) << file;
    }
    fs::remove(working / alone);
  }
}

TEST_F(DataDirectoryTest, AFileInNeitherIsLookedForInTheWorkingDirectoryAndFoundOnceItAppears) {
  const FileLocator files = workingOrInstalledFiles(working, installed);
  fs::remove(installed / kMusicFile);
  EXPECT_EQ(files(kMusicFile), (working / kMusicFile).string());
  std::ofstream(installed / kMusicFile) << "x";
  EXPECT_EQ(files(kMusicFile), (installed / kMusicFile).string());
  EXPECT_EQ(workingOrInstalledFiles(working, root.path().toStdString() + "/nowhere")("ELNA1.wav"),
            (working / "ELNA1.wav").string());
}

// The build tree's program also looks in the checkout's data/, between the
// working directory and the installed data; a place named twice is looked in once.
TEST_F(DataDirectoryTest, EachFileComesFromTheFirstPlaceHoldingIt) {
  const fs::path checkout = fs::path(root.path().toStdString()) / "checkout" / "data";
  fs::create_directories(checkout);
  EXPECT_EQ(dataPlaces(working, checkout, installed), (std::vector<fs::path>{working, checkout, installed}));
  EXPECT_EQ(dataPlaces(working, {}, installed), (std::vector<fs::path>{working, installed}));
  EXPECT_EQ(dataPlaces(checkout, checkout / "." / "", installed), (std::vector<fs::path>{checkout, installed}));

  const FileLocator files = firstPlaceHolding(dataPlaces(working, checkout, installed));
  const struct {
    bool inWorking, inCheckout;
    const fs::path& from;
  } cases[] = {{true, true, working}, {false, true, checkout}, {true, false, working}, {false, false, installed}};
  for (const auto& c : cases) {
    for (const auto& [place, holds] : {std::pair{working, c.inWorking}, std::pair{checkout, c.inCheckout}}) {
      if (holds) std::ofstream(place / kMusicFile) << "x";
      else fs::remove(place / kMusicFile);
    }
    EXPECT_EQ(files(kMusicFile), (c.from / kMusicFile).string()) << c.inWorking << c.inCheckout;
  }
  fs::remove(installed / kMusicFile);
  EXPECT_EQ(files(kMusicFile), (working / kMusicFile).string());  // in none: named where a player puts it
}

TEST_F(DataDirectoryTest, TheInstalledDirectoryIsCompiledIn) {
  EXPECT_TRUE(installedDataDirectory().is_absolute());
  EXPECT_EQ(installedDataDirectory().filename(), "glamora");
}

}  // namespace
}  // namespace glamora
