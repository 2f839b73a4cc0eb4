// The key table: which keys move and drop the item for each player.
#pragma once

#include "screens/player_keys.h"
#include "screens/screen_dialog.h"

namespace glamora {

class PictureLibrary;

class OperationTableScreen : public ScreenDialog {
  Q_OBJECT

 public:
  OperationTableScreen(const PictureLibrary& library, QWidget* parent = nullptr);

  // The keys in use: a line whose keys are the defaults keeps its fixed
  // caption; the others name the chosen keys in the same columns.
  void showKeys(const PlayerKeys& keys);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  PlayerKeys keys_;
};

}  // namespace glamora
