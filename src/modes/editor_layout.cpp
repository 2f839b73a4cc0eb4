#include "editor_layout.h"

namespace glamora::editor_layout {

namespace {

// White text on the black form, at the three heights the screen uses.
constexpr LabelStyle kNote{12, true, kClWhite};
constexpr LabelStyle kWord{19, true, kClWhite};
constexpr LabelStyle kLegend{24, true, kClWhite};
// Yellow boxes number the slots, aqua boxes the supply columns.
constexpr LabelStyle kSlotNumber{19, true, kClBlack, kClYellow};
constexpr LabelStyle kColumnNumber{19, true, kClBlack, kClAqua};

const LabelLayout kLabels[] = {
    {"Label33", {56, 8, 200, 12}, QT_TRANSLATE_NOOP("EditorScreen", "１から９までの数字を入力して下さい"), kNote},

    // Slot numbers beside the grid rows, slot 1 at the bottom.
    {"Label8", {8, 32, 24, 19}, QT_TRANSLATE_NOOP("EditorScreen", "８"), kSlotNumber},
    {"Label7", {8, 56, 24, 19}, QT_TRANSLATE_NOOP("EditorScreen", "７"), kSlotNumber},
    {"Label6", {8, 80, 24, 19}, QT_TRANSLATE_NOOP("EditorScreen", "６"), kSlotNumber},
    {"Label5", {8, 104, 24, 19}, QT_TRANSLATE_NOOP("EditorScreen", "５"), kSlotNumber},
    {"Label34", {8, 128, 24, 19}, QT_TRANSLATE_NOOP("EditorScreen", "４"), kSlotNumber},
    {"Label30", {8, 152, 24, 19}, QT_TRANSLATE_NOOP("EditorScreen", "３"), kSlotNumber},
    {"Label31", {8, 176, 24, 19}, QT_TRANSLATE_NOOP("EditorScreen", "２"), kSlotNumber},
    {"Label32", {8, 200, 24, 19}, QT_TRANSLATE_NOOP("EditorScreen", "１"), kSlotNumber},

    // Supply column numbers under the grid.
    {"Label9", {40, 232, 33, 19}, QT_TRANSLATE_NOOP("EditorScreen", "１"), kColumnNumber},
    {"Label10", {80, 232, 33, 19}, QT_TRANSLATE_NOOP("EditorScreen", "２"), kColumnNumber},
    {"Label11", {120, 232, 33, 19}, QT_TRANSLATE_NOOP("EditorScreen", "３"), kColumnNumber},
    {"Label12", {160, 232, 33, 19}, QT_TRANSLATE_NOOP("EditorScreen", "４"), kColumnNumber},
    {"Label13", {200, 232, 33, 19}, QT_TRANSLATE_NOOP("EditorScreen", "５"), kColumnNumber},
    {"Label14", {240, 232, 33, 19}, QT_TRANSLATE_NOOP("EditorScreen", "６"), kColumnNumber},

    // Legend: each picture's item code.
    {"Label15", {328, 16, 27, 24}, "=1", kLegend},
    {"Label16", {328, 48, 27, 24}, "=2", kLegend},
    {"Label17", {328, 80, 27, 24}, "=3", kLegend},
    {"Label18", {328, 112, 27, 24}, "=4", kLegend},
    {"Label19", {328, 144, 27, 24}, "=5", kLegend},
    {"Label20", {416, 16, 27, 24}, "=6", kLegend},
    {"Label21", {416, 48, 27, 24}, "=7", kLegend},
    {"Label22", {416, 80, 27, 24}, "=8", kLegend},
    {"Label23", {416, 112, 27, 24}, "=9", kLegend},

    // What the yellow and the aqua numbers mean, and the slot order rule.
    {"Label24", {288, 184, 24, 19}, QT_TRANSLATE_NOOP("EditorScreen", "数"), kSlotNumber},
    {"Label26", {312, 184, 52, 19}, QT_TRANSLATE_NOOP("EditorScreen", "=順番"), kWord},
    {"Label28", {280, 208, 175, 12}, QT_TRANSLATE_NOOP("EditorScreen", "（最初は１から８、次は８から１、"), kNote},
    {"Label29", {288, 224, 140, 12}, QT_TRANSLATE_NOOP("EditorScreen", "その後、交互になります）"), kNote},
    {"Label25", {288, 248, 33, 19}, QT_TRANSLATE_NOOP("EditorScreen", "数"), kColumnNumber},
    {"Label27", {328, 248, 52, 19}, QT_TRANSLATE_NOOP("EditorScreen", "=位置"), kWord},

    // Headings and ranges of the NORM and mirror time boxes.
    {"Label2",
     {8, 280, 318, 12},
     QT_TRANSLATE_NOOP("EditorScreen", "ＮＯＲＭの設定をします（一人で特訓モードのみ有効です）"),
     kNote},
    {"Label1",
     {32, 320, 236, 12},
     QT_TRANSLATE_NOOP("EditorScreen", "１から９９９９９までの数字を入力して下さい"),
     kNote},
    {"Label3",
     {8, 352, 425, 12},
     QT_TRANSLATE_NOOP("EditorScreen", "下向きの鏡が落ちてくるタイムを設定します(一人で特訓モードのみ有効です）"),
     kNote},
    {"Label4", {40, 392, 209, 12}, QT_TRANSLATE_NOOP("EditorScreen", "１から９９までの数字を入力して下さい"), kNote},
};

// Items 1..5 down the first legend column (Image5 holds item 4, Image4 item 5),
// items 6..9 down the second.
const PictureLayout kPictures[] = {
    {"Image1", {288, 16}, Picture::Item1},  {"Image2", {288, 48}, Picture::Item2},
    {"Image3", {288, 80}, Picture::Item3},  {"Image5", {288, 112}, Picture::Item4},
    {"Image4", {288, 144}, Picture::Item5}, {"Image6", {376, 16}, Picture::Item6},
    {"Image7", {376, 48}, Picture::Item7},  {"Image8", {376, 80}, Picture::Item8},
    {"Image9", {376, 112}, Picture::Item9},
};

}  // namespace

std::span<const LabelLayout> labels() { return kLabels; }
std::span<const PictureLayout> pictures() { return kPictures; }

std::vector<EditorBox> boxesInCheckOrder() { return editorBoxesInCheckOrder(); }

QRect boxGeometry(const EditorBox& box) {
  switch (box.kind) {
    case EditorBox::Norm: return {112, 296, 57, 20};
    case EditorBox::MirrorTime: return {120, 368, 41, 20};
    case EditorBox::Grid: break;
  }
  // Column 1 at the left, slot 1 at the bottom.
  return {40 + 40 * (box.column - 1), 200 - 24 * (box.slot - 1), 33, 20};
}

QStringList boxItems(const EditorBox& box) {
  switch (box.kind) {
    case EditorBox::Norm:  // the NORMs of training stages 1 to 14
      return {"1500", "1800", "2100", "2400", "2700", "3000", "3300",
              "3600", "3900", "4200", "4500", "4800", "5100", "5400"};
    case EditorBox::MirrorTime:  // the mirror periods of training stages 1 to 14
      return {"95", "90", "85", "80", "75", "70", "65", "60", "55", "50", "45", "40", "35", "30"};
    case EditorBox::Grid: break;
  }
  return {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
}

}  // namespace glamora::editor_layout
