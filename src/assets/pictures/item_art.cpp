#include "assets/pictures/item_art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <tuple>

#include "assets/pictures/art_kit.h"

namespace glamora::art {

namespace {

// ---- foundation compact --------------------------------------------------

void paintCompact(QPainter& p, int frame) {
  const QPointF centre(16, 12);
  p.setPen(QPen(QColor(150, 96, 50), 1.0));
  QRadialGradient rim(centre + QPointF(-3, -4), 13);
  rim.setColorAt(0, QColor(255, 226, 160));
  rim.setColorAt(1, QColor(205, 145, 70));
  p.setBrush(rim);
  p.drawEllipse(centre, 10.5, 10.5);

  QRadialGradient lid(centre + QPointF(-3, -3), 10);
  lid.setColorAt(0, QColor(255, 236, 218));
  lid.setColorAt(0.7, QColor(246, 200, 160));
  lid.setColorAt(1, QColor(226, 168, 122));
  p.setPen(QPen(QColor(196, 134, 88), 0.8));
  p.setBrush(lid);
  p.drawEllipse(centre, 8.5, 8.5);

  // A rose emblem in the middle of the lid.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(232, 110, 140));
  p.drawEllipse(centre, 2.6, 2.6);
  p.setBrush(QColor(255, 190, 205));
  p.drawEllipse(centre + QPointF(-0.8, -0.8), 1.0, 1.0);

  // Clasp at the front edge.
  p.setBrush(QColor(214, 160, 60));
  p.drawRoundedRect(QRectF(14, 20.5, 4, 2.5), 1, 1);

  // The frames differ only in the glint on the lid.
  struct Glint {
    QPointF at;
    qreal radius;
  };
  constexpr std::array<Glint, 3> kGlints = {{{{11.5, 7.5}, 3.0}, {{11.0, 7.0}, 4.2}, {{20.5, 16.0}, 3.2}}};
  const Glint& g = kGlints.at(frame);
  paintSparkle(p, g.at, g.radius, Qt::white);
}

// ---- lipstick, tip to the right -------------------------------------------

void paintLipstickBase(QPainter& p) {
  QLinearGradient blue(0, 6, 0, 18);
  blue.setColorAt(0, QColor(70, 110, 220));
  blue.setColorAt(0.35, QColor(32, 64, 170));
  blue.setColorAt(1, QColor(14, 30, 100));
  p.setPen(QPen(QColor(8, 18, 70), 0.8));
  p.setBrush(blue);
  p.drawRoundedRect(QRectF(2.5, 6.5, 12, 11), 1.5, 1.5);
  // Gold collar between the base and the stick or cap.
  QLinearGradient gold(0, 6, 0, 18);
  gold.setColorAt(0, QColor(255, 236, 140));
  gold.setColorAt(1, QColor(190, 140, 30));
  p.setPen(QPen(QColor(140, 100, 20), 0.6));
  p.setBrush(gold);
  p.drawRect(QRectF(14.5, 7.0, 2, 10));
}

void paintStick(QPainter& p, qreal right) {
  QLinearGradient yellow(0, 8, 0, 16);
  yellow.setColorAt(0, QColor(255, 250, 170));
  yellow.setColorAt(0.4, QColor(255, 220, 40));
  yellow.setColorAt(1, QColor(200, 150, 0));
  p.setPen(QPen(QColor(150, 110, 0), 0.7));
  p.setBrush(yellow);
  p.drawRect(QRectF(16.5, 8.5, right - 16.5, 7));
}

void paintRedTip(QPainter& p) {
  // The bullet is cut on the slant: long edge on top, short edge below.
  QPainterPath bullet;
  bullet.moveTo(21.5, 8.8);
  bullet.lineTo(27.5, 8.8);
  bullet.quadTo(30.5, 9.2, 29.6, 11.0);
  bullet.lineTo(26.5, 15.2);
  bullet.lineTo(21.5, 15.2);
  bullet.closeSubpath();
  QLinearGradient red(0, 9, 0, 15);
  red.setColorAt(0, QColor(255, 90, 110));
  red.setColorAt(0.45, QColor(225, 10, 45));
  red.setColorAt(1, QColor(150, 0, 25));
  p.setPen(QPen(QColor(110, 0, 20), 0.7));
  p.setBrush(red);
  p.drawPath(bullet);
  p.setPen(QPen(QColor(255, 200, 210), 0.9));
  p.drawLine(QPointF(22.5, 10.2), QPointF(27.0, 10.2));
}

void paintCap(QPainter& p) {
  QLinearGradient blue(0, 6, 0, 18);
  blue.setColorAt(0, QColor(190, 225, 255));
  blue.setColorAt(0.35, QColor(90, 160, 245));
  blue.setColorAt(1, QColor(40, 96, 200));
  p.setPen(QPen(QColor(20, 50, 130), 0.8));
  p.setBrush(blue);
  p.drawRoundedRect(QRectF(16.5, 6.5, 13, 11), 2.5, 2.5);
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
  p.drawLine(QPointF(18.5, 8.6), QPointF(27.0, 8.6));
}

void paintLipstick(QPainter& p, int frame) {
  paintLipstickBase(p);
  switch (frame) {
    case 0:
      paintStick(p, 22.0);
      paintRedTip(p);
      break;
    case 1:
      paintStick(p, 25.0);
      // The empty mouth of the stick.
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(160, 110, 0));
      p.drawRect(QRectF(23.5, 9.5, 1.5, 5));
      break;
    default: paintCap(p); break;
  }
}

// ---- comb, teeth up ---------------------------------------------------------

void paintComb(QPainter& p, int frame) {
  const QColor outline(150, 64, 0);
  // One-pixel teeth with one-pixel gaps, on whole pixels so that they stay
  // sharp at 1x; the outer teeth are shorter.
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  for (int x = 5; x <= 26; x += 2) {
    const int top = (x == 5 || x == 25) ? 7 : 4;
    p.setBrush(QColor(236, 116, 0));
    p.drawRect(QRect(x, top, 1, 15 - top));
    p.setBrush(outline);
    p.drawRect(QRect(x, top, 1, 1));
  }
  p.restore();

  QLinearGradient spine(0, 13, 0, 20);
  spine.setColorAt(0, QColor(255, 200, 110));
  spine.setColorAt(0.4, QColor(255, 140, 20));
  spine.setColorAt(1, QColor(205, 90, 0));
  p.setPen(QPen(outline, 1.0));
  p.setBrush(spine);
  p.drawRoundedRect(QRectF(2.5, 13.5, 27, 6), 3, 3);

  // A shine that travels along the spine from frame to frame.
  constexpr std::array<qreal, 3> kShineX = {14.0, 6.0, 22.0};
  const qreal x = kShineX.at(frame);
  p.setPen(QPen(QColor(255, 255, 255, 230), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(x, 15.2), QPointF(x + 4, 15.2));
  paintSparkle(p, QPointF(x + 5, 15.0), 2.2, Qt::white);
}

// ---- hand mirror -------------------------------------------------------------

// Drawn with the glass facing up, centred on the origin: the body is an
// ellipse `length` wide and `thickness` high, its upper part the glass, the
// rest the dark red back; the handle leaves the body to the right.
void paintMirrorFacingUp(QPainter& p, qreal length, qreal thickness, int frame) {
  const QRectF body(-length / 2, -thickness / 2, length, thickness);

  QLinearGradient handle(0, -2, 0, 2);
  handle.setColorAt(0, QColor(190, 40, 60));
  handle.setColorAt(1, QColor(90, 0, 20));
  p.setPen(QPen(QColor(60, 0, 10), 0.8));
  p.setBrush(handle);
  p.drawRoundedRect(QRectF(length / 2 - 2, -1.2, 6.5, 3.0), 1.4, 1.4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(235, 190, 80));  // gilt ring where the handle meets the body
  p.drawRect(QRectF(length / 2 - 0.5, -1.4, 1.4, 3.4));

  QLinearGradient back(0, -thickness / 2, 0, thickness / 2);
  back.setColorAt(0, QColor(200, 40, 60));
  back.setColorAt(0.6, QColor(130, 0, 28));
  back.setColorAt(1, QColor(70, 0, 14));
  p.setPen(QPen(QColor(60, 0, 10), 0.9));
  p.setBrush(back);
  p.drawEllipse(body);

  const QRectF glass(body.left() + 1.6, body.top() + 0.9, body.width() - 3.2, thickness * 0.58);
  QPainterPath glassPath;
  glassPath.addEllipse(glass);
  p.setPen(QPen(QColor(230, 180, 70), 0.9));  // gilt rim
  p.setBrush(Qt::white);
  p.drawPath(glassPath);

  if (frame == 0) {
    paintSparkle(p, QPointF(-length * 0.18, glass.center().y() - 0.2), 2.6, QColor(140, 220, 255));
    return;
  }
  // Grey reflections, slanting across the glass; frame c has them further on.
  p.save();
  p.setClipPath(glassPath);
  p.setPen(Qt::NoPen);
  const qreal shift = frame == 1 ? -length * 0.22 : length * 0.16;
  const qreal h = glass.height();
  for (const auto& [offset, width, grey] : {std::tuple{0.0, 3.2, 150}, std::tuple{4.5, 1.6, 185}}) {
    QPainterPath band;
    const qreal x = shift + offset;
    band.moveTo(x, glass.bottom());
    band.lineTo(x + width, glass.bottom());
    band.lineTo(x + width + h * 0.8, glass.top());
    band.lineTo(x + h * 0.8, glass.top());
    band.closeSubpath();
    p.setBrush(QColor(grey, grey, grey + 8));
    p.drawPath(band);
  }
  p.restore();
}

enum class Facing { Up, Down, Right, Left };

void paintMirror(QPainter& p, Facing facing, int frame) {
  p.save();
  switch (facing) {
    case Facing::Up:
      p.translate(13, 12);
      paintMirrorFacingUp(p, 22, 13, frame);
      break;
    case Facing::Down:
      p.translate(13, 12);
      p.scale(1, -1);
      paintMirrorFacingUp(p, 22, 13, frame);
      break;
    case Facing::Right:
      p.translate(16, 10);
      p.rotate(90);
      paintMirrorFacingUp(p, 17, 12, frame);
      break;
    case Facing::Left:
      p.translate(16, 10);
      p.scale(-1, 1);
      p.rotate(90);
      paintMirrorFacingUp(p, 17, 12, frame);
      break;
  }
  p.restore();
}

void mirrorLeftRight(QPainter& p) {
  p.translate(kCellWidth, 0);
  p.scale(-1, 1);
}

void mirrorUpDown(QPainter& p) {
  p.translate(0, kCellHeight);
  p.scale(1, -1);
}

}  // namespace

void paintItem(QPainter& p, int kind, int frame) {
  p.save();
  switch (kind) {
    case 1: paintCompact(p, frame); break;
    case 2: paintLipstick(p, frame); break;
    case 3:
      mirrorLeftRight(p);
      paintLipstick(p, frame);
      break;
    case 4: paintComb(p, frame); break;
    case 5:
      mirrorUpDown(p);
      paintComb(p, frame);
      break;
    case 6: paintMirror(p, Facing::Up, frame); break;
    case 7: paintMirror(p, Facing::Down, frame); break;
    case 8: paintMirror(p, Facing::Right, frame); break;
    case 9: paintMirror(p, Facing::Left, frame); break;
    default: break;
  }
  p.restore();
}

void paintUsedUpCross(QPainter& p, int frame) {
  struct Size {
    qreal reach, width;
  };
  constexpr std::array<Size, 3> kSizes = {{{8.0, 4.6}, {6.0, 3.8}, {4.0, 3.0}}};
  const Size s = kSizes.at(frame);
  const QPointF c(16, 12);
  QPainterPath cross;
  cross.moveTo(c + QPointF(-s.reach, -s.reach));
  cross.lineTo(c + QPointF(s.reach, s.reach));
  cross.moveTo(c + QPointF(s.reach, -s.reach));
  cross.lineTo(c + QPointF(-s.reach, s.reach));
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(110, 0, 0), s.width + 2, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(cross);
  p.setPen(QPen(QColor(235, 20, 20), s.width, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(cross);
  p.setPen(QPen(QColor(255, 140, 140), s.width * 0.3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c + QPointF(-s.reach + 1, -s.reach + 0.6), c + QPointF(-1.5, -1.9));
  p.restore();
}

}  // namespace glamora::art
