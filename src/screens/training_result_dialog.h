// The training's result: the chosen character's face and name over "WIN" or
// "LOSE". The training screen's character choice rewrites them.
#pragma once

#include "engine/effects.h"
#include "screens/screen_dialog.h"

class QLabel;

namespace glamora {

class PictureLibrary;

enum class TrainingOutcome { Won, Lost };

class TrainingResultDialog : public ScreenDialog {
  Q_OBJECT

 public:
  // objectName "SwForm" (won) or "SlForm" (lost); components "swface",
  // "swname", "swresult" or "slface", "slname", "slresult". Shows ELNA at first.
  TrainingResultDialog(TrainingOutcome outcome, const PictureLibrary& library, QWidget* parent = nullptr);

  // Face, name caption and colours of the chosen character, and the
  // background of "WIN"/"LOSE" (ELNA blue, MIRABE red).
  void setCharacter(Character character, const PictureLibrary& library);

 private:
  TrainingOutcome outcome_;
  QLabel* face_;
  QLabel* name_;
  QLabel* result_;
};

}  // namespace glamora
