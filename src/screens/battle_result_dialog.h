// The battle's result: both portraits, "WIN" under the winner and "LOSE" under
// the loser, each on its player's colour (player 1 blue, player 2 red).
#pragma once

#include "screens/screen_dialog.h"

namespace glamora {

class PictureLibrary;

enum class BattleWinner { Player1, Player2 };

class BattleResultDialog : public ScreenDialog {
  Q_OBJECT

 public:
  // objectName "Mw1Form" when player 1 has won, "Mw2Form" when player 2 has.
  BattleResultDialog(BattleWinner winner, const PictureLibrary& library, QWidget* parent = nullptr);
};

}  // namespace glamora
