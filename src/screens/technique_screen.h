// Technique: chains of mirrors next to an item turn, as a whole, into copies of
// that item.
#pragma once

#include <vector>

#include "screens/screen_dialog.h"

namespace glamora {

class ItemDiagram;
class PictureLibrary;

// One chain shown on the screen: its cells before and after, listed left to
// right for a row and top to bottom for a column.
struct ChainExample {
  QPoint before;  // top left of the first cell before the copies
  QPoint after;   // top left of the first cell after them
  QPoint arrow;
  bool vertical;
  std::vector<int> beforeCodes;
  std::vector<int> afterCodes;
};

const std::vector<ChainExample>& techniqueExamples();

class TechniqueScreen : public ScreenDialog {
  Q_OBJECT

 public:
  TechniqueScreen(const PictureLibrary& library, QWidget* parent = nullptr);

  const ItemDiagram& diagram() const { return *diagram_; }

 private:
  ItemDiagram* diagram_;
};

}  // namespace glamora
