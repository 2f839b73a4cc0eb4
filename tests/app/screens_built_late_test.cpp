// Only the title screen is built at start-up; every other screen is built when
// it first opens. Each test runs a game whose screens were all built at
// start-up beside one whose screens are built late, on clocks that run
// together: a first opening must show exactly what the early screen shows.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <gtest/gtest.h>

#include "app/glamora_app.h"
#include "assets/media/silent_output.h"
#include "screens/how_to_play_screen.h"

namespace glamora {
namespace {

constexpr HelpScreen kHelpScreens[] = {HelpScreen::OperationTable, HelpScreen::HowToPlay,  HelpScreen::VisualHelp,
                                       HelpScreen::Technique,      HelpScreen::Characters, HelpScreen::MoreFeatures,
                                       HelpScreen::About};
constexpr Dialog kDialogs[] = {Dialog::PlayerOneWins, Dialog::PlayerTwoWins, Dialog::TrainingWon, Dialog::TrainingLost};

struct Game {
  // The output's thread reads the clock: it stops before the program goes.
  std::unique_ptr<GlamoraApp> app;
  media::MediaLibrary media{std::make_unique<media::SilentOutput>([this] { return app ? app->clock().now() : 0; })};
  QStringList errors;

  Game() {
    app = std::make_unique<GlamoraApp>(media, filesInDirectory(GLAMORA_DATA_DIR));
    app->effects().errorBox = [this](const QString& text) { errors << text; };
    app->title().show();
  }
  // Everything the program used to build before the title showed.
  void buildEveryScreen() {
    app->battle();
    app->training();
    app->editor();
    for (HelpScreen which : kHelpScreens) app->help().screen(which);
    for (Dialog which : kDialogs) app->results().dialog(which);
  }
  QStringList builtScreens() {
    QStringList names;
    for (const QDialog* dialog : app->title().findChildren<QDialog*>()) names << dialog->objectName();
    return names;
  }
  QAction* titleHelpItem(const char* name) { return app->title().popupMenu()->findChild<QAction*>(name); }
};

// What the widget shows. The first drawing of a large glyph in the process is
// antialiased a little differently from later ones (the glyph cache fills),
// so the picture is taken from a second drawing.
QImage picture(QWidget& widget) {
  widget.grab();
  return widget.grab().toImage();
}

// The supply markers lie under the "PAUSE" signs until a round starts, and
// show until the first marker task redraws them.
void expectSameMarkers(GameScreen& late, GameScreen& early, int players) {
  for (int player = 0; player < players; ++player) {
    for (int column = 1; column <= kColumns; ++column) {
      SCOPED_TRACE(testing::Message() << "player " << player << ", column " << column);
      EXPECT_EQ(late.board(player).offerShown(column), early.board(player).offerShown(column));
    }
  }
}

struct ScreensBuiltLateTest : ::testing::Test {
  Game early;
  Game late;

  ScreensBuiltLateTest() { early.buildEveryScreen(); }
  void advance(std::int64_t ms) {
    early.app->clock().advance(ms);
    late.app->clock().advance(ms);
  }
};

TEST_F(ScreensBuiltLateTest, TheTitleShowsWithNoOtherScreenBuilt) {
  EXPECT_EQ(late.builtScreens(), QStringList());
  for (HelpScreen which : kHelpScreens) EXPECT_FALSE(late.app->help().isBuilt(which));
  for (Dialog which : kDialogs) EXPECT_FALSE(late.app->results().isBuilt(which));
  // The start-up step loads the how-to-play text without building its screen.
  advance(500);
  EXPECT_TRUE(late.app->title().ready());
  EXPECT_EQ(late.builtScreens(), QStringList());
  EXPECT_TRUE(late.errors.isEmpty());
}

TEST_F(ScreensBuiltLateTest, GameScreensFirstOpenAsIfBuiltAtStartup) {
  // The start-up step, and the item pictures in another animation phase: the
  // supply markers still show the frames they had at start-up.
  advance(2000);
  early.app->openBattle();
  late.app->openBattle();
  ASSERT_TRUE(late.app->battle().isVisible());
  EXPECT_EQ(late.app->battle().signCaption(Label::Stage), "?");
  EXPECT_EQ(picture(late.app->battle()), picture(early.app->battle()));
  expectSameMarkers(late.app->battle(), early.app->battle(), 2);
  early.app->battle().close();
  late.app->battle().close();

  advance(1000);
  early.app->openTraining();
  late.app->openTraining();
  ASSERT_TRUE(late.app->training().isVisible());
  EXPECT_EQ(late.app->training().signCaption(Label::TargetScore), "1500");
  EXPECT_EQ(picture(late.app->training()), picture(early.app->training()));
  expectSameMarkers(late.app->training(), early.app->training(), 1);
  EXPECT_EQ(late.builtScreens(), QStringList({"MainForm", "SubForm"}));
}

TEST_F(ScreensBuiltLateTest, TheEditorOpensWithTheValuesAndBoxesItWouldHaveHad) {
  advance(600);
  early.app->openTraining();
  late.app->openTraining();
  // The values live in the session whether or not the editor is built.
  early.app->session().editorType({EditorBox::Norm}, "900");
  late.app->session().editorType({EditorBox::Norm}, "900");
  advance(1500);
  early.app->training().menus().editor->trigger();
  late.app->training().menus().editor->trigger();
  EditorScreen& editor = late.app->editor();
  ASSERT_TRUE(editor.isVisible());
  EXPECT_EQ(editor.box({EditorBox::Norm})->currentText(), "900");
  EXPECT_TRUE(editor.box({EditorBox::MirrorTime})->isEnabled());  // opened from training
  EXPECT_EQ(picture(editor), picture(early.app->editor()));

  // Every attempt to close it still reaches the session, and a failing box keeps it open.
  struct : InputRecorder {
    QStringList lines;
    void input(std::int64_t, std::string_view line) override { lines << QString::fromUtf8(line.data(), line.size()); }
    void roundEnded(const RoundRecord&) override {}
  } recorder;
  late.app->session().setRecorder(&recorder);
  QStringList errors;
  editor.setErrorBox([&](const QString& text) { errors << text; });
  editor.box({EditorBox::Norm})->setEditText("abc");
  editor.close();
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(errors.size(), 1);
  editor.box({EditorBox::Norm})->setEditText("900");
  editor.close();
  EXPECT_FALSE(editor.isVisible());
  EXPECT_EQ(recorder.lines.count("editor close"), 2);
  late.app->session().setRecorder(nullptr);
}

TEST_F(ScreensBuiltLateTest, ATrainingResultBuiltLateShowsTheChosenCharacter) {
  advance(600);
  early.app->openTraining();
  late.app->openTraining();
  for (Game* game : {&early, &late}) game->app->training().findChild<QAction*>("playP2")->trigger();
  EXPECT_FALSE(late.app->results().isBuilt(Dialog::TrainingWon));
  for (Game* game : {&early, &late}) game->app->effects().openDialog(Dialog::TrainingWon);
  QDialog& shown = late.app->results().dialog(Dialog::TrainingWon);
  ASSERT_EQ(QApplication::activeModalWidget(), &shown);
  EXPECT_EQ(shown.findChild<QLabel*>("swname")->text(), "MIRABE");
  EXPECT_EQ(picture(shown), picture(early.app->results().dialog(Dialog::TrainingWon)));
  // A dialog built before a change follows it, as before.
  for (Game* game : {&early, &late}) game->app->training().findChild<QAction*>("playP1")->trigger();
  EXPECT_EQ(shown.findChild<QLabel*>("swname")->text(), "ELNA");
  EXPECT_EQ(late.app->results().dialog(Dialog::TrainingLost).findChild<QLabel*>("slname")->text(), "ELNA");
}

TEST_F(ScreensBuiltLateTest, HelpScreensOpenFromEitherMenuWithTheLoadedText) {
  advance(500);
  early.titleHelpItem("playshow")->trigger();
  late.titleHelpItem("playshow")->trigger();
  HowToPlayScreen& text = late.app->help().howToPlay();
  ASSERT_TRUE(text.isVisible());
  EXPECT_TRUE(text.text().contains("WHAT ?"));
  EXPECT_EQ(text.text(), early.app->help().howToPlay().text());
  EXPECT_EQ(picture(text), picture(early.app->help().howToPlay()));
  text.close();
  EXPECT_EQ(late.builtScreens(), QStringList({"HelpForm"}));

  // A help screen opened before the start-up step takes the text when it loads.
  Game fresh;
  fresh.titleHelpItem("playshow")->trigger();
  EXPECT_TRUE(fresh.app->help().howToPlay().text().isEmpty());
  fresh.app->clock().advance(500);
  EXPECT_EQ(fresh.app->help().howToPlay().text(), text.text());

  // A game screen's help menu builds the screen it opens.
  late.app->openBattle();
  late.app->battle().menus().help->actions().at(4)->trigger();
  ASSERT_TRUE(QApplication::activeModalWidget());
  EXPECT_EQ(QApplication::activeModalWidget()->objectName(), "ChForm");
  EXPECT_TRUE(late.app->help().isBuilt(HelpScreen::Characters));
}

TEST(GameScreensAfterTitle, AreBuiltOnceTheTitleHasBeenPainted) {
  Game game;
  game.app->buildGameScreensAfterTitle();
  EXPECT_EQ(game.builtScreens(), QStringList());
  game.app->title().repaint();
  for (int pass = 0; pass < 5 && game.builtScreens().size() < 2; ++pass) QApplication::processEvents();
  EXPECT_EQ(game.builtScreens(), QStringList({"MainForm", "SubForm"}));
  EXPECT_FALSE(game.app->battle().isVisible());
}

}  // namespace
}  // namespace glamora
