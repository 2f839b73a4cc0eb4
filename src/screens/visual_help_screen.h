// Visual help: examples of how each mirror copies the neighbour it faces, and a
// legend naming the nine items.
#pragma once

#include "screens/screen_dialog.h"

namespace glamora {

class ItemDiagram;
class PictureLibrary;

class VisualHelpScreen : public ScreenDialog {
  Q_OBJECT

 public:
  VisualHelpScreen(const PictureLibrary& library, QWidget* parent = nullptr);

  const ItemDiagram& diagram() const { return *diagram_; }

 private:
  ItemDiagram* diagram_;
};

}  // namespace glamora
