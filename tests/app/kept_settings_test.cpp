// What the game keeps between runs: a game that brings the settings back as
// inputs, keeps what the player changes, erases it on request, and replays
// exactly.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "recorded_game.h"

#include "../engine/test_support.h"
#include "app/display_size.h"
#include "app/glamora_app.h"
#include "assets/media/silent_output.h"
#include "engine/journal.h"
#include "engine/replay.h"
#include "settings/kept_settings.h"
#include "settings/settings_keeper.h"

namespace glamora {
namespace {

TEST(DisplaySizeTest, FullScreenTakesTheLargestScaleAtWhichEveryWindowFits) {
  const struct {
    QSize screen;
    double scale;
  } cases[] = {{{1920, 1080}, 2.49}, {{657, 433}, 1.0}, {{1024, 768}, 1.55}, {{3840, 2160}, 4.98}, {{320, 200}, 0.5}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(fullScreenScale(c.screen), c.scale) << c.screen.width();
}

struct StringSink final : JournalSink {
  std::string text;
  bool write(std::string_view t) override {
    text += t;
    return true;
  }
};

// One run of the game, keeping its settings in `path` and its journal in memory.
struct GameRun {
  std::unique_ptr<GlamoraApp> app;
  media::MediaLibrary media{std::make_unique<media::SilentOutput>([this] { return app ? app->clock().now() : 0; })};
  StringSink sink;
  JournalWriter writer{sink};

  explicit GameRun(const QString& path) {
    readSettingsAtStart(path);
    app = std::make_unique<GlamoraApp>(media, filesInDirectory(GLAMORA_DATA_DIR));
    app->effects().errorBox = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
    app->measureScreenWith([] { return QSize(1920, 1080); });  // every display size fits
    writer.begin("1.0", "2026-12-08T10:00:00+09:00");
    app->session().setRecorder(&writer);
    app->title().show();
    app->clock().advance(500);  // the start-up step
  }
  ~GameRun() {
    app->session().setRecorder(nullptr);
    readSettingsAtStart({});
  }
  template <typename T = QAction>
  T* item(GameScreen& screen, const char* name) {
    T* found = screen.findChild<T*>(name);
    EXPECT_TRUE(found) << name;
    return found;
  }
  // The journal's inputs, without its comments and waits.
  std::vector<std::string> inputs() const {
    std::vector<std::string> lines;
    for (const std::string& line : splitLines(sink.text)) {
      if (!line.empty() && line[0] != '#' && line.rfind("wait ", 0) != 0) lines.push_back(line);
    }
    return lines;
  }
};

struct KeptGameTest : ::testing::Test {
  QTemporaryDir home;
  QString path = home.filePath("config/glamora/glamora.ini");
};

TEST_F(KeptGameTest, WhatThePlayerLeftIsThereAtTheNextStartAndThatRunReplaysExactly) {
  {
    GameRun first(path);
    BattleScreen& battle = first.app->battle();
    TrainingScreen& training = first.app->training();
    EXPECT_FALSE(QFile::exists(path));  // nothing chosen yet
    first.item(battle, "player1Hard")->trigger();
    first.item(training, "boff1")->trigger();
    first.item(training, "playP2")->trigger();
    first.item(battle, "size2")->trigger();
    EXPECT_FALSE(first.item(battle, "sizenote")->isEnabled());
    first.app->session().editorType({EditorBox::Grid, 1, 1}, "5");
    first.app->session().editorType({EditorBox::Norm}, "300");
    first.app->openEditor();
    first.app->editor().close();
    // A won training stage opens the next one, and that is kept too.
    first.app->session().stage(Mode::Training, 1);
    first.app->session().training.player().state.points = 1500;
    first.app->clock().advance(100);
    QApplication::processEvents();
    first.app->results().dialog(Dialog::TrainingWon).close();
    QApplication::processEvents();
  }
  KeptSettings left;
  left.battleComputers[0] = ComputerLevel::Hard;
  left.trainingSound.music = false;
  left.character = Character::Mirabe;
  left.editorTexts[0] = "5";
  left.editorTexts[48] = "300";
  left.trainingStages = 2;
  left.displaySize = DisplaySize::Double;
  const SettingsRead read = readSettingsFile(path);
  EXPECT_EQ(read.problem, "");
  EXPECT_TRUE(read.settings == left);

  GameRun second(path);
  Session& session = second.app->session();
  const std::string seed = std::to_string(second.app->computerSeed());
  EXPECT_EQ(second.inputs(),
            (std::vector<std::string>{"cpu 1 hard " + seed, "screen training", "bgm off", "character mirabe",
                                      "editor pa11 5", "editor psc 300", "editor close", "unlock 2"}));
  EXPECT_TRUE(settingsOf(session, DisplaySize::Double) == left);
  BattleScreen& battle = second.app->battle();
  TrainingScreen& training = second.app->training();
  EXPECT_TRUE(second.item(battle, "player1Hard")->isChecked());
  EXPECT_TRUE(second.item(battle, "size2")->isChecked());
  EXPECT_TRUE(second.item(training, "boff1")->isChecked());
  EXPECT_TRUE(second.item(training, "stage2")->isEnabled());
  EXPECT_FALSE(second.item(training, "stage3")->isEnabled());
  EXPECT_EQ(second.template item<QLabel>(training, "subname")->text(), "MIRABE");

  // The restored run plays: the computer on the battle, the player on training stage 2.
  session.stage(Mode::Battle, 1);
  second.app->clock().advance(20'000);
  session.stage(Mode::Training, 2);
  for (const char32_t key : U"sdsasdds") {
    session.key(Mode::Training, key);
    second.app->clock().advance(300);
  }
  second.writer.finish(second.app->clock().now());

  test::replayToTheSameState(second.sink.text, session, [&](const Session& again) {
    EXPECT_TRUE(settingsOf(again, DisplaySize::Double) == left);
  });
}

TEST_F(KeptGameTest, ErasingAsksFirstThenPutsTheDefaultsBackAsInputs) {
  KeptSettings kept;
  kept.battleComputers = {ComputerLevel::Easy, ComputerLevel::Normal};
  kept.battleSound.voices = false;
  kept.character = Character::Mirabe;
  kept.trainingStages = 5;
  kept.editorTexts[47] = "9";
  kept.displaySize = DisplaySize::FullScreen;
  ASSERT_TRUE(writeSettingsFile(path, kept));
  kept.displaySize = DisplaySize::Single;  // the test draws at scale 1, with no backdrop
  ASSERT_TRUE(writeSettingsFile(path, kept));
  GameRun run(path);
  Session& session = run.app->session();
  ASSERT_TRUE(settingsOf(session, DisplaySize::Single) == kept);
  const std::size_t restored = run.inputs().size();
  run.app->openTraining();
  TrainingScreen& training = run.app->training();

  const auto answer = [&](const char* button) {
    run.item(training, "erase1")->trigger();
    auto* box = training.findChild<QMessageBox*>("eraseConfirm");
    ASSERT_TRUE(box);
    ASSERT_TRUE(box->isVisible());
    for (QAbstractButton* b : box->buttons()) {
      if (b->text() == button) b->click();
    }
    QApplication::processEvents();
  };
  answer("やめる(&N)");
  EXPECT_TRUE(settingsOf(session, DisplaySize::Single) == kept);
  EXPECT_EQ(run.inputs().size(), restored);

  answer("消去する(&Y)");
  EXPECT_TRUE(settingsOf(session, DisplaySize::Single) == KeptSettings{});
  EXPECT_TRUE(readSettingsFile(path).settings == KeptSettings{});
  const std::vector<std::string> inputs = run.inputs();
  const std::vector<std::string> erased(inputs.begin() + static_cast<std::ptrdiff_t>(restored), inputs.end());
  EXPECT_EQ(erased, (std::vector<std::string>{"cpu 1 off " + std::to_string(run.app->computerSeed()),
                                              "cpu 2 off " + std::to_string(run.app->computerSeed() + 1), "se on",
                                              "character elna", "editor pa68 1", "editor close", "unlock 1"}));
  EXPECT_FALSE(run.item(training, "stage2")->isEnabled());
  EXPECT_TRUE(run.item(training, "playP1")->isChecked());
  EXPECT_TRUE(run.item(training, "size1")->isChecked());
  training.close();
}

TEST_F(KeptGameTest, ABadFileLeavesAGameWithTheDefaultsThatKeepsWhatChanges) {
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
  QFile bad(path);
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("[General]\nformat=1\n[training]\nstages=99\n");
  bad.close();
  testing::internal::CaptureStderr();
  GameRun run(path);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_TRUE(run.app->title().ready());
  EXPECT_TRUE(run.inputs().empty());
  run.item(run.app->battle(), "woff1")->trigger();
  KeptSettings changed;
  changed.battleSound.voices = false;
  EXPECT_TRUE(readSettingsFile(path).settings == changed);
}

TEST(GameWindowsTest, EveryGameWindowFitsTheSizeFullScreenScalesBy) {
  media::MediaLibrary media{std::make_unique<media::SilentOutput>([] { return 0; })};
  GlamoraApp app(media, filesInDirectory(GLAMORA_DATA_DIR));
  for (QWidget* window : std::initializer_list<QWidget*>{&app.title(), &app.battle(), &app.training()}) {
    window->adjustSize();
    EXPECT_LE(window->width(), kLargestWindow.width()) << window->objectName().toStdString();
    EXPECT_LE(window->height(), kLargestWindow.height()) << window->objectName().toStdString();
  }
}

}  // namespace
}  // namespace glamora
