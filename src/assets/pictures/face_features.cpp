#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <utility>

#include "assets/pictures/art_kit.h"
#include "assets/pictures/face_parts.h"

namespace glamora::art {

namespace {

constexpr QPointF kLeftEye(38.5, 48);
constexpr QPointF kRightEye(57.5, 48);

struct EyeShape {
  qreal width, height;
  qreal topBulge, bottomBulge;  // how far the lids curve out, in eye heights
  qreal outerLift;              // outer corner raised by this much
};

EyeShape eyeShapeOf(const Look& look) {
  // ELNA has big round eyes, MIRABE long almond ones with lifted corners.
  return look.who == Character::Elna ? EyeShape{11, 13, 0.66, 0.64, 0.5} : EyeShape{12.5, 10, 0.78, 0.5, 1.6};
}

// `side` is -1 for the left eye (outer corner to the left), +1 for the right.
QPainterPath eyeOutline(const EyeShape& s, QPointF c, int side, qreal openness, QPainterPath* upperLid = nullptr) {
  const QPointF inner(c.x() - side * s.width / 2, c.y() + 0.8);
  const QPointF outer(c.x() + side * s.width / 2, c.y() - s.outerLift);
  const qreal up = s.height * s.topBulge * openness;
  const qreal down = s.height * s.bottomBulge;
  QPainterPath path(inner);
  path.cubicTo(inner + QPointF(0, -up), outer + QPointF(-side * 1.0, -up), outer);
  if (upperLid) *upperLid = path;
  path.cubicTo(outer + QPointF(0, down), inner + QPointF(0, down), inner);
  return path;
}

void paintOpenEye(QPainter& p, const Look& look, QPointF c, int side, qreal openness, bool wet) {
  const EyeShape s = eyeShapeOf(look);
  QPainterPath lid;
  const QPainterPath eye = eyeOutline(s, c, side, openness, &lid);

  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(eye);
  p.setClipPath(eye);
  // Iris and pupil, looking a little to the front.
  const QPointF irisCentre(c.x() - side * 0.3, c.y() + s.height * 0.06);
  const qreal rx = s.width * 0.37;
  const qreal ry = s.height * 0.46;
  QLinearGradient iris(0, irisCentre.y() - ry, 0, irisCentre.y() + ry);
  iris.setColorAt(0, look.irisDark);
  iris.setColorAt(0.55, look.iris);
  iris.setColorAt(1, mix(look.iris, Qt::white, 0.5));
  p.setBrush(iris);
  p.setPen(QPen(look.irisDark, 0.6));
  p.drawEllipse(irisCentre, rx, ry);
  p.setPen(Qt::NoPen);
  p.setBrush(mix(look.irisDark, Qt::black, 0.5));
  p.drawEllipse(irisCentre + QPointF(0, -0.4), rx * 0.45, ry * 0.5);
  // Catch lights: the light comes from the upper left.
  p.setBrush(Qt::white);
  p.drawEllipse(irisCentre + QPointF(-rx * 0.42, -ry * 0.42), 1.9, 1.9);
  p.drawEllipse(irisCentre + QPointF(rx * 0.4, ry * 0.42), 0.9, 0.9);
  if (wet) {
    p.drawEllipse(irisCentre + QPointF(rx * 0.35, -ry * 0.5), 1.1, 1.1);
    // Tears welling up along the lower lid.
    QLinearGradient pool(0, c.y() + s.height * 0.15, 0, c.y() + s.height * 0.5);
    pool.setColorAt(0, QColor(150, 220, 255, 0));
    pool.setColorAt(1, QColor(150, 220, 255, 200));
    p.setBrush(pool);
    p.drawRect(QRectF(c.x() - s.width / 2, c.y() + s.height * 0.15, s.width, s.height));
  }
  p.restore();

  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(look.lash, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(lid);
  // Lashes flick out at the outer corner.
  const QPointF outer = lid.currentPosition();
  p.setPen(QPen(look.lash, 1.3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(outer, outer + QPointF(side * 2.6, -1.8));
  if (look.who == Character::Mirabe) p.drawLine(outer + QPointF(-side * 1.5, -1.4), outer + QPointF(side * 0.8, -3.6));
  // The lower lid, faint.
  QColor lower = look.lash;
  lower.setAlpha(wet ? 200 : 110);
  p.setPen(QPen(wet ? QColor(90, 170, 230) : lower, wet ? 1.3 : 0.9, Qt::SolidLine, Qt::RoundCap));
  const qreal bottom = c.y() + s.height * s.bottomBulge * 0.75 + 0.6;
  p.drawLine(QPointF(c.x() - 2.2, bottom), QPointF(c.x() + 2.2, bottom));
  p.restore();
}

// A happy closed eye: an arch with a lash at the outer end.
void paintClosedEye(QPainter& p, const Look& look, QPointF c, int side) {
  const EyeShape s = eyeShapeOf(look);
  QPainterPath arch(QPointF(c.x() - s.width / 2, c.y() + 2));
  arch.quadTo(QPointF(c.x(), c.y() - 5.5), QPointF(c.x() + s.width / 2, c.y() + 2));
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(look.lash, 2.3, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(arch);
  const QPointF outer(c.x() + side * s.width / 2, c.y() + 2);
  p.setPen(QPen(look.lash, 1.3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(outer, outer + QPointF(side * 2.2, 0.8));
  p.restore();
}

}  // namespace

void paintCheeks(QPainter& p, const Look&, Mood mood) {
  if (mood == Mood::Losing) return;
  const int alpha = mood == Mood::Winning ? 150 : 60;
  p.save();
  p.setPen(Qt::NoPen);
  for (const qreal x : {34.0, 62.0}) {
    QRadialGradient blush(QPointF(x, 56), 6);
    blush.setColorAt(0, QColor(255, 120, 140, alpha));
    blush.setColorAt(1, QColor(255, 120, 140, 0));
    p.setBrush(blush);
    p.drawEllipse(QPointF(x, 56), 5.5, 3.4);
    if (mood == Mood::Winning) {
      p.setPen(QPen(QColor(235, 90, 110, 170), 0.8, Qt::SolidLine, Qt::RoundCap));
      for (int i = -1; i <= 1; ++i) p.drawLine(QPointF(x + i * 2.2 + 0.8, 54.6), QPointF(x + i * 2.2 - 0.6, 57.2));
      p.setPen(Qt::NoPen);
    }
  }
  p.restore();
}

void paintEyes(QPainter& p, const Look& look, Mood mood) {
  if (look.who == Character::Mirabe) {
    // A touch of eye shadow.
    p.save();
    p.setPen(Qt::NoPen);
    for (const QPointF c : {kLeftEye, kRightEye}) {
      QRadialGradient shadow(c + QPointF(0, -3), 9);
      shadow.setColorAt(0, QColor(190, 80, 200, 110));
      shadow.setColorAt(1, QColor(190, 80, 200, 0));
      p.setBrush(shadow);
      p.drawEllipse(c + QPointF(0, -3), 9, 6);
    }
    p.restore();
  }
  switch (mood) {
    case Mood::Winning:
      paintClosedEye(p, look, kLeftEye, -1);
      if (look.who == Character::Mirabe) {
        paintOpenEye(p, look, kRightEye, +1, 1.0, false);  // a wink
      } else {
        paintClosedEye(p, look, kRightEye, +1);
      }
      break;
    case Mood::Playing:
      paintOpenEye(p, look, kLeftEye, -1, 0.78, false);
      paintOpenEye(p, look, kRightEye, +1, 0.78, false);
      break;
    case Mood::Losing:
      paintOpenEye(p, look, kLeftEye, -1, 1.05, true);
      paintOpenEye(p, look, kRightEye, +1, 1.05, true);
      break;
  }
}

void paintBrows(QPainter& p, const Look& look, Mood mood) {
  // Inner and outer end offsets: knitted when focused, raised inside when sad.
  struct Tilt {
    qreal inner, outer, lift;
  };
  const Tilt tilt = mood == Mood::Playing   ? Tilt{1.6, -1.0, 0}
                    : mood == Mood::Winning ? Tilt{0, 0.4, -1.2}
                                            : Tilt{-2.2, 1.4, -0.5};
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(look.hairDark, 1.7, Qt::SolidLine, Qt::RoundCap));
  for (const auto& [c, side] : {std::pair{kLeftEye, -1}, std::pair{kRightEye, +1}}) {
    const qreal y = c.y() - 10.5 + tilt.lift;
    const QPointF inner(c.x() - side * 4.2, y + tilt.inner);
    const QPointF outer(c.x() + side * 4.8, y + tilt.outer);
    QPainterPath brow(inner);
    brow.quadTo(QPointF(c.x(), y - 1.6 + (tilt.inner + tilt.outer) / 2), outer);
    p.drawPath(brow);
  }
  p.restore();
}

void paintNose(QPainter& p) {
  p.save();
  p.setPen(QPen(QColor(215, 150, 130), 1.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(48.8, 53.4), QPointF(47.8, 55.4));
  p.restore();
}

void paintMouth(QPainter& p, const Look& look, Mood mood) {
  const QColor inside(150, 30, 50);
  const QColor outline = mix(look.lips, Qt::black, 0.35);
  p.save();
  switch (mood) {
    case Mood::Winning: {
      // A wide open smile with teeth and tongue.
      const qreal half = look.who == Character::Elna ? 7.0 : 7.5;
      QPainterPath mouth(QPointF(48 - half, 58.5));
      mouth.quadTo(QPointF(48, 60), QPointF(48 + half, 58.5));
      mouth.cubicTo(QPointF(48 + half - 1, 67), QPointF(48 - half + 1, 67), QPointF(48 - half, 58.5));
      p.setPen(Qt::NoPen);
      p.setBrush(inside);
      p.drawPath(mouth);
      p.setClipPath(mouth);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(40, 57, 16, 3.1));
      p.setBrush(QColor(255, 120, 135));
      p.drawEllipse(QPointF(48, 65.5), 4.5, 3);
      p.setClipping(false);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(look.who == Character::Mirabe ? look.lips : outline, look.who == Character::Mirabe ? 1.3 : 0.9));
      p.drawPath(mouth);
      break;
    }
    case Mood::Playing:
      if (look.who == Character::Mirabe) {
        // Closed, painted lips with a poised little smile.
        QPainterPath lips(QPointF(43.5, 60.5));
        lips.cubicTo(QPointF(45.5, 58.6), QPointF(47, 59.6), QPointF(48, 59.4));
        lips.cubicTo(QPointF(49, 59.6), QPointF(50.5, 58.6), QPointF(52.5, 60.5));
        lips.cubicTo(QPointF(50.5, 63.2), QPointF(45.5, 63.2), QPointF(43.5, 60.5));
        p.setPen(QPen(outline, 0.6));
        p.setBrush(look.lips);
        p.drawPath(lips);
        p.setPen(QPen(outline, 0.9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(44.2, 60.6), QPointF(51.8, 60.6));
        p.setPen(QPen(QColor(255, 255, 255, 170), 0.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(47, 61.8), QPointF(49, 61.8));
      } else {
        // Lips pressed together in concentration.
        p.setPen(QPen(outline, 1.3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath line(QPointF(44.5, 61));
        line.quadTo(QPointF(48, 60.2), QPointF(51.5, 61));
        p.drawPath(line);
      }
      break;
    case Mood::Losing: {
      // A trembling, downturned open mouth.
      QPainterPath mouth(QPointF(43, 63.5));
      mouth.quadTo(QPointF(44.5, 59.8), QPointF(46.2, 60.6));
      mouth.quadTo(QPointF(48, 59.4), QPointF(49.8, 60.6));
      mouth.quadTo(QPointF(51.5, 59.8), QPointF(53, 63.5));
      mouth.quadTo(QPointF(48, 61.8), QPointF(43, 63.5));
      p.setPen(QPen(outline, 0.9));
      p.setBrush(inside);
      p.drawPath(mouth);
      break;
    }
  }
  p.restore();
}

void paintTears(QPainter& p) {
  p.save();
  const QColor tear(120, 205, 255, 215);
  const QColor rim(60, 150, 230);
  for (const auto& [c, side] : {std::pair{kLeftEye, -1}, std::pair{kRightEye, +1}}) {
    // A stream down the cheek ending in a drop.
    const QPointF start(c.x() + side * 3.5, c.y() + 6.5);
    QPainterPath stream(start);
    stream.cubicTo(start + QPointF(side * 1.0, 3), start + QPointF(side * 0.2, 6), start + QPointF(side * 0.9, 9));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(tear, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stream);
    const QPointF drop = start + QPointF(side * 0.9, 11.5);
    QPainterPath drip(drop + QPointF(0, -3.5));
    drip.cubicTo(drop + QPointF(2.4, 0), drop + QPointF(1.8, 2.2), drop + QPointF(0, 2.2));
    drip.cubicTo(drop + QPointF(-1.8, 2.2), drop + QPointF(-2.4, 0), drop + QPointF(0, -3.5));
    p.setPen(QPen(rim, 0.6));
    p.setBrush(tear);
    p.drawPath(drip);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(drop + QPointF(-0.6, 0.2), 0.6, 0.8);
  }
  p.restore();
}

}  // namespace glamora::art
