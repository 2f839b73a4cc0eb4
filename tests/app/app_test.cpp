// The program as a whole, offscreen, on the simulated clock with silent sound.
#include "app/glamora_app.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "assets/media/silent_output.h"
#include "engine/errors.h"
#include "screens/how_to_play_screen.h"

namespace glamora {
namespace {

struct AppTest : ::testing::Test {
  QTemporaryDir assets;
  std::unique_ptr<GlamoraApp> app;
  media::MediaLibrary media{std::make_unique<media::SilentOutput>([this] { return app ? app->clock().now() : 0; })};
  QStringList errors;

  void copyAsset(const char* name) {
    ASSERT_TRUE(QFile::copy(QString(GLAMORA_DATA_DIR) + "/" + name, assets.filePath(name)));
  }
  void start() {
    app = std::make_unique<GlamoraApp>(media, filesInDirectory(assets.path().toStdString()));
    app->effects().errorBox = [this](const QString& text) { errors << text; };
    app->title().show();
  }
  bool buttonsEnabled() {
    for (const char* name : {"one1", "two1", "end1"}) {
      if (!app->title().findChild<QPushButton*>(name)->isEnabled()) return false;
    }
    return true;
  }
};

TEST_F(AppTest, StartupFailsOnAMissingFileOnceAndRecoversWhenItAppears) {
  for (const char* name : {"Glamora.mid", "ELNA1.wav", "ELNA2.wav", "ELNA3.wav", "Glamora.txt"}) copyAsset(name);
  start();
  EXPECT_FALSE(buttonsEnabled());
  app->clock().advance(400);
  EXPECT_TRUE(errors.isEmpty());  // the step first runs after 500 ms
  app->clock().advance(5000);
  ASSERT_EQ(errors.size(), 1);  // ten attempts, one box
  EXPECT_TRUE(errors[0].contains("MIRABE1.wav")) << errors[0].toStdString();
  EXPECT_TRUE(errors[0].endsWith("."));
  EXPECT_FALSE(buttonsEnabled());
  EXPECT_FALSE(media.player(Media::P2mw).isOpen());

  copyAsset("MIRABE1.wav");
  app->clock().advance(500);
  EXPECT_TRUE(buttonsEnabled());
  EXPECT_EQ(errors.size(), 1);
  EXPECT_TRUE(media.player(Media::P1sl).isOpen());
  EXPECT_TRUE(app->help().howToPlay().text().contains("WHAT ?"));
  EXPECT_EQ(app->title().toolTip(), "右クリックでヘルプメニュー");
}

TEST_F(AppTest, MissingHelpTextIsReportedAfterTheMedia) {
  for (const char* name : {"Glamora.mid", "ELNA1.wav", "MIRABE1.wav", "ELNA2.wav", "ELNA3.wav"}) copyAsset(name);
  start();
  app->clock().advance(1000);
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].contains("Glamora.txt")) << errors[0].toStdString();
  EXPECT_FALSE(buttonsEnabled());
}

TEST_F(AppTest, TitleFacesAnimateOnlyAfterTheStartup) {
  for (const char* name : {"Glamora.mid", "ELNA1.wav", "MIRABE1.wav", "ELNA2.wav", "ELNA3.wav", "Glamora.txt"}) {
    copyAsset(name);
  }
  start();
  app->clock().advance(500);
  EXPECT_TRUE(buttonsEnabled());
  const QImage before = app->title().findChild<QLabel*>("face1")->pixmap().toImage();
  app->clock().advance(1000);
  EXPECT_NE(app->title().findChild<QLabel*>("face1")->pixmap().toImage(), before);
  const QString titleText = app->title().windowTitle();
  EXPECT_EQ(titleText, "Glamora Ver1.0 - タイトル");
}

TEST_F(AppTest, TitlePictureIsInPlaceOnceTheScreenIsShown) {
  start();
  const QImage shown =
      app->title().findChild<QLabel*>("Image1")->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  const qreal ratio = app->title().devicePixelRatioF();
  ASSERT_FALSE(shown.isNull());
  EXPECT_EQ(shown, PictureLibrary().image(PictureId::title, ratio).convertToFormat(QImage::Format_ARGB32));
}

TEST_F(AppTest, HelpTextFallsBackToShiftJis) {
  QFile file(assets.filePath("legacy.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\x97\x56\x82\xd1\x95\xfb");  // 遊び方 in Shift_JIS
  file.close();
  EXPECT_EQ(readHelpText(assets.filePath("legacy.txt").toStdString()), QString("遊び方"));
}

// What is not a plain text file of a sensible size is refused before it is
// read: a named pipe would block the start-up for good.
TEST_F(AppTest, HelpTextThatIsNoPlainFileOrTooLargeIsRefused) {
  const auto refusal = [](const QString& path) -> std::string {
    try {
      readHelpText(path.toStdString());
    } catch (const GameError& e) {
      return e.what();
    }
    return "read";
  };
  ASSERT_TRUE(QDir(assets.path()).mkdir("folder.txt"));
  EXPECT_NE(refusal(assets.filePath("folder.txt")).find("ファイルではありません"), std::string::npos);
  ASSERT_EQ(mkfifo(assets.filePath("pipe.txt").toLocal8Bit().constData(), 0600), 0);
  EXPECT_NE(refusal(assets.filePath("pipe.txt")).find("ファイルではありません"), std::string::npos);
  QFile big(assets.filePath("big.txt"));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly));
  ASSERT_TRUE(big.resize(5 << 20));
  big.close();
  EXPECT_NE(refusal(assets.filePath("big.txt")).find("大きすぎます"), std::string::npos);
  EXPECT_NE(refusal(assets.filePath("missing.txt")).find("遊び方のファイルを開けません"), std::string::npos);
}

}  // namespace
}  // namespace glamora

namespace glamora {
namespace {

std::vector<QString> captions(const QMenu* menu) {
  std::vector<QString> out;
  for (const QAction* action : menu->actions()) out.push_back(action->isSeparator() ? "-" : action->text());
  return out;
}

TEST_F(AppTest, EveryHelpMenuHoldsTheSevenEntriesAndOpensThemModally) {
  start();
  const std::vector<QString> expected{
      "操作表(&W)",       "遊び方(&P)", "ビジュアルヘルプ(&V)", "テクニック(&T)", "キャラクター紹介(&C)",
      "その他の機能(&O)", "-",          "バージョン情報(&A)"};
  // The title's menu ends with the choice of language.
  std::vector<QString> title = captions(app->title().popupMenu());
  EXPECT_EQ(title.back(), "言語 / Language(&L)");
  title.resize(expected.size());
  EXPECT_EQ(title, expected);
  EXPECT_EQ(captions(app->battle().menus().help), expected);
  EXPECT_EQ(captions(app->training().menus().help), expected);

  // The operation table opens from the battle screen's menu, modal to the
  // whole program, and the clock keeps running under it.
  app->battle().menus().help->actions().at(0)->trigger();
  QWidget* modal = QApplication::activeModalWidget();
  ASSERT_TRUE(modal);
  EXPECT_EQ(modal->objectName(), "SousaForm");
  const auto before = app->clock().now();
  app->clock().advance(1000);
  EXPECT_EQ(app->clock().now(), before + 1000);
  modal->close();
  EXPECT_FALSE(modal->isVisible());
}

// "音量(&V)..." of either screen: the sliders set the mixer's levels as they
// move, and the window shows the levels kept when it opens again.
TEST_F(AppTest, TheVolumeWindowSetsTheMixersLevelsAsItsSlidersMove) {
  start();
  media::Mixer& mixer = media.output().mixer();
  for (GameScreen* screen : {static_cast<GameScreen*>(&app->battle()), static_cast<GameScreen*>(&app->training())}) {
    screen->menus().volume->trigger();
    auto* window = qobject_cast<VolumeWindow*>(QApplication::activeModalWidget());
    ASSERT_TRUE(window);
    auto* music = window->findChild<QSlider*>("volumeMusic");
    auto* voices = window->findChild<QSlider*>("volumeVoices");
    EXPECT_EQ(music->value(), screen == &app->battle() ? 100 : 30);
    music->setValue(30);
    voices->setValue(65);
    EXPECT_FLOAT_EQ(mixer.gain(media::SoundKind::Music), media::gainOfPercent(30));
    EXPECT_FLOAT_EQ(mixer.gain(media::SoundKind::Voices), media::gainOfPercent(65));
    EXPECT_EQ(window->findChild<QLabel*>("volumeVoicesValue")->text(), "65 %");
    window->close();
  }
}

TEST_F(AppTest, TitleButtonsSetTheEditorsTrainingBoxes) {
  start();
  app->openBattle();
  EXPECT_TRUE(app->battle().isVisible());
  EXPECT_FALSE(app->title().isVisible());
  EXPECT_FALSE(app->editor().findChild<QWidget*>("psc")->isEnabled());
  app->battle().close();
  EXPECT_TRUE(app->title().isVisible());
  app->openTraining();
  EXPECT_TRUE(app->editor().findChild<QWidget*>("ptm")->isEnabled());
  app->training().close();
  EXPECT_TRUE(app->title().isVisible());
}

TEST_F(AppTest, EndOnAGameScreenClosesTheTitleToo) {
  start();
  app->openBattle();
  app->battle().menus().end->trigger();
  EXPECT_FALSE(app->battle().isVisible());
  EXPECT_FALSE(app->title().isVisible());
}

}  // namespace
}  // namespace glamora
