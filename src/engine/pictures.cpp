#include "pictures.h"

namespace glamora {

namespace {
Picture stillItem(int code) { return static_cast<Picture>(static_cast<int>(Picture::uitem1a) + code - 1); }
}  // namespace

Picture cellPicture(int code, int col, int row) {
  if (code == 0) {
    if (row == 10) return Picture::toumei;
    return static_cast<Picture>(static_cast<int>(Picture::un1) + col - 1);
  }
  if (code >= 1 && code <= 9) return stillItem(code);
  return Picture::Unchanged;
}

Picture carriedPicture(int code) {
  return code >= 1 && code <= 9 ? stillItem(code) : Picture::Unchanged;
}

Picture markerPicture(int code) {
  if (code >= 1 && code <= 9) return static_cast<Picture>(static_cast<int>(Picture::uitem1) + code - 1);
  if (code == 10) return Picture::uitem1x;
  return Picture::Unchanged;
}

}  // namespace glamora
