#include "assets/pictures/art_kit.h"

#include <cmath>

namespace glamora::art {

QImage blankCanvas(QSize logical, qreal devicePixelRatio) {
  const QSize pixels(qRound(logical.width() * devicePixelRatio), qRound(logical.height() * devicePixelRatio));
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  image.setDevicePixelRatio(devicePixelRatio);
  return image;
}

void preparePainter(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QPainterPath sparklePath(QPointF centre, qreal radius, qreal waist) {
  QPainterPath path;
  const qreal w = radius * waist;
  const QPointF points[] = {
      {0, -radius}, {w, -w}, {radius, 0}, {w, w}, {0, radius}, {-w, w}, {-radius, 0}, {-w, -w},
  };
  path.moveTo(centre + points[0]);
  for (int i = 1; i < 8; ++i) path.lineTo(centre + points[i]);
  path.closeSubpath();
  return path;
}

void paintSparkle(QPainter& painter, QPointF centre, qreal radius, const QColor& colour) {
  painter.save();
  painter.setPen(Qt::NoPen);
  QColor glow = colour;
  glow.setAlphaF(0.35);
  painter.setBrush(glow);
  painter.drawEllipse(centre, radius * 0.45, radius * 0.45);
  painter.setBrush(colour);
  painter.drawPath(sparklePath(centre, radius));
  painter.restore();
}

QColor mix(const QColor& from, const QColor& to, qreal amount) {
  const auto lerp = [amount](qreal a, qreal b) { return a + (b - a) * amount; };
  return QColor::fromRgbF(lerp(from.redF(), to.redF()), lerp(from.greenF(), to.greenF()),
                          lerp(from.blueF(), to.blueF()), lerp(from.alphaF(), to.alphaF()));
}

}  // namespace glamora::art
