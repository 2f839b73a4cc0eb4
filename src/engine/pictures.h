// The pictures the rules put in a picture box, by what they show, and which
// picture a code selects where.
#pragma once

#include "cells.h"

namespace glamora {

// clang-format off
enum class Picture {
  Unchanged,  // the rule leaves the picture box as it is
  Empty,      // blanks a picture box
  // An empty board cell, shaded by its column.
  EmptyCell1, EmptyCell2, EmptyCell3, EmptyCell4, EmptyCell5, EmptyCell6,
  // An item standing still: on the board and carried.
  Item1, Item2, Item3, Item4, Item5, Item6, Item7, Item8, Item9,
  // An item offered in a supply column: it moves through its frames.
  OfferedItem1, OfferedItem2, OfferedItem3, OfferedItem4, OfferedItem5, OfferedItem6, OfferedItem7,
  OfferedItem8, OfferedItem9,
  SupplyUsedUp,  // the cross over a supply column with nothing left
};
// clang-format on
inline constexpr int kPictureCodes = static_cast<int>(Picture::SupplyUsedUp) + 1;

// Board cell (col 1..6, row 1..10) showing `code`.
Picture cellPicture(Code code, int col, int row);
// Carried item showing `code`.
Picture carriedPicture(Code code);
// Supply marker showing the offered `code`.
Picture markerPicture(Code code);
// The still picture of an item.
Picture itemPicture(Code code);

}  // namespace glamora
