#include "assets/pictures/face_art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include "assets/pictures/art_kit.h"
#include "assets/pictures/face_parts.h"

namespace glamora::art {

namespace {

// ELNA: a cheerful girl in aqua and navy. MIRABE: a poised young woman in
// fuchsia and purple.
// clang-format off
const Look kElna{
    Character::Elna,
    QColor(34, 46, 112), QColor(84, 118, 200), QColor(16, 22, 62),
    QColor(30, 200, 220), QColor(8, 70, 110),
    QColor(28, 24, 60),
    QColor(40, 215, 230), QColor(0, 150, 175),
    QColor(24, 36, 100), QColor(235, 250, 255),
    QColor(235, 90, 110),
    QColor(225, 255, 255), QColor(60, 200, 215),
};
// clang-format on
// clang-format off
const Look kMirabe{
    Character::Mirabe,
    QColor(110, 46, 150), QColor(180, 110, 220), QColor(60, 18, 90),
    QColor(190, 90, 235), QColor(70, 10, 110),
    QColor(45, 10, 50),
    QColor(235, 40, 165), QColor(170, 10, 115),
    QColor(100, 30, 140), QColor(255, 210, 120),
    QColor(215, 25, 95),
    QColor(255, 228, 246), QColor(200, 70, 180),
};
// clang-format on

const Look& lookOf(Character who) { return who == Character::Elna ? kElna : kMirabe; }

// The mirror image of a path drawn on the left half of the portrait.
QPainterPath mirrored(const QPainterPath& path) { return QTransform(-1, 0, 0, 1, 96, 0).map(path); }

QLinearGradient hairGradient(const Look& look, qreal top, qreal bottom) {
  QLinearGradient g(0, top, 0, bottom);
  g.setColorAt(0, look.hairLight);
  g.setColorAt(0.35, look.hair);
  g.setColorAt(1, look.hairDark);
  return g;
}

void fillHair(QPainter& p, const Look& look, const QPainterPath& path, qreal top, qreal bottom) {
  p.setPen(QPen(look.hairDark, 0.9));
  p.setBrush(hairGradient(look, top, bottom));
  p.drawPath(path);
}

void paintBackdrop(QPainter& p, const Look& look, Mood mood) {
  QColor inner = look.backdropInner;
  QColor outer = look.backdropOuter;
  if (mood == Mood::Losing) {
    const QColor gloom(70, 84, 120);
    inner = mix(inner, gloom, 0.45);
    outer = mix(outer, gloom, 0.6);
  }
  QRadialGradient ground(QPointF(48, 42), 68);
  ground.setColorAt(0, inner);
  ground.setColorAt(1, outer);
  p.fillRect(QRectF(0, 0, 96, 96), ground);

  if (mood == Mood::Winning) {
    struct Twinkle {
      QPointF at;
      qreal radius;
    };
    for (const Twinkle& t : {Twinkle{{12, 14}, 6}, Twinkle{{84, 12}, 4}, Twinkle{{86, 58}, 5}, Twinkle{{9, 56}, 3.5},
                             Twinkle{{74, 34}, 2.5}})
      paintSparkle(p, t.at, t.radius, Qt::white);
  } else if (mood == Mood::Losing) {
    // Falling lines of gloom.
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
    for (int i = 0; i < 9; ++i) {
      const qreal x = 6 + i * 10.5;
      const qreal y = (i * 37) % 50;
      p.drawLine(QPointF(x, y), QPointF(x - 3, y + 16));
    }
    p.restore();
  }
}

void paintHead(QPainter& p) {
  // Neck with the shadow of the chin.
  QPainterPath neck(QPointF(41, 60));
  neck.lineTo(41, 76);
  neck.quadTo(48, 80, 55, 76);
  neck.lineTo(55, 60);
  neck.closeSubpath();
  p.setPen(QPen(QColor(215, 150, 130), 0.7));
  p.setBrush(kSkin);
  p.drawPath(neck);
  p.save();
  p.setClipPath(neck);
  p.setPen(Qt::NoPen);
  p.setBrush(kSkinShade);
  p.drawEllipse(QPointF(48, 66), 10, 5.5);
  p.restore();

  p.setPen(QPen(QColor(215, 150, 130), 0.8));
  p.setBrush(kSkin);
  p.drawEllipse(QPointF(29.8, 49), 3.2, 4.6);
  p.drawEllipse(QPointF(66.2, 49), 3.2, 4.6);

  QPainterPath face(QPointF(30, 36));
  face.cubicTo(29, 53, 38, 66, 48, 70);
  face.cubicTo(58, 66, 67, 53, 66, 36);
  face.cubicTo(66, 18, 30, 18, 30, 36);
  QRadialGradient skin(QPointF(45, 44), 28);
  skin.setColorAt(0, QColor(255, 238, 226));
  skin.setColorAt(0.7, kSkin);
  skin.setColorAt(1, mix(kSkin, kSkinShade, 0.7));
  p.setBrush(skin);
  p.drawPath(face);
}

// ---- ELNA: navy twin tails with aqua ribbons, aqua top with a sailor collar --

QPainterPath elnaTail() {
  QPainterPath tail(QPointF(25, 27));
  tail.cubicTo(12, 25, 5, 40, 7, 56);
  tail.quadTo(8, 67, 14, 76);
  tail.quadTo(12, 63, 17, 53);
  tail.cubicTo(21, 45, 26, 39, 28, 32);
  tail.closeSubpath();
  return tail;
}

void paintElnaBackHair(QPainter& p, const Look& look) {
  QPainterPath bob(QPointF(23, 40));
  bob.cubicTo(20, 12, 76, 12, 73, 40);
  bob.lineTo(72, 62);
  bob.quadTo(69, 66, 64, 63);
  bob.lineTo(32, 63);
  bob.quadTo(27, 66, 24, 62);
  bob.closeSubpath();
  fillHair(p, look, bob, 14, 64);
  fillHair(p, look, elnaTail(), 25, 76);
  fillHair(p, look, mirrored(elnaTail()), 25, 76);
}

void paintRibbon(QPainter& p, QPointF knot, const QColor& colour, const QColor& edge) {
  p.save();
  p.setPen(QPen(edge, 0.8));
  p.setBrush(colour);
  for (const int side : {-1, 1}) {
    QPainterPath loop(knot);
    loop.cubicTo(knot + QPointF(side * 4, -6), knot + QPointF(side * 8, -3), knot + QPointF(side * 7, 1));
    loop.cubicTo(knot + QPointF(side * 6, 4), knot + QPointF(side * 3, 2), knot);
    p.drawPath(loop);
    QPainterPath tail(knot);
    tail.lineTo(knot + QPointF(side * 4.5, 6.5));
    tail.lineTo(knot + QPointF(side * 2, 6));
    tail.closeSubpath();
    p.drawPath(tail);
  }
  p.setBrush(mix(colour, Qt::white, 0.4));
  p.drawEllipse(knot, 2, 2);
  p.restore();
}

void paintElnaClothes(QPainter& p, const Look& look) {
  QPainterPath body(QPointF(2, 96));
  body.cubicTo(4, 84, 18, 78, 36, 75);
  body.lineTo(60, 75);
  body.cubicTo(78, 78, 92, 84, 94, 96);
  body.closeSubpath();
  QLinearGradient top(0, 75, 0, 96);
  top.setColorAt(0, mix(look.clothes, Qt::white, 0.3));
  top.setColorAt(1, look.clothesDark);
  p.setPen(QPen(look.clothesDark, 0.8));
  p.setBrush(top);
  p.drawPath(body);

  // Navy sailor collar with a white stripe, open in a V at the front.
  QPainterPath collar(QPointF(12, 84));
  collar.quadTo(26, 75, 39, 74.5);
  collar.lineTo(48, 90);
  collar.lineTo(57, 74.5);
  collar.quadTo(70, 75, 84, 84);
  collar.lineTo(80, 90);
  collar.quadTo(68, 83, 60, 82);
  collar.lineTo(48, 96);
  collar.lineTo(36, 82);
  collar.quadTo(28, 83, 16, 90);
  collar.closeSubpath();
  p.setPen(QPen(QColor(8, 14, 50), 0.8));
  p.setBrush(look.trim);
  p.drawPath(collar);
  p.setPen(QPen(look.trimLight, 1.1));
  p.setBrush(Qt::NoBrush);
  QPainterPath stripe(QPointF(16, 86.5));
  stripe.quadTo(28, 79, 37.5, 78.5);
  stripe.lineTo(48, 94);
  stripe.lineTo(58.5, 78.5);
  stripe.quadTo(68, 79, 80, 86.5);
  p.drawPath(stripe);
  paintRibbon(p, QPointF(48, 89), QColor(60, 235, 245), QColor(0, 110, 140));
}

void paintElnaFrontHair(QPainter& p, const Look& look) {
  // Bangs in pointed locks across the forehead.
  QPainterPath bangs(QPointF(26, 47));
  bangs.cubicTo(21, 13, 75, 13, 70, 47);
  // Alternating lock tips and roots, right to left; each lock curves a little.
  const QPointF locks[] = {{68, 39},   {65, 31},   {62, 38}, {57.5, 30}, {53, 37.5}, {48, 29.5},
                           {43, 37.5}, {38.5, 30}, {34, 38}, {31, 32},   {28.5, 41}};
  for (const QPointF& at : locks) {
    const QPointF from = bangs.currentPosition();
    bangs.quadTo(QPointF((from.x() + at.x()) / 2 + 1.2, (from.y() + at.y()) / 2 - 1.0), at);
  }
  bangs.closeSubpath();
  fillHair(p, look, bangs, 16, 40);

  // Side locks framing the cheeks.
  QPainterPath lock(QPointF(27, 34));
  lock.quadTo(23, 50, 27.5, 63);
  lock.quadTo(29, 50, 32, 40);
  lock.closeSubpath();
  fillHair(p, look, lock, 30, 64);
  fillHair(p, look, mirrored(lock), 30, 64);

  // The sheen of the crown.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 90), 2.0, Qt::SolidLine, Qt::RoundCap));
  QPainterPath sheen(QPointF(35, 21));
  sheen.quadTo(46, 16.5, 58, 19.5);
  p.drawPath(sheen);

  paintRibbon(p, QPointF(24, 27), QColor(60, 235, 245), QColor(0, 110, 140));
  paintRibbon(p, QPointF(72, 27), QColor(60, 235, 245), QColor(0, 110, 140));
}

// ---- MIRABE: long purple hair swept aside, a flower, fuchsia dress -----------

void paintMirabeBackHair(QPainter& p, const Look& look) {
  QPainterPath hair(QPointF(22, 42));
  hair.cubicTo(17, 9, 79, 9, 74, 42);
  hair.cubicTo(76, 60, 80, 78, 86, 94);
  hair.lineTo(64, 94);
  hair.quadTo(62, 78, 63, 66);
  hair.lineTo(33, 66);
  hair.quadTo(34, 78, 32, 94);
  hair.lineTo(10, 94);
  hair.cubicTo(16, 78, 20, 60, 22, 42);
  hair.closeSubpath();
  fillHair(p, look, hair, 12, 94);
}

void paintMirabeClothes(QPainter& p, const Look& look) {
  // Bare shoulders above an off-shoulder neckline.
  QPainterPath shoulders(QPointF(2, 96));
  shoulders.cubicTo(4, 84, 18, 78, 36, 75);
  shoulders.lineTo(60, 75);
  shoulders.cubicTo(78, 78, 92, 84, 94, 96);
  shoulders.closeSubpath();
  p.setPen(QPen(QColor(215, 150, 130), 0.7));
  p.setBrush(kSkin);
  p.drawPath(shoulders);

  QPainterPath dress(QPointF(2, 96));
  dress.cubicTo(5, 90, 12, 86, 22, 85);
  dress.quadTo(48, 96, 74, 85);
  dress.cubicTo(84, 86, 91, 90, 94, 96);
  dress.closeSubpath();
  QLinearGradient silk(0, 85, 0, 96);
  silk.setColorAt(0, mix(look.clothes, Qt::white, 0.25));
  silk.setColorAt(1, look.clothesDark);
  p.setPen(Qt::NoPen);
  p.setBrush(silk);
  p.drawPath(dress);
  QPainterPath neckline(QPointF(4, 92));
  neckline.cubicTo(8, 88, 14, 86, 22, 85);
  neckline.quadTo(48, 96, 74, 85);
  neckline.cubicTo(82, 86, 88, 88, 92, 92);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(look.trim, 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(neckline);

  // A fine gold necklace with a fuchsia drop.
  p.setPen(QPen(look.trimLight, 0.8));
  QPainterPath chain(QPointF(41.5, 75));
  chain.quadTo(48, 84, 54.5, 75);
  p.drawPath(chain);
  p.setPen(QPen(mix(look.trimLight, Qt::black, 0.3), 0.6));
  p.setBrush(look.clothes);
  QPainterPath gem(QPointF(48, 79.5));
  gem.lineTo(50, 82.5);
  gem.lineTo(48, 85.5);
  gem.lineTo(46, 82.5);
  gem.closeSubpath();
  p.drawPath(gem);
}

void paintFlower(QPainter& p, QPointF centre, const Look& look) {
  p.save();
  p.setPen(QPen(look.clothesDark, 0.7));
  p.setBrush(look.clothes);
  for (int i = 0; i < 5; ++i) {
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(i * 72.0 - 90);
    p.drawEllipse(turn.map(QPointF(3.6, 0)), 3.2, 3.2);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(look.trimLight);
  p.drawEllipse(centre, 2.2, 2.2);
  p.restore();
}

void paintEarring(QPainter& p, QPointF at, const Look& look) {
  p.setPen(QPen(mix(look.trimLight, Qt::black, 0.35), 0.6));
  p.setBrush(look.trimLight);
  p.drawEllipse(at, 1.3, 1.3);
  p.setBrush(look.clothes);
  p.drawEllipse(at + QPointF(0, 3.2), 1.5, 2.1);
}

void paintMirabeFrontHair(QPainter& p, const Look& look) {
  // A side parting: the hair sweeps from the right across the forehead.
  QPainterPath bangs(QPointF(26, 50));
  bangs.cubicTo(20, 13, 76, 13, 70, 48);
  bangs.cubicTo(69, 40, 67, 36, 64, 33);
  bangs.cubicTo(58, 31, 50, 31, 44, 35);
  bangs.cubicTo(38, 38, 33, 42, 30, 52);
  bangs.closeSubpath();
  fillHair(p, look, bangs, 16, 50);

  // Long locks falling in front of the shoulders.
  QPainterPath left(QPointF(27, 38));
  left.cubicTo(20, 56, 24, 76, 16, 92);
  left.quadTo(22, 91, 27, 86);
  left.cubicTo(31, 74, 29, 58, 31, 46);
  left.closeSubpath();
  fillHair(p, look, left, 36, 92);
  QPainterPath right = mirrored(left);
  fillHair(p, look, right, 36, 92);

  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 80), 1.8, Qt::SolidLine, Qt::RoundCap));
  QPainterPath sheen(QPointF(36, 22));
  sheen.quadTo(47, 17.5, 60, 20.5);
  p.drawPath(sheen);
  p.setPen(QPen(QColor(255, 255, 255, 60), 1.0, Qt::SolidLine, Qt::RoundCap));
  QPainterPath strand(QPointF(62, 24));
  strand.cubicTo(56, 27, 48, 30, 42, 36);
  p.drawPath(strand);

  paintEarring(p, QPointF(66.6, 54.5), look);
  paintFlower(p, QPointF(67, 24), look);
}

}  // namespace

void paintFace(QPainter& p, Character character, Mood mood) {
  const Look& look = lookOf(character);
  p.save();
  paintBackdrop(p, look, mood);
  if (character == Character::Elna) {
    paintElnaBackHair(p, look);
    paintHead(p);
    paintElnaClothes(p, look);
  } else {
    paintMirabeBackHair(p, look);
    paintMirabeClothes(p, look);
    paintHead(p);
  }
  paintCheeks(p, look, mood);
  paintEyes(p, look, mood);
  paintNose(p);
  paintMouth(p, look, mood);
  if (character == Character::Elna) {
    paintElnaFrontHair(p, look);
  } else {
    paintMirabeFrontHair(p, look);
  }
  paintBrows(p, look, mood);
  if (mood == Mood::Losing) paintTears(p);
  p.restore();
}

}  // namespace glamora::art
