#include "result_dialogs.h"

#include <QPushButton>

#include "screens/battle_result_dialog.h"
#include "screens/training_result_dialog.h"

namespace glamora {

ResultDialogs::ResultDialogs(const PictureLibrary& library, QWidget* parent) : library_(library), parent_(parent) {}

ResultDialogs::~ResultDialogs() {
  for (QPointer<ScreenDialog>& dialog : dialogs_) delete dialog.data();
}

void ResultDialogs::open(Dialog which) { dialog(which).openModal(); }

ScreenDialog& ResultDialogs::dialog(Dialog which) {
  QPointer<ScreenDialog>& slot = dialogs_[static_cast<int>(which)];
  if (slot) return *slot;
  switch (which) {
    case Dialog::PlayerOneWins: slot = new BattleResultDialog(BattleWinner::Player1, library_, parent_); break;
    case Dialog::PlayerTwoWins: slot = new BattleResultDialog(BattleWinner::Player2, library_, parent_); break;
    case Dialog::TrainingWon:
    case Dialog::TrainingLost: {
      auto* training = new TrainingResultDialog(
          which == Dialog::TrainingWon ? TrainingOutcome::Won : TrainingOutcome::Lost, library_, parent_);
      training->setCharacter(trainingCharacter_, library_);  // the character chosen so far
      slot = training;
      break;
    }
  }
  if (auto* again = slot->findChild<QPushButton*>("again1")) {
    QObject::connect(again, &QPushButton::clicked, slot, [this, which] {
      if (onAgain) onAgain(which);
    });
  }
  return *slot;
}

void ResultDialogs::setTrainingCharacter(Character character) {
  trainingCharacter_ = character;
  for (Dialog which : {Dialog::TrainingWon, Dialog::TrainingLost}) {
    if (isBuilt(which)) static_cast<TrainingResultDialog&>(dialog(which)).setCharacter(character, library_);
  }
}

}  // namespace glamora
