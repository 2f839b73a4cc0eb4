// The key table: which keys move and drop the item for each player.
#pragma once

#include "screens/screen_dialog.h"

namespace glamora {

class PictureLibrary;

class OperationTableScreen : public ScreenDialog {
  Q_OBJECT

 public:
  OperationTableScreen(const PictureLibrary& library, QWidget* parent = nullptr);
};

}  // namespace glamora
