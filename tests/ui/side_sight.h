// What a person sees on a player's side of a game screen, read from the
// painted pixels: which picture stands in a place, where the arrow is.
#pragma once

#include <QImage>
#include <QPainter>

#include "assets/pictures/picture_library.h"
#include "modes/board_view.h"

namespace glamora::test {

inline QImage sidePixels(BoardView& side) { return side.grab().toImage().convertToFormat(QImage::Format_ARGB32); }

// Whether `place` of the side shows `picture` as painted over the black ground.
inline bool showsAt(BoardView& side, QRect place, const PictureLibrary& pictures, Picture picture) {
  const qreal ratio = side.devicePixelRatioF();
  QImage wanted(place.size() * ratio, QImage::Format_ARGB32);
  wanted.setDevicePixelRatio(ratio);
  wanted.fill(Qt::black);
  QPainter(&wanted).drawPixmap(0, 0, pictures.pixmap(picture, ratio));
  const QRect pixels(place.topLeft() * ratio, place.size() * ratio);
  QImage shown = sidePixels(side).copy(pixels);
  shown.setDevicePixelRatio(ratio);
  return shown == wanted;
}

// The column whose place in the arrow row is painted (0: none or several).
inline int arrowColumn(BoardView& side) {
  const QImage pixels = sidePixels(side);
  const qreal ratio = side.devicePixelRatioF();
  int found = 0;
  for (int c = 1; c <= kColumns; ++c) {
    const QRect place = BoardView::arrowRect(c);
    const QRect area(place.topLeft() * ratio, place.size() * ratio);
    bool painted = false;
    for (int y = area.top(); y <= area.bottom() && !painted; ++y)
      for (int x = area.left(); x <= area.right() && !painted; ++x) painted = pixels.pixel(x, y) != qRgb(0, 0, 0);
    if (painted) found = found ? -1 : c;
  }
  return found < 0 ? 0 : found;
}

}  // namespace glamora::test
