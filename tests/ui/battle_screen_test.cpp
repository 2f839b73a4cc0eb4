// A battle played through key events on the real battle screen, offscreen, on
// the simulated clock.
#include "modes/battle_screen.h"

#include <QFontMetrics>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "../engine/test_support.h"
#include "assets/pictures/picture_library.h"
#include "engine/stages.h"
#include "side_sight.h"

namespace glamora {
namespace {

using Log = std::vector<std::string>;

constexpr PauseSign kPauseSigns[] = {PauseSign::SupplyP1, PauseSign::SupplyP2, PauseSign::CarriedP1,
                                     PauseSign::CarriedP2};

struct BattleScreenTest : ::testing::Test {
  test::RecordingEffects effects;
  PictureLibrary pictures;
  Session session{effects};
  SimClock& clock = session.clock;
  EditorValues& editor = session.editor;
  BattleScreen screen{session, pictures, {}};
  PlayerState& a = screen.engine().player(0).state;
  PlayerState& b = screen.engine().player(1).state;

  BattleScreenTest() { screen.show(); }
  QLabel* label(const char* name) { return screen.findChild<QLabel*>(name); }
  QString text(const char* name) { return label(name)->text(); }
  QString text(Label sign) { return screen.signCaption(sign); }
  QColor background(Label sign) {
    const std::optional<Colour> colour = screen.signBackground(sign);
    return colour ? windowsColour(*colour) : QColor();
  }
  void press(Qt::Key key) { QTest::keyClick(&screen, key); }
  void pressKeypad(Qt::Key key) { QTest::keyClick(&screen, key, Qt::KeypadModifier); }
  // A stage item; with no round running, the count of 3-2-1 is waited out.
  void chooseStage(int n) {
    screen.menus().stages[n - 1]->trigger();
    if (screen.counting()) clock.advance(GameScreen::kCountMs);
  }
  // One take from the supply column under the arrow and a drop where the
  // carried item stands, each followed by its phase switch.
  void takeAndDrop(Qt::Key select) {
    clock.advance(100);
    press(select);
    clock.advance(300);
    press(select);
    clock.advance(300);
  }
  bool cellShows(int player, int column, int row, Picture picture) {
    return test::showsAt(screen.board(player), BoardView::cellRect(column, row), pictures, picture);
  }
  bool offerShows(int player, int column, Picture picture) {
    return test::showsAt(screen.board(player), BoardView::offerRect(column), pictures, picture);
  }
};

TEST_F(BattleScreenTest, DesignTimeCaptionsStayUntilTheFirstStage) {
  clock.advance(5000);
  EXPECT_EQ(text(Label::Stage), "?");
  for (const PauseSign sign : kPauseSigns) EXPECT_TRUE(screen.pauseShown(sign));
  EXPECT_EQ(test::arrowColumn(screen.board(0)), 3);
  EXPECT_EQ(test::arrowColumn(screen.board(1)), 3);
  EXPECT_EQ(screen.windowTitle(), "Glamora Ver1.0 - 二人で対戦");
  EXPECT_EQ(screen.client()->size(), QSize(657, 394));
}

TEST_F(BattleScreenTest, AWholeRoundThroughTheKeys) {
  chooseStage(15);  // every slot a foundation
  EXPECT_EQ(text(Label::Stage), "ORIGINAL");
  EXPECT_TRUE(screen.menus().stages[14]->isChecked());
  for (const PauseSign sign : kPauseSigns) EXPECT_FALSE(screen.pauseShown(sign));
  EXPECT_EQ(background(Label::WhatPhaseP1), QColor(Qt::red));
  EXPECT_EQ(background(Label::WherePhaseP1), QColor(0, 128, 0));

  // Player 1 moves to column 1 and stacks three foundations there.
  press(Qt::Key_A);
  press(Qt::Key_A);
  EXPECT_EQ(test::arrowColumn(screen.board(0)), 1);
  takeAndDrop(Qt::Key_S);
  EXPECT_TRUE(cellShows(0, 1, 1, Picture::Item1));
  EXPECT_EQ(screen.shown().players[0].carriedCol, 1);
  takeAndDrop(Qt::Key_S);
  takeAndDrop(Qt::Key_S);
  EXPECT_EQ(a.nextRow[1], 4);

  // Player 2 plays too, on the keypad: left, take, right, drop.
  clock.advance(100);
  pressKeypad(Qt::Key_4);
  pressKeypad(Qt::Key_5);
  clock.advance(300);
  EXPECT_EQ(background(Label::WherePhaseP2), QColor(Qt::red));
  pressKeypad(Qt::Key_6);
  pressKeypad(Qt::Key_5);
  EXPECT_EQ(b.board(3, 1), Code::Foundation);

  // Player 2's column 1 was filled to row 8 beforehand and already owes one
  // mirror: the run's mirror has to wait, and the keys stay closed.
  for (int r = 1; r <= 8; ++r) b.board(1, r) = r % 2 ? Code::RougeRight : Code::RougeLeft;
  b.nextRow[1] = 9;
  clock.advance(200);
  press(Qt::Key_S);
  clock.advance(300);
  b.mirrorsDue[1] = 1;
  press(Qt::Key_S);  // the fourth foundation
  EXPECT_EQ(text(Label::WhatTimeP1), "10");
  clock.advance(100);
  EXPECT_EQ(text(Label::ScoreP1), "100");
  EXPECT_EQ(effects.log.back(), "MediaP1mw play");
  for (const PauseSign sign : kPauseSigns) EXPECT_TRUE(screen.pauseShown(sign));
  EXPECT_TRUE(cellShows(1, 1, 9, Picture::Item7));
  press(Qt::Key_D);
  EXPECT_EQ(a.arrowCol, 1);  // keys are held under "PAUSE"

  // The next mirror finds the column full: player 2 loses the round.
  clock.advance(100);
  EXPECT_TRUE(cellShows(1, 1, 10, Picture::Item7));
  EXPECT_EQ(effects.log.back(), "dialog Mw1Form");
  EXPECT_EQ(text(Label::WinsP1), "1");
  EXPECT_FALSE(screen.engine().state.flags.roundActive);
}

TEST_F(BattleScreenTest, CountdownLossAndWinsKeptAcrossLeavingTheScreen) {
  a.wins = 2;
  chooseStage(1);
  clock.advance(1000);
  EXPECT_EQ(text(Label::WhatTimeP1), "9");
  EXPECT_EQ(text(Label::WhatTimeP2), "9");
  clock.advance(9000);
  EXPECT_EQ(text(Label::WhatTimeP1), "0");
  EXPECT_EQ(text(Label::WinsP2), "1");
  EXPECT_EQ(effects.log, (Log{"MediaBgm rewind", "MediaBgm play", "MediaBgm rewind", "MediaBgm stop", "MediaP2mw play",
                              "dialog Mw2Form"}));

  chooseStage(2);
  screen.menus().title->trigger();
  EXPECT_FALSE(screen.isVisible());
  EXPECT_FALSE(screen.engine().state.flags.roundActive);
  screen.show();
  clock.advance(20000);
  EXPECT_EQ(text(Label::WinsP2), "1");
  EXPECT_EQ(text(Label::Stage), "2");
  EXPECT_EQ(a.wins, 2);
}

TEST_F(BattleScreenTest, SupplyMarkersShowTheOffersEveryHalfSecond) {
  chooseStage(3);
  clock.advance(500);
  for (int c = 1; c <= 6; ++c) EXPECT_TRUE(offerShows(0, c, markerPicture(stageTable(3)(c, 1)))) << c;
  a.supplyPos[2] = 9;
  clock.advance(500);
  EXPECT_TRUE(offerShows(0, 2, Picture::SupplyUsedUp));
}

TEST_F(BattleScreenTest, MenuSwitchesCarryTheirCheckMarks) {
  const GameMenuActions& m = screen.menus();
  EXPECT_TRUE(m.musicOn->isChecked());
  EXPECT_FALSE(m.musicOff->isChecked());
  m.musicOff->trigger();
  m.voicesOff->trigger();
  EXPECT_TRUE(m.musicOff->isChecked());
  EXPECT_FALSE(m.musicOn->isChecked());
  EXPECT_TRUE(m.voicesOff->isChecked());
  m.musicOff->trigger();  // the checked item again keeps its mark
  EXPECT_TRUE(m.musicOff->isChecked());
  EXPECT_TRUE(screen.engine().sound.bgmOff);
  EXPECT_TRUE(screen.engine().sound.seOff);
  EXPECT_EQ(m.stages[9]->shortcut(), QKeySequence("Ctrl+F10"));
  EXPECT_EQ(m.stages[14]->shortcut(), QKeySequence("Shift+F5"));
  EXPECT_EQ(m.stages[13]->text(), "ステージ１４");
}

TEST_F(BattleScreenTest, LettersForPlayerTwoAndDigitsForPlayerOneDoNothing) {
  chooseStage(1);
  clock.advance(100);
  press(Qt::Key_5);  // the number row's 5 is player 2's select
  EXPECT_EQ(b.phase, Phase::Switching);
  QTest::keyClick(&screen, Qt::Key_Left, Qt::KeypadModifier);  // NUM LOCK off: no text
  press(Qt::Key_4);
  EXPECT_EQ(b.arrowCol, 3);
  EXPECT_EQ(a.phase, Phase::What);
}

TEST_F(BattleScreenTest, KeysHeldWithAltOrCtrlAreMenuKeysNotGameKeys) {
  chooseStage(1);
  clock.advance(100);
  for (const Qt::KeyboardModifiers held : {Qt::AltModifier, Qt::ControlModifier}) {
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_S}) QTest::keyClick(&screen, key, held);
    for (const Qt::Key key : {Qt::Key_6, Qt::Key_5}) QTest::keyClick(&screen, key, held | Qt::KeypadModifier);
  }
  EXPECT_EQ(a.arrowCol, 3);
  EXPECT_EQ(a.phase, Phase::What);
  EXPECT_EQ(b.arrowCol, 3);
  EXPECT_EQ(b.phase, Phase::What);
  pressKeypad(Qt::Key_6);  // NUM LOCK on: the keypad alone still plays
  EXPECT_EQ(b.arrowCol, 4);
}

TEST_F(BattleScreenTest, AComputerOpponentIsChosenInTheOptionsMenu) {
  // Between the sound switches and the editor item.
  QStringList options;
  for (QAction* action : screen.menus().options->actions()) {
    if (!action->isSeparator()) options << action->text();
  }
  EXPECT_EQ(options,
            (QStringList{"BGM", "効果音", "音量(&V)...", "プレイヤー1(&1)", "プレイヤー2(&2)", "ｵﾘｼﾞﾅﾙｽﾃｰｼﾞの設定(&S)",
                         "表示の大きさ(&Z)", "戦績(&T)...", "記録を消去...", "言語 / Language(&L)"}));
  auto* human = screen.findChild<QAction*>("player2Human");
  auto* hard = screen.findChild<QAction*>("player2Hard");
  ASSERT_TRUE(human && hard);
  EXPECT_TRUE(human->isChecked());
  EXPECT_EQ(hard->text(), "コンピュータ：むずかしい(&D)");

  hard->trigger();
  EXPECT_TRUE(hard->isChecked());
  EXPECT_FALSE(human->isChecked());
  EXPECT_EQ(text("Label12"), "CPU むずかしい");
  EXPECT_EQ(label("Label12")->toolTip(), "コンピュータ：むずかしい");
  EXPECT_EQ(text("Label11"), "PLAYER1");
  // Each level says itself on the plate, whole, in a size that fits.
  const std::pair<const char*, const char*> levels[] = {
      {"player1Easy", "CPU やさしい"}, {"player1Normal", "CPU ふつう"}, {"player1Hard", "CPU むずかしい"}};
  for (const auto& [item, plate] : levels) {
    screen.findChild<QAction*>(item)->trigger();
    QLabel* shown = label("Label11");
    EXPECT_EQ(shown->text(), plate);
    EXPECT_LE(QFontMetrics(shown->font()).horizontalAdvance(shown->text()), shown->width()) << plate;
    EXPECT_GE(shown->font().pixelSize(), 12) << plate;
  }
  screen.findChild<QAction*>("player1Human")->trigger();
  EXPECT_EQ(text("Label11"), "PLAYER1");
  EXPECT_EQ(label("Label11")->font().pixelSize(), 21);

  // The computer plays player 2 while player 1's keys still work.
  chooseStage(1);
  press(Qt::Key_6);
  EXPECT_EQ(b.arrowCol, 3);
  press(Qt::Key_D);
  EXPECT_EQ(a.arrowCol, 4);
  clock.advance(20000);
  int items = 0;
  for (const Code cell : b.board.cells) items += cell != Code::Empty;
  EXPECT_GT(items + b.points, 0);

  human->trigger();
  EXPECT_EQ(text("Label12"), "PLAYER2");
  EXPECT_EQ(label("Label12")->toolTip(), "");
}

}  // namespace
}  // namespace glamora
