#include "assets/pictures/tile_art.h"

#include <QFont>
#include <QLinearGradient>

#include <array>

#include "assets/pictures/art_kit.h"

namespace glamora::art {

namespace {

// Pink, green, grey-green, light yellow, turquoise, olive.
const std::array<QColor, 6> kTileColours = {
    QColor(255, 188, 206), QColor(150, 228, 150), QColor(170, 196, 168),
    QColor(255, 246, 160), QColor(120, 226, 214), QColor(190, 190, 110),
};

}  // namespace

void paintColumnTile(QPainter& p, int column) {
  const QColor base = kTileColours.at(column - 1);
  const QRectF cell(0, 0, 32, 24);
  p.save();
  QLinearGradient face(0, 0, 0, 24);
  face.setColorAt(0, mix(base, Qt::white, 0.25));
  face.setColorAt(1, mix(base, Qt::black, 0.06));
  p.fillRect(cell, face);

  // A one-pixel bevel so that neighbouring tiles read as separate cells.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRectF(0, 0, 32, 1), mix(base, Qt::white, 0.6));
  p.fillRect(QRectF(0, 0, 1, 24), mix(base, Qt::white, 0.6));
  p.fillRect(QRectF(0, 23, 32, 1), mix(base, Qt::black, 0.3));
  p.fillRect(QRectF(31, 0, 1, 24), mix(base, Qt::black, 0.3));
  p.setRenderHint(QPainter::Antialiasing, true);

  QFont font("IPAPGothic");
  font.setPixelSize(18);
  font.setBold(true);
  p.setFont(font);
  const QString digit = QString::number(column);
  p.setPen(mix(base, Qt::white, 0.7));
  p.drawText(cell.translated(0.6, 1.6), Qt::AlignCenter, digit);
  p.setPen(kDigitBlue);
  p.drawText(cell.translated(0, 1), Qt::AlignCenter, digit);
  p.restore();
}

}  // namespace glamora::art
