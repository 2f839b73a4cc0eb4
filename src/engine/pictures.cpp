#include "pictures.h"

#include "cells.h"

namespace glamora {

namespace {
constexpr int kItemKinds = 9;    // item codes are 1..9
constexpr int kUsedUpCode = 10;  // an offer with nothing left

Picture after(Picture first, int steps) { return static_cast<Picture>(static_cast<int>(first) + steps); }
}  // namespace

Picture itemPicture(int code) { return after(Picture::Item1, code - 1); }

Picture cellPicture(int code, int col, int row) {
  if (code == 0) return row == kRows ? Picture::Empty : after(Picture::EmptyCell1, col - 1);
  if (code >= 1 && code <= kItemKinds) return itemPicture(code);
  return Picture::Unchanged;
}

Picture carriedPicture(int code) { return code >= 1 && code <= kItemKinds ? itemPicture(code) : Picture::Unchanged; }

Picture markerPicture(int code) {
  if (code >= 1 && code <= kItemKinds) return after(Picture::OfferedItem1, code - 1);
  if (code == kUsedUpCode) return Picture::SupplyUsedUp;
  return Picture::Unchanged;
}

}  // namespace glamora
