#include "technique_screen.h"

#include "screens/item_diagram.h"

namespace glamora {

const std::vector<ChainExample>& techniqueExamples() {
  static const std::vector<ChainExample> examples = {
      // Five mirrors facing left to the right of a comb facing up: six combs.
      {{120, 24}, {360, 24}, {320, 16}, false, {4, 9, 9, 9, 9, 9}, {4, 4, 4, 4, 4, 4}},
      // The same with a comb facing down.
      {{120, 80}, {360, 80}, {320, 72}, false, {5, 9, 9, 9, 9, 9}, {5, 5, 5, 5, 5, 5}},
      // Five mirrors facing up between foundations: a column of seven foundations.
      {{40, 200}, {120, 200}, {80, 268}, true, {1, 6, 6, 6, 6, 6, 1}, {1, 1, 1, 1, 1, 1, 1}},
      // Five mirrors facing down above a rouge: six rouges.
      {{248, 224}, {328, 224}, {288, 280}, true, {7, 7, 7, 7, 7, 3}, {3, 3, 3, 3, 3, 3}},
      // Five mirrors facing right to the left of a foundation: six foundations;
      // the note beside it says combs behave the same.
      {{440, 264}, {440, 336}, {520, 296}, false, {8, 8, 8, 8, 8, 1}, {1, 1, 1, 1, 1, 1}},
  };
  return examples;
}

namespace {

constexpr LabelStyle kNote{.pixelHeight = 15};

constexpr LabelLayout kLabels[] = {
    {"Label1", {440, 376, 0, 0}, QT_TRANSLATE_NOOP("Screens", "（ファンデーションの代わりに、"), kNote},
    {"Label2", {440, 400, 0, 0}, QT_TRANSLATE_NOOP("Screens", "上向きのクシ、下向きのクシでも"), kNote},
    {"Label3", {440, 424, 0, 0}, QT_TRANSLATE_NOOP("Screens", "同様の結果を得ることができます）"), kNote},
};

}  // namespace

TechniqueScreen::TechniqueScreen(const PictureLibrary& library, QWidget* parent)
    : ScreenDialog(parent, "TekuForm", Message("Screens", "%1 - テクニック").arg(Message::fixed(kAppTitle)),
                   QSize(690, 521)),
      diagram_(new ItemDiagram(library, this)) {
  useHelpFrame(library);
  diagram_->setObjectName("diagram");
  for (const ChainExample& example : techniqueExamples()) {
    const QPoint step = example.vertical ? QPoint(0, 24) : QPoint(32, 0);
    diagram_->addCodes(example.before, step, example.beforeCodes);
    // The arrow points from the cells before to the cells after.
    diagram_->addArrow(example.arrow,
                       example.after.x() > example.before.x() ? ArrowDirection::Right : ArrowDirection::Down);
    diagram_->addCodes(example.after, step, example.afterCodes);
  }
  addLabels(kLabels);
  addOkButton("return1", {512, 488});
}

}  // namespace glamora
