// The battle's result: both portraits, "WIN" under the winner and "LOSE" under
// the loser, each on its player's colour (player 1 blue, player 2 red).
#pragma once

#include "screens/screen_dialog.h"

namespace glamora {

class PictureLibrary;

enum class BattleWinner { Player1, Player2 };
// Who chooses the next stage: the person here (the local battle, a network
// battle's host) or the host on the other machine (a network battle's joiner).
enum class StageChooser { ThisMachine, Host };

class BattleResultDialog : public ScreenDialog {
  Q_OBJECT

 public:
  // objectName "Mw1Form" when player 1 has won, "Mw2Form" when player 2 has.
  BattleResultDialog(BattleWinner winner, const PictureLibrary& library, QWidget* parent = nullptr);

  // The note under the portraits says how the next stage is chosen; with
  // the host choosing, "もう一度(&R)" is hidden. ThisMachine at first.
  void setStageChooser(StageChooser chooser);
  StageChooser stageChooser() const { return chooser_; }

 private:
  StageChooser chooser_ = StageChooser::ThisMachine;
};

}  // namespace glamora
