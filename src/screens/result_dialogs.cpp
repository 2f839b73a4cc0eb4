#include "result_dialogs.h"

#include "screens/battle_result_dialog.h"
#include "screens/training_result_dialog.h"

namespace glamora {

ResultDialogs::ResultDialogs(const PictureLibrary& library, QWidget* parent) : library_(library) {
  // In the order of the Dialog values.
  dialogs_ = {
      new BattleResultDialog(BattleWinner::Player1, library, parent),
      new BattleResultDialog(BattleWinner::Player2, library, parent),
      new TrainingResultDialog(TrainingOutcome::Won, library, parent),
      new TrainingResultDialog(TrainingOutcome::Lost, library, parent),
  };
}

ResultDialogs::~ResultDialogs() {
  for (QPointer<ScreenDialog>& dialog : dialogs_) delete dialog.data();
}

void ResultDialogs::open(Dialog which) { dialog(which).openModal(); }

ScreenDialog& ResultDialogs::dialog(Dialog which) { return *dialogs_[static_cast<int>(which)]; }

void ResultDialogs::setTrainingCharacter(Character character) {
  for (Dialog which : {Dialog::SwForm, Dialog::SlForm})
    static_cast<TrainingResultDialog&>(dialog(which)).setCharacter(character, library_);
}

}  // namespace glamora
