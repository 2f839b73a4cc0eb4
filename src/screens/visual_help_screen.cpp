#include "visual_help_screen.h"

#include <array>
#include <vector>

#include "assets/pictures/picture_library.h"
#include "screens/item_diagram.h"

namespace glamora {

namespace {

// Two cells before and after the mirror has copied its neighbour.
struct PairExample {
  std::array<int, 2> before;
  std::array<int, 2> after;
};

// A column of examples. Horizontal blocks read left to right: before, before,
// arrow, after, after, 32 pixels apart, one row every 48 pixels. Vertical
// blocks are columns 32 pixels apart: before pair, arrow, after pair, with the
// upper cell first, one pair every 72 pixels.
struct Block {
  QPoint origin;
  bool vertical;
  std::vector<PairExample> examples;
};

const Block kBlocks[] = {
    // A mirror facing left copies its left neighbour, turning rouges around.
    {{8, 8}, false, {{{3, 9}, {3, 2}}, {{2, 9}, {2, 3}}, {{5, 9}, {5, 5}}, {{4, 9}, {4, 4}}, {{1, 9}, {1, 1}}}},
    // A mirror facing right copies its right neighbour, mirrors included.
    {{192, 8},
     false,
     {{{8, 3}, {2, 3}}, {{8, 2}, {3, 2}}, {{8, 5}, {5, 5}}, {{8, 4}, {4, 4}}, {{8, 1}, {1, 1}}, {{8, 9}, {9, 9}}}},
    // A mirror facing up copies the item above it, turning combs over.
    {{376, 8}, true, {{{3, 6}, {3, 3}}, {{2, 6}, {2, 2}}, {{5, 6}, {5, 4}}, {{4, 6}, {4, 5}}, {{1, 6}, {1, 1}}}},
    // A mirror facing down copies the item below it.
    {{496, 8},
     true,
     {{{7, 3}, {3, 3}}, {{7, 2}, {2, 2}}, {{7, 5}, {4, 5}}, {{7, 4}, {5, 4}}, {{7, 1}, {1, 1}}, {{7, 6}, {6, 6}}}},
};

void addBlock(ItemDiagram& diagram, const Block& block) {
  QPoint row = block.origin;
  for (const PairExample& example : block.examples) {
    if (block.vertical) {
      diagram.addCodes(row, {0, 24}, example.before);
      diagram.addArrow(row + QPoint(32, 8), ArrowDirection::Right);
      diagram.addCodes(row + QPoint(64, 0), {0, 24}, example.after);
      row.ry() += 72;
    } else {
      diagram.addCodes(row, {32, 0}, example.before);
      diagram.addArrow(row + QPoint(64, -8), ArrowDirection::Right);
      diagram.addCodes(row + QPoint(96, 0), {32, 0}, example.after);
      row.ry() += 48;
    }
  }
}

struct LegendEntry {
  QPoint at;
  int code;
  const char* name;
};

constexpr LegendEntry kLegend[] = {
    {{8, 312}, 1, QT_TRANSLATE_NOOP("Screens", "ﾌｧﾝﾃﾞｰｼｮﾝ")},
    {{8, 352}, 2, QT_TRANSLATE_NOOP("Screens", "右向きﾙｰｼﾞｭ")},
    {{8, 392}, 3, QT_TRANSLATE_NOOP("Screens", "左向きﾙｰｼﾞｭ")},
    {{128, 312}, 4, QT_TRANSLATE_NOOP("Screens", "上向きクシ")},
    {{128, 352}, 5, QT_TRANSLATE_NOOP("Screens", "下向きクシ")},
    {{128, 392}, 6, QT_TRANSLATE_NOOP("Screens", "上向き鏡")},
    {{240, 312}, 7, QT_TRANSLATE_NOOP("Screens", "下向き鏡")},
    {{240, 352}, 8, QT_TRANSLATE_NOOP("Screens", "右向き鏡")},
    {{240, 392}, 9, QT_TRANSLATE_NOOP("Screens", "左向き鏡")},
};

}  // namespace

VisualHelpScreen::VisualHelpScreen(const PictureLibrary& library, QWidget* parent)
    : ScreenDialog(parent, "VhelpForm", Message("Screens", "%1 - ビジュアルヘルプ").arg(Message::fixed(kAppTitle)),
                   QSize(602, 425)),
      diagram_(new ItemDiagram(library, this)) {
  useHelpFrame(library);
  diagram_->setObjectName("diagram");
  for (const Block& block : kBlocks) addBlock(*diagram_, block);

  addLabel({"legend",
            {32, 280, 0, 0},
            QT_TRANSLATE_NOOP("Screens", "物の名前"),
            {.pixelHeight = 24, .align = Qt::AlignCenter}});
  const LabelStyle nameStyle{.pixelHeight = 12};
  for (const LegendEntry& entry : kLegend) {
    const PictureId picture = diagramPicture(entry.code);
    diagram_->addPicture(entry.at, picture);
    // The name stands 32 pixels right of its picture, level with its middle.
    QLabel* name = makeLabel(this, QRect(entry.at + QPoint(32, 6), QSize(0, 0)), QString(), nameStyle);
    bindText(name, Message("Screens", entry.name));
    name->setObjectName(QString("name_%1").arg(QString::fromUtf8(pictureName(picture))));
  }
  addOkButton("return1", {384, 384});
}

}  // namespace glamora
