// Version information: the program's name, icon, version and credits.
#pragma once

#include "screens/screen_dialog.h"

class QPushButton;

namespace glamora {

class PictureLibrary;

class AboutBox : public ScreenDialog {
  Q_OBJECT

 public:
  AboutBox(const PictureLibrary& library, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPushButton* ok_;
};

}  // namespace glamora
