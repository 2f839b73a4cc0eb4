// The library pictures by name, and which picture a code selects where.
#pragma once

namespace glamora {

enum class Picture {
  Unchanged,  // the rule leaves the picture box as it is
  toumei,     // the empty picture: blanks a picture box
  un1, un2, un3, un4, un5, un6,
  uitem1a, uitem2a, uitem3a, uitem4a, uitem5a, uitem6a, uitem7a, uitem8a, uitem9a,
  uitem1, uitem2, uitem3, uitem4, uitem5, uitem6, uitem7, uitem8, uitem9,
  uitem1x,
};

// Board cell (col 1..6, row 1..10) showing `code`.
Picture cellPicture(int code, int col, int row);
// Carried item (ayaA/ayaB) showing `code`.
Picture carriedPicture(int code);
// Supply marker showing the offered `code` (10 = used up).
Picture markerPicture(int code);

}  // namespace glamora
