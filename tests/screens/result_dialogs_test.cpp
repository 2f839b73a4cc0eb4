// The four result dialogs: "WIN" under the winner, the character choice
// rewriting the training results, opening and closing.
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "screen_testing.h"
#include "screens/battle_result_dialog.h"
#include "screens/result_dialogs.h"
#include "screens/training_result_dialog.h"

namespace glamora {
namespace {

using screen_test::background;
using screen_test::library;
using screen_test::part;
using screen_test::showsPicture;
using screen_test::textColour;

class ResultDialogsTest : public ::testing::Test {
 protected:
  ResultDialogs dialogs{library()};
};

TEST_F(ResultDialogsTest, WinStandsUnderTheWinnerAndLoseUnderTheLoserOnTheirColours) {
  struct Case {
    Dialog dialog;
    const char* name;
    int winLeft;
    Colour winColour;
    int loseLeft;
    Colour loseColour;
    PictureId leftFace, rightFace;
  };
  const Case cases[] = {
      {Dialog::PlayerOneWins, "Mw1Form", 24, kClBlue, 208, kClRed, PictureId::uface1a, PictureId::uface2c},
      {Dialog::PlayerTwoWins, "Mw2Form", 208, kClRed, 24, kClBlue, PictureId::uface1c, PictureId::uface2a},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScreenDialog& d = dialogs.dialog(c.dialog);
    EXPECT_EQ(d.objectName(), c.name);
    EXPECT_EQ(d.windowTitle(), "結果");
    EXPECT_EQ(d.minimumSize(), QSize(329, 290));
    QLabel* win = part(d, "Labell1");
    QLabel* lose = part(d, "Labell2");
    ASSERT_TRUE(win && lose);
    EXPECT_EQ(win->text(), "WIN");
    EXPECT_EQ(lose->text(), "LOSE");
    EXPECT_EQ(win->geometry(), QRect(c.winLeft, 152, 96, 37));
    EXPECT_EQ(lose->geometry(), QRect(c.loseLeft, 152, 96, 37));
    EXPECT_EQ(background(win), windowsColour(c.winColour));
    EXPECT_EQ(background(lose), windowsColour(c.loseColour));
    EXPECT_TRUE(win->autoFillBackground() && lose->autoFillBackground());
    EXPECT_TRUE(showsPicture(part(d, "Image1"), c.leftFace));
    EXPECT_TRUE(showsPicture(part(d, "Image2"), c.rightFace));
    EXPECT_EQ(part(d, "Label11")->text(), "PLAYER1");
    EXPECT_EQ(background(part(d, "Label11")), windowsColour(kClBlue));
    EXPECT_EQ(part(d, "Label1")->text(), "PLAYER2");
    EXPECT_EQ(background(part(d, "Label1")), windowsColour(kClRed));
    EXPECT_EQ(part(d, "Labell5")->text(), "ゲームを続ける場合は、ゲーム(&G)をクリックした後、");
    EXPECT_EQ(part(d, "Labell6")->text(), "ステージを選択して下さい");
    EXPECT_FALSE(part(d, "Labell5")->autoFillBackground());
    EXPECT_EQ(part<QPushButton>(d, "return1")->geometry(), QRect(171, 256, 75, 25));
    EXPECT_EQ(part<QPushButton>(d, "again1")->geometry(), QRect(83, 256, 80, 25));
  }
}

// What a training dialog shows for a character.
void expectCharacter(const ScreenDialog& d, const QString& prefix, PictureId face, const char* name, Colour nameBg,
                     Colour nameText, Colour resultBg) {
  EXPECT_TRUE(showsPicture(part(d, prefix + "face"), face));
  QLabel* nameLabel = part(d, prefix + "name");
  EXPECT_EQ(nameLabel->text(), name);
  EXPECT_EQ(background(nameLabel), windowsColour(nameBg));
  EXPECT_EQ(textColour(nameLabel), windowsColour(nameText));
  EXPECT_EQ(background(part(d, prefix + "result")), windowsColour(resultBg));
}

TEST_F(ResultDialogsTest, TrainingResultsFollowTheCharacterChoiceBothWays) {
  ScreenDialog& won = dialogs.dialog(Dialog::TrainingWon);
  ScreenDialog& lost = dialogs.dialog(Dialog::TrainingLost);
  EXPECT_EQ(part(won, "swresult")->text(), "WIN");
  EXPECT_EQ(part(lost, "slresult")->text(), "LOSE");
  EXPECT_EQ(part(won, "swresult")->geometry(), QRect(96, 152, 96, 37));
  EXPECT_EQ(part(won, "Label11")->text(), "YOU");
  EXPECT_EQ(background(part(won, "Label11")), windowsColour(kClYellow));
  EXPECT_EQ(part(won, "Labell5")->pos(), QPoint(-1, 208));

  // As created: ELNA.
  expectCharacter(won, "sw", PictureId::uface1a, "ELNA", kClNavy, kClAqua, kClBlue);
  expectCharacter(lost, "sl", PictureId::uface1c, "ELNA", kClNavy, kClAqua, kClBlue);

  dialogs.setTrainingCharacter(Character::Mirabe);
  expectCharacter(won, "sw", PictureId::uface2a, "MIRABE", kClPurple, kClFuchsia, kClRed);
  expectCharacter(lost, "sl", PictureId::uface2c, "MIRABE", kClPurple, kClFuchsia, kClRed);
  // Kept across opening and closing.
  won.show();
  won.close();
  expectCharacter(won, "sw", PictureId::uface2a, "MIRABE", kClPurple, kClFuchsia, kClRed);

  dialogs.setTrainingCharacter(Character::Elna);
  expectCharacter(won, "sw", PictureId::uface1a, "ELNA", kClNavy, kClAqua, kClBlue);
  expectCharacter(lost, "sl", PictureId::uface1c, "ELNA", kClNavy, kClAqua, kClBlue);
}

TEST_F(ResultDialogsTest, BattleResultsIgnoreTheTrainingCharacterChoice) {
  dialogs.setTrainingCharacter(Character::Mirabe);
  ScreenDialog& mw1 = dialogs.dialog(Dialog::PlayerOneWins);
  EXPECT_EQ(part(mw1, "Label9")->text(), "ELNA");
  EXPECT_EQ(background(part(mw1, "Label9")), windowsColour(kClNavy));
  EXPECT_EQ(part(mw1, "Label2")->text(), "MIRABE");
  EXPECT_TRUE(showsPicture(part(mw1, "Image1"), PictureId::uface1a));
  EXPECT_EQ(background(part(mw1, "Labell1")), windowsColour(kClBlue));
}

TEST_F(ResultDialogsTest, OpenReturnsAtOnceAndOkClosesTheDialog) {
  std::vector<Dialog> again;
  dialogs.onAgain = [&](Dialog which) { again.push_back(which); };
  for (Dialog which : {Dialog::PlayerOneWins, Dialog::PlayerTwoWins, Dialog::TrainingWon, Dialog::TrainingLost}) {
    ScreenDialog& d = dialogs.dialog(which);
    SCOPED_TRACE(qPrintable(d.objectName()));
    dialogs.open(which);
    EXPECT_EQ(QApplication::activeModalWidget(), &d);
    EXPECT_TRUE(d.isVisible());
    part<QPushButton>(d, "return1")->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
  }
  EXPECT_TRUE(again.empty());
}

TEST_F(ResultDialogsTest, PlayAgainStandsLeftOfOkClosesTheDialogAndEnterStaysOnOk) {
  std::vector<Dialog> again;
  dialogs.onAgain = [&](Dialog which) {
    EXPECT_FALSE(dialogs.dialog(which).isVisible());  // closed first
    again.push_back(which);
  };
  for (Dialog which : {Dialog::PlayerOneWins, Dialog::TrainingWon}) {
    ScreenDialog& d = dialogs.dialog(which);
    SCOPED_TRACE(qPrintable(d.objectName()));
    auto* button = part<QPushButton>(d, "again1");
    auto* ok = part<QPushButton>(d, "return1");
    EXPECT_EQ(button->text(), "もう一度(&R)");
    EXPECT_EQ(button->geometry().right() + 9, ok->x());
    EXPECT_EQ(button->y(), ok->y());
    dialogs.open(which);
    QTest::keyClick(&d, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    dialogs.open(which);
    QTest::keyClick(button, Qt::Key_Return);  // Enter is OK's even with the focus on もう一度
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(again.empty());
    dialogs.open(which);
    button->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(again, std::vector<Dialog>{which});
    again.clear();
  }
  EXPECT_EQ(part<QPushButton>(dialogs.dialog(Dialog::TrainingWon), "again1")->geometry(), QRect(63, 256, 80, 25));
}

// A network battle's joiner does not choose the next stage: its dialogs say
// that the host does and offer no もう一度; back in the local battle they are
// as before.
TEST_F(ResultDialogsTest, TheJoinersBattleResultsLeaveTheNextStageToTheHost) {
  struct Case {
    StageChooser chooser;
    const char* note1;
    const char* note2;
    bool again;
  };
  const Case cases[] = {
      {StageChooser::Host, "次のステージはホストが選びます。", "OK で閉じて、お待ち下さい", false},
      {StageChooser::ThisMachine, "ゲームを続ける場合は、ゲーム(&G)をクリックした後、", "ステージを選択して下さい",
       true},
  };
  for (const Dialog which : {Dialog::PlayerOneWins, Dialog::PlayerTwoWins}) {
    auto& d = static_cast<BattleResultDialog&>(dialogs.dialog(which));
    EXPECT_EQ(d.stageChooser(), StageChooser::ThisMachine);
    for (const Case& c : cases) {
      SCOPED_TRACE(qPrintable(d.objectName() + (c.again ? " here" : " host")));
      d.setStageChooser(c.chooser);
      dialogs.open(which);
      EXPECT_EQ(part(d, "Labell5")->text(), QString::fromUtf8(c.note1));
      EXPECT_EQ(part(d, "Labell6")->text(), QString::fromUtf8(c.note2));
      // Each note is whole within the dialog.
      for (const char* note : {"Labell5", "Labell6"}) EXPECT_LE(part(d, note)->geometry().right(), d.width());
      EXPECT_EQ(part<QPushButton>(d, "again1")->isVisible(), c.again);
      QTest::keyClick(&d, Qt::Key_Return);  // OK closes it either way
      EXPECT_FALSE(d.isVisible());
    }
  }
}

}  // namespace
}  // namespace glamora
