#include "pictures.h"

namespace glamora {

namespace {
Picture after(Picture first, int steps) { return static_cast<Picture>(static_cast<int>(first) + steps); }
// Pictures of items come in code order, the first item's first.
int itemStep(Code item) { return static_cast<int>(item) - static_cast<int>(Code::Foundation); }
}  // namespace

Picture itemPicture(Code code) { return after(Picture::Item1, itemStep(code)); }

Picture cellPicture(Code code, int col, int row) {
  if (code == Code::Empty) return row == kRows ? Picture::Empty : after(Picture::EmptyCell1, col - 1);
  return isItem(code) ? itemPicture(code) : Picture::Unchanged;
}

Picture carriedPicture(Code code) { return isItem(code) ? itemPicture(code) : Picture::Unchanged; }

Picture markerPicture(Code code) {
  if (isItem(code)) return after(Picture::OfferedItem1, itemStep(code));
  return code == Code::UsedUp ? Picture::SupplyUsedUp : Picture::Unchanged;
}

}  // namespace glamora
