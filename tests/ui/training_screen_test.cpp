// Training played through key events on the real training screen.
#include "modes/training_screen.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "../engine/test_support.h"
#include "assets/pictures/picture_library.h"
#include "engine/stages.h"

namespace glamora {
namespace {

struct TrainingScreenTest : ::testing::Test {
  test::RecordingEffects effects;
  PictureLibrary pictures;
  Session session{effects};
  SimClock& clock = session.clock;
  EditorValues& editor = session.editor;
  std::vector<Character> dialogsRewritten;
  TrainingScreen screen{session, pictures, {}, [this](Character c) { dialogsRewritten.push_back(c); }};
  PlayerState& p = screen.engine().player().state;

  TrainingScreenTest() { screen.show(); }
  QString text(const char* name) { return screen.findChild<QLabel*>(name)->text(); }
  QString text(Label sign) { return screen.signCaption(sign); }
  QAction* action(const char* name) { return screen.findChild<QAction*>(name); }
  void press(Qt::Key key) { QTest::keyClick(&screen, key); }
  // A stage item; with no round running, the count of 3-2-1 is waited out.
  void chooseStage(int n) {
    screen.menus().stages[n - 1]->trigger();
    if (screen.counting()) clock.advance(GameScreen::kCountMs);
  }
};

TEST_F(TrainingScreenTest, OnlyTheFirstAndTheOriginalStageCanBeChosenAtFirst) {
  for (int n = 1; n <= 15; ++n) {
    EXPECT_EQ(screen.menus().stages[n - 1]->isEnabled(), n == 1 || n == 15) << n;
  }
  EXPECT_EQ(text(Label::MirrorCountdown), "95");
  EXPECT_EQ(text(Label::TargetScore), "1500");
  EXPECT_TRUE(screen.pauseShown(PauseSign::SupplyP1));
  EXPECT_EQ(screen.client()->size(), QSize(449, 394));
  // One board, one hint; the count runs over it before the stage starts.
  ASSERT_EQ(screen.findChildren<BoardCover*>().size(), 1);
  BoardCover* cover = screen.findChild<BoardCover*>("coverA");
  EXPECT_EQ(cover->look(), BoardCover::Look::Hint);
  EXPECT_TRUE(cover->text().contains("ステージを選んでください\n（Ctrl+F1 でステージ１）"))
      << cover->text().toStdString();
  screen.menus().stages[0]->trigger();
  EXPECT_EQ(cover->text(), "ステージ１\n3");
  clock.advance(GameScreen::kCountMs);
  EXPECT_EQ(text(Label::Stage), "1");
  EXPECT_EQ(cover->look(), BoardCover::Look::None);
}

TEST_F(TrainingScreenTest, WinningStageOneThroughTheKeysUnlocksStageTwo) {
  chooseStage(1);
  EXPECT_EQ(text(Label::Stage), "1");
  EXPECT_FALSE(screen.pauseShown(PauseSign::SupplyP1));
  // Stage 1's column 5 offers comb up, mirror, mirror, comb up...; with the
  // board column 1 already holding three combs facing up the fourth clears it.
  for (int r = 1; r <= 3; ++r) p.board(1, r) = Code::CombUp;
  p.nextRow[1] = 4;
  p.points = 1400;
  clock.advance(100);
  press(Qt::Key_D);
  press(Qt::Key_D);
  press(Qt::Key_S);
  EXPECT_EQ(p.held, stageTable(1)(5, 1));
  clock.advance(300);
  for (int k = 0; k < 4; ++k) press(Qt::Key_A);
  press(Qt::Key_S);
  clock.advance(100);  // the run: 150 points, the NORM of 1500 is passed
  EXPECT_EQ(text(Label::ScoreP1), "1550");
  clock.advance(100);
  EXPECT_EQ(effects.log.back(), "dialog SwForm");
  EXPECT_EQ(text(Label::WinsP1), "1");
  EXPECT_TRUE(screen.menus().stages[1]->isEnabled());
  EXPECT_FALSE(screen.menus().stages[2]->isEnabled());
  // The hint over the board names the stage just opened and its key.
  clock.advance(100);
  const QStringList hint = screen.findChild<BoardCover*>("coverA")->text().split('\n');
  ASSERT_GE(hint.size(), 3);
  EXPECT_EQ(hint[1], "ステージ２に進めます");
  EXPECT_EQ(hint[2], "（Ctrl+F2 でステージ２）");
}

TEST_F(TrainingScreenTest, TimeCountsDownAndMirrorsFallOnEveryColumn) {
  chooseStage(1);
  p.whatRun = 0;  // the player is thinking: only TIME runs
  clock.advance(3000);
  EXPECT_EQ(text(Label::MirrorCountdown), "92");
  screen.engine().state.mirrorCountdown = 1;
  clock.advance(1000);
  EXPECT_EQ(text(Label::MirrorCountdown), "95");
  for (int c = 1; c <= 6; ++c) EXPECT_EQ(p.board(c, 1), Code::MirrorDown) << c;
}

TEST_F(TrainingScreenTest, CharacterChoiceChangesPortraitNameAndDialogs) {
  action("playP2")->trigger();
  EXPECT_TRUE(action("playP2")->isChecked());
  EXPECT_FALSE(action("playP1")->isChecked());
  EXPECT_EQ(text("subname"), "MIRABE");
  EXPECT_EQ(screen.findChild<QLabel*>("subname")->palette().color(QPalette::Window), QColor(128, 0, 128));
  EXPECT_EQ(screen.findChild<QLabel*>("subface")->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
            pictures.image(PictureId::uface2b, screen.devicePixelRatioF()).convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(dialogsRewritten, std::vector<Character>{Character::Mirabe});
  EXPECT_EQ(effects.log, (std::vector<std::string>{"MediaP1sw open /MIRABE2.wav", "MediaP1sl open /MIRABE3.wav"}));
  action("playP1")->trigger();
  EXPECT_EQ(text("subname"), "ELNA");
}

TEST_F(TrainingScreenTest, PlayerTwoKeysAreIgnored) {
  chooseStage(1);
  clock.advance(100);
  QTest::keyClick(&screen, Qt::Key_5, Qt::KeypadModifier);
  press(Qt::Key_4);
  EXPECT_EQ(p.phase, Phase::What);
  EXPECT_EQ(p.arrowCol, 3);
}

TEST_F(TrainingScreenTest, KeysHeldWithAltOrCtrlAreMenuKeysNotGameKeys) {
  chooseStage(1);
  clock.advance(100);
  const Qt::KeyboardModifiers menuKeys[] = {Qt::AltModifier, Qt::ControlModifier, Qt::AltModifier | Qt::ShiftModifier};
  for (const Qt::KeyboardModifiers held : menuKeys) {
    for (const Qt::Key key : {Qt::Key_D, Qt::Key_S}) QTest::keyClick(&screen, key, held);
  }
  EXPECT_EQ(p.arrowCol, 3);
  EXPECT_EQ(p.phase, Phase::What);  // still choosing WHAT
  press(Qt::Key_D);                 // the same key alone still plays
  EXPECT_EQ(p.arrowCol, 4);
}

}  // namespace
}  // namespace glamora
