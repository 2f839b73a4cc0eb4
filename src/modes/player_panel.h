// One player's half of a game screen: the board cells, the "OUT ZONE" label,
// the phase and countdown labels, the arrow over the supply, the supply
// markers, the carried item and the two "PAUSE" signs.
#pragma once

#include <QLabel>
#include <array>

#include "assets/pictures/picture_library.h"
#include "engine/cells.h"
#include "engine/pictures.h"

namespace glamora {

class PlayerPanel {
 public:
  // `left` is the Left of the player's column 1: 16 for player 1, 448 for
  // player 2; `suffix` names the components ("A"/"B", cells "a11"/"b11").
  PlayerPanel(QWidget* client, int left, char suffix, const PictureLibrary& pictures);

  void redraw(const Board& board);
  void showCarried(Picture picture);
  void showMarker(int column, Picture picture);
  void moveArrow(int column);
  void moveCarried(int column);

  QLabel* what;
  QLabel* where;
  QLabel* whatTime;   // itimeA / itimeB
  QLabel* whereTime;  // ptimeA / ptimeB
  QLabel* pauseSupply;  // pau1a / pau1b
  QLabel* pauseCarried; // pau2a / pau2b

 private:
  int columnLeft(int column) const { return left_ + 32 * (column - 1); }

  int left_;
  const PictureLibrary& pictures_;
  std::array<QLabel*, kColumns * kRows> cells_{};
  std::array<QLabel*, kColumns> markers_{};
  QLabel* arrow_;
  QLabel* carried_;
};

// A "PAUSE" sign: opaque black with white "PAUSE", or transparent and empty.
void showPauseSign(QLabel* sign, bool shown);

}  // namespace glamora
