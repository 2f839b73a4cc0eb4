// Character introduction: both portraits and a profile table side by side.
#pragma once

#include "screens/screen_dialog.h"

namespace glamora {

class PictureLibrary;

class CharacterScreen : public ScreenDialog {
  Q_OBJECT

 public:
  CharacterScreen(const PictureLibrary& library, QWidget* parent = nullptr);
};

}  // namespace glamora
