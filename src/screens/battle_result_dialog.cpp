#include "battle_result_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "assets/pictures/picture_library.h"
#include "engine/effects.h"
#include "screens/result_buttons.h"
#include "screens/result_texts.h"

namespace glamora {

namespace {

constexpr int kLeft = 24;    // player 1's column
constexpr int kRight = 208;  // player 2's column

constexpr LabelStyle banner(Colour textColour, Colour background) {
  return {.pixelHeight = 21, .textColour = textColour, .background = background, .align = Qt::AlignCenter};
}

constexpr LabelLayout kLabels[] = {
    {"Label11", {kLeft, 8, 96, 21}, "PLAYER1", banner(kClWhite, kClBlue)},
    {"Label1", {kRight, 8, 96, 21}, "PLAYER2", banner(kClWhite, kClRed)},
    {"Label9", {kLeft, 128, 96, 21}, "ELNA", banner(kClAqua, kClNavy)},
    {"Label2", {kRight, 128, 96, 21}, "MIRABE", banner(kClFuchsia, kClPurple)},
    {"Labell5", {16, 208, 0, 0}, kResultNote1, kResultNoteStyle},
    {"Labell6", {16, 232, 0, 0}, kResultNote2, kResultNoteStyle},
};

}  // namespace

BattleResultDialog::BattleResultDialog(BattleWinner winner, const PictureLibrary& library, QWidget* parent)
    : ScreenDialog(parent, winner == BattleWinner::Player1 ? "Mw1Form" : "Mw2Form", Message("Screens", "結果"),
                   QSize(329, 290)) {
  const bool firstWon = winner == BattleWinner::Player1;
  addPicture("Image1", {kLeft, 32, 96, 96}, library, firstWon ? PictureId::uface1a : PictureId::uface1c);
  addPicture("Image2", {kRight, 32, 96, 96}, library, firstWon ? PictureId::uface2c : PictureId::uface2a);
  addLabels(kLabels);

  // Each word stands on the colour of the player under whose portrait it is.
  const auto result = [](int left) {
    return LabelStyle{.pixelHeight = 37,
                      .textColour = kClWhite,
                      .background = left == kLeft ? kClBlue : kClRed,
                      .align = Qt::AlignCenter};
  };
  const int winLeft = firstWon ? kLeft : kRight;
  const int loseLeft = firstWon ? kRight : kLeft;
  addLabel({"Labell1", {winLeft, 152, 96, 37}, "WIN", result(winLeft)});
  addLabel({"Labell2", {loseLeft, 152, 96, 37}, "LOSE", result(loseLeft)});
  addAgainButton(this, addOkButton("return1", {171, 256}));
}

void BattleResultDialog::setStageChooser(StageChooser chooser) {
  chooser_ = chooser;
  const bool here = chooser == StageChooser::ThisMachine;
  bindText(findChild<QLabel*>("Labell5"),
           here ? Message("Screens", kResultNote1) : Message("Screens", "次のステージはホストが選びます。"));
  bindText(findChild<QLabel*>("Labell6"),
           here ? Message("Screens", kResultNote2) : Message("Screens", "OK で閉じて、お待ち下さい"));
  findChild<QPushButton*>("again1")->setVisible(here);
}

}  // namespace glamora
