// Shared colours and small drawing helpers of the artwork.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QSize>

namespace glamora::art {

// The plain ground behind every item (the toolkit's clAqua).
inline const QColor kAqua{0, 255, 255};
inline const QColor kDigitBlue{0, 0, 128};

// A transparent image of `logical` size at `devicePixelRatio`.
QImage blankCanvas(QSize logical, qreal devicePixelRatio);
// A painter on `image` in logical coordinates with antialiasing on.
void preparePainter(QPainter& painter);

// A four-pointed twinkle centred on `centre`.
QPainterPath sparklePath(QPointF centre, qreal radius, qreal waist = 0.18);
void paintSparkle(QPainter& painter, QPointF centre, qreal radius, const QColor& colour);

// A colour `amount` (0..1) of the way from `from` to `to`.
QColor mix(const QColor& from, const QColor& to, qreal amount);

}  // namespace glamora::art
