#include "training_result_dialog.h"

#include <QLabel>

#include "assets/pictures/picture_library.h"
#include "screens/result_buttons.h"
#include "screens/result_texts.h"

namespace glamora {

namespace {

// What the character choice writes into the dialogs.
struct CharacterLook {
  PictureId wonFace;
  PictureId lostFace;
  const char* name;
  Colour nameBackground;
  Colour nameColour;
  Colour resultBackground;
};

const CharacterLook& lookOf(Character character) {
  static const CharacterLook elna{PictureId::uface1a, PictureId::uface1c, "ELNA", kClNavy, kClAqua, kClBlue};
  static const CharacterLook mirabe{PictureId::uface2a, PictureId::uface2c, "MIRABE", kClPurple, kClFuchsia, kClRed};
  return character == Character::Elna ? elna : mirabe;
}

constexpr LabelLayout kLabels[] = {
    {"Label11",
     {96, 8, 96, 21},
     "YOU",
     {.pixelHeight = 21, .textColour = kClBlack, .background = kClYellow, .align = Qt::AlignCenter}},
    {"Labell5", {-1, 208, 0, 0}, kResultNote1, kResultNoteStyle},
    {"Labell6", {0, 232, 0, 0}, kResultNote2, kResultNoteStyle},
};

}  // namespace

TrainingResultDialog::TrainingResultDialog(TrainingOutcome outcome, const PictureLibrary& library, QWidget* parent)
    : ScreenDialog(parent, outcome == TrainingOutcome::Won ? "SwForm" : "SlForm", Message("Screens", "結果"),
                   QSize(290, 290)),
      outcome_(outcome) {
  const bool won = outcome == TrainingOutcome::Won;
  const QString prefix = won ? "sw" : "sl";
  addLabels(kLabels);
  face_ = makePictureBox(this, {96, 32, 96, 96});
  face_->setObjectName(prefix + "face");
  name_ = makeLabel(this, {96, 128, 96, 21}, {}, {.pixelHeight = 21, .align = Qt::AlignCenter});
  name_->setObjectName(prefix + "name");
  result_ = makeLabel(this, {96, 152, 96, 37}, won ? "WIN" : "LOSE", {.pixelHeight = 37, .align = Qt::AlignCenter});
  result_->setObjectName(prefix + "result");
  setCharacter(Character::Elna, library);
  addAgainButton(this, addOkButton("return1", {151, 256}));
}

void TrainingResultDialog::setCharacter(Character character, const PictureLibrary& library) {
  const CharacterLook& look = lookOf(character);
  const PictureId face = outcome_ == TrainingOutcome::Won ? look.wonFace : look.lostFace;
  showPicture(face_, library, face);
  name_->setText(look.name);
  setLabelBackground(name_, look.nameBackground);
  setLabelTextColour(name_, look.nameColour);
  setLabelBackground(result_, look.resultBackground);
}

}  // namespace glamora
