// The start in a directory without the game's files moves to the installed data.
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
  fs::path start = fs::path(root.path().toStdString()) / "start";
  fs::path installed = fs::path(root.path().toStdString()) / "share" / "glamora";
  fs::path before = fs::current_path();

  void SetUp() override {
    fs::create_directories(start);
    fs::create_directories(installed);
    for (const char* file : kAssetFiles) std::ofstream(installed / file) << "x";
    fs::current_path(start);
  }
  void TearDown() override { fs::current_path(before); }
};

TEST_F(DataDirectoryTest, AnEmptyWorkingDirectoryGivesWayToTheInstalledData) {
  EXPECT_TRUE(enterDataDirectory(installed));
  EXPECT_EQ(fs::current_path(), fs::canonical(installed));
}

TEST_F(DataDirectoryTest, AnyOneGameFileKeepsTheWorkingDirectory) {
  for (const char* file : kAssetFiles) {
    SCOPED_TRACE(file);
    std::ofstream(start / file) << "x";
    EXPECT_FALSE(enterDataDirectory(installed));
    EXPECT_EQ(fs::current_path(), fs::canonical(start));
    fs::remove(start / file);
  }
}

TEST_F(DataDirectoryTest, AnIncompleteOrMissingInstallationChangesNothing) {
  fs::remove(installed / kHelpTextFile);
  EXPECT_FALSE(enterDataDirectory(installed));
  EXPECT_FALSE(enterDataDirectory(root.path().toStdString() + "/nowhere"));
  EXPECT_EQ(fs::current_path(), fs::canonical(start));
}

TEST_F(DataDirectoryTest, TheInstalledDirectoryIsCompiledIn) {
  EXPECT_TRUE(installedDataDirectory().is_absolute());
  EXPECT_EQ(installedDataDirectory().filename(), "glamora");
}

}  // namespace
}  // namespace glamora
