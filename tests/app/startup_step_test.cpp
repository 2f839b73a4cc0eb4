// The start-up step tries again on every title tick while a data file fails,
// but reads the failed file again only once it has changed; a file far too
// large fails by its size.
#include "app/startup_step.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include "app/data_directory.h"

#include "assets/media/media_library.h"
#include "assets/media/silent_output.h"
#include "engine/errors.h"
#include "engine/media_files.h"

namespace glamora {
namespace {

// The game's media opens, counted, and the error boxes they end in.
struct CountingEffects final : Effects {
  media::MediaLibrary& library;
  int opens = 0;
  std::vector<std::string> errors;
  explicit CountingEffects(media::MediaLibrary& l) : library(l) {}
  void openMedia(Media player, const std::string& path) override {
    ++opens;
    library.open(player, path);
  }
  void media(Media, MediaOp) override {}
  void openDialog(Dialog) override {}
  void showError(const Message& text) override { errors.push_back(text.text()); }
};

std::unique_ptr<media::AudioOutput> silentOutput() {
  auto output = std::make_unique<media::SilentOutput>([] { return std::int64_t{0}; });
  output->setRendering(false);
  return output;
}

void makeLarge(const QString& path, qint64 bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_TRUE(file.resize(bytes));  // sparse: nothing is written
}

TEST(StartupStepTest, AFailedFileIsReadAgainOnlyOnceItHasChanged) {
  struct Case {
    const char* file;
    std::function<void(const QString& path)> spoil;
    int opensBeforeFailing;
    const char* error;
  };
  const Case cases[] = {
      {"MIRABE1.wav", [](const QString& path) { QFile::remove(path); }, 3, "ファイルが見つかりません"},
      {"ELNA1.wav", [](const QString& path) { makeLarge(path, qint64{1} << 30); }, 2, "ファイルが大きすぎます"},
      {"Glamora.txt", [](const QString& path) { makeLarge(path, qint64{5} << 20); }, 5, "ファイルが大きすぎます"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    QTemporaryDir dir;
    for (const char* name : kAssetFiles) {
      ASSERT_TRUE(QFile::copy(QString(GLAMORA_DATA_DIR) + "/" + name, dir.filePath(name)));
    }
    c.spoil(dir.filePath(c.file));
    media::MediaLibrary library(silentOutput());
    CountingEffects effects(library);
    QString helpText;
    StartupStep step(effects, filesInDirectory(dir.path().toStdString()),
                     [&](const QString& text) { helpText = text; });

    for (int tick = 0; tick < 4; ++tick) EXPECT_FALSE(step.attempt());
    EXPECT_EQ(effects.opens, c.opensBeforeFailing);
    ASSERT_EQ(effects.errors.size(), 1u);
    EXPECT_NE(effects.errors[0].find(c.error), std::string::npos) << effects.errors[0];
    EXPECT_NE(effects.errors[0].find(c.file), std::string::npos) << effects.errors[0];

    QFile::remove(dir.filePath(c.file));
    ASSERT_TRUE(QFile::copy(QString(GLAMORA_DATA_DIR) + "/" + c.file, dir.filePath(c.file)));
    EXPECT_TRUE(step.attempt());
    EXPECT_EQ(effects.opens, c.opensBeforeFailing + 5);
    EXPECT_FALSE(helpText.isEmpty());
  }
}

// A working directory holding only its own how-to-play text: the text comes
// from there, the media from the installed data; a file missing from both is
// read again once it is installed.
TEST(StartupStepTest, AWorkingDirectoryWithOneFileTakesTheRestFromTheInstalledData) {
  QTemporaryDir working, installed;
  for (const char* name : kAssetFiles) {
    ASSERT_TRUE(QFile::copy(QString(GLAMORA_DATA_DIR) + "/" + name, installed.filePath(name)));
  }
  QFile own(working.filePath(kHelpTextFile));
  ASSERT_TRUE(own.open(QIODevice::WriteOnly));
  own.write("自分の遊び方\n");
  own.close();
  QFile::remove(installed.filePath("MIRABE1.wav"));
  media::MediaLibrary library(silentOutput());
  CountingEffects effects(library);
  QString helpText;
  StartupStep step(effects, workingOrInstalledFiles(working.path().toStdString(), installed.path().toStdString()),
                   [&](const QString& text) { helpText = text; });

  EXPECT_FALSE(step.attempt());
  EXPECT_FALSE(step.attempt());
  EXPECT_EQ(effects.opens, 3);  // the failed file is not read again while it is nowhere
  ASSERT_EQ(effects.errors.size(), 1u);
  EXPECT_NE(effects.errors[0].find(working.filePath("MIRABE1.wav").toStdString()), std::string::npos)
      << effects.errors[0];

  ASSERT_TRUE(QFile::copy(QString(GLAMORA_DATA_DIR) + "/MIRABE1.wav", installed.filePath("MIRABE1.wav")));
  EXPECT_TRUE(step.attempt());
  EXPECT_EQ(effects.opens, 8);
  EXPECT_EQ(helpText, "自分の遊び方\n");
  EXPECT_TRUE(library.player(Media::Bgm).isOpen());
}

}  // namespace
}  // namespace glamora
