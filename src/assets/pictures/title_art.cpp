#include "assets/pictures/title_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include "assets/pictures/art_kit.h"
#include "assets/pictures/item_art.h"

namespace glamora::art {

namespace {

const QColor kNightTop(8, 6, 40);
const QColor kNightBottom(46, 8, 70);
const QColor kElnaGlow(0, 230, 255);
const QColor kMirabeGlow(255, 40, 190);

void paintGlow(QPainter& p, QPointF centre, qreal radius, QColor colour, int alpha) {
  QRadialGradient glow(centre, radius);
  colour.setAlpha(alpha);
  glow.setColorAt(0, colour);
  colour.setAlpha(0);
  glow.setColorAt(1, colour);
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(centre, radius, radius);
}

void paintNightSky(QPainter& p) {
  QLinearGradient sky(0, 0, 0, 216);
  sky.setColorAt(0, kNightTop);
  sky.setColorAt(1, kNightBottom);
  p.fillRect(QRectF(0, 0, 600, 216), sky);
  paintGlow(p, QPointF(90, 100), 170, kElnaGlow, 70);
  paintGlow(p, QPointF(510, 100), 170, kMirabeGlow, 80);
  paintGlow(p, QPointF(300, 95), 150, QColor(255, 220, 255), 40);

  // Fixed seed: the same stars every time.
  QRandomGenerator random(20240607);
  for (int i = 0; i < 70; ++i) {
    const QPointF at(random.bounded(600.0), random.bounded(170.0));
    const qreal size = 0.5 + random.bounded(1.2);
    p.setBrush(QColor(255, 255, 255, 80 + random.bounded(150)));
    p.drawEllipse(at, size, size);
  }
}

// An item of the game, magnified and turned, with no ground behind it.
void paintFloatingItem(QPainter& p, int kind, int frame, QPointF centre, qreal scale, qreal degrees) {
  p.save();
  p.translate(centre);
  p.rotate(degrees);
  p.scale(scale, scale);
  p.translate(-kCellWidth / 2.0, -kCellHeight / 2.0);
  paintItem(p, kind, frame);
  p.restore();
}

void paintCosmetics(QPainter& p) {
  struct Placed {
    int kind, frame;
    QPointF centre;
    qreal scale, degrees;
  };
  const Placed items[] = {
      {1, 1, {62, 62}, 3.2, -8},  {2, 0, {72, 158}, 2.6, -24}, {4, 0, {150, 26}, 1.8, -12},
      {8, 0, {540, 66}, 3.2, 12}, {3, 0, {520, 160}, 2.6, 20}, {6, 1, {452, 24}, 1.8, 8},
  };
  for (const Placed& item : items) paintFloatingItem(p, item.kind, item.frame, item.centre, item.scale, item.degrees);
}

QFont titleFont(int pixels) {
  QFont font("IPAPGothic");
  font.setPixelSize(pixels);
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  return font;
}

void paintName(QPainter& p) {
  QPainterPath text;
  text.addText(0, 0, titleFont(104), QStringLiteral("Glamora"));
  // A gentle forward slant, centred on the picture.
  QTransform slant;
  slant.shear(-0.12, 0);
  text = slant.map(text);
  const QRectF box = text.boundingRect();
  text.translate(300 - box.center().x(), 96 - box.center().y());
  const QRectF placed = text.boundingRect();

  p.save();
  p.setBrush(QColor(0, 0, 0, 130));
  p.setPen(Qt::NoPen);
  p.drawPath(text.translated(4, 6));

  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(30, 10, 60), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(text);
  p.setPen(QPen(Qt::white, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(text);

  QLinearGradient fill(0, placed.top(), 0, placed.bottom());
  fill.setColorAt(0, QColor(255, 250, 255));
  fill.setColorAt(0.3, QColor(255, 150, 215));
  fill.setColorAt(0.62, QColor(230, 30, 150));
  fill.setColorAt(1, QColor(120, 20, 170));
  p.setPen(QPen(QColor(110, 0, 90), 1.2));
  p.setBrush(fill);
  p.drawPath(text);

  // Gloss over the upper half of the letters.
  p.setClipPath(text);
  QLinearGradient gloss(0, placed.top(), 0, placed.center().y());
  gloss.setColorAt(0, QColor(255, 255, 255, 150));
  gloss.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(gloss);
  p.drawRect(QRectF(placed.left(), placed.top(), placed.width(), placed.height() * 0.45));
  p.restore();

  paintSparkle(p, QPointF(placed.left() + 22, placed.top() + 8), 11, Qt::white);
  paintSparkle(p, QPointF(placed.right() - 12, placed.top() + 26), 8, QColor(255, 240, 160));
  paintSparkle(p, QPointF(placed.center().x() + 30, placed.bottom() - 2), 6, Qt::white);
}

void paintTagline(QPainter& p, Tagline tagline) {
  // Latin capitals are narrower than kana: the English line is spaced wider
  // to fill about the same length between the rules.
  const bool english = tagline == Tagline::English;
  QFont font = titleFont(english ? 16 : 17);
  font.setLetterSpacing(QFont::AbsoluteSpacing, english ? 4 : 6);
  p.setFont(font);
  const QRectF line(0, 150, 600, 26);
  const QString text =
      english ? QStringLiteral("COSMETICS \u00B7 PUZZLE \u00B7 BATTLE") : QStringLiteral("コスメ・パズル・バトル");
  p.setPen(QColor(20, 0, 40));
  p.drawText(line.translated(1.5, 1.5), Qt::AlignCenter, text);
  p.setPen(QColor(150, 255, 255));
  p.drawText(line, Qt::AlignCenter, text);
  // Thin rules on either side.
  QLinearGradient rule(200, 0, 400, 0);
  rule.setColorAt(0, QColor(255, 80, 200, 0));
  rule.setColorAt(0.5, QColor(255, 180, 240));
  rule.setColorAt(1, QColor(255, 80, 200, 0));
  p.fillRect(QRectF(180, 177, 240, 1.2), rule);
}

// The nine items on their aqua cells in a row, as they appear on the board.
void paintItemRow(QPainter& p) {
  constexpr qreal kGap = 6;
  const qreal left = 300 - (9 * kCellWidth + 8 * kGap) / 2;
  for (int kind = 1; kind <= 9; ++kind) {
    p.save();
    p.translate(left + (kind - 1) * (kCellWidth + kGap), 186);
    QPainterPath cell;
    cell.addRoundedRect(QRectF(0, 0, kCellWidth, kCellHeight), 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    p.setBrush(kAqua);
    p.drawPath(cell);
    p.setClipPath(cell);
    paintItem(p, kind, 0);
    p.restore();
  }
}

// A game lipstick turned to point up and to the right.
void paintStandingLipstick(QPainter& p, QPointF centre, qreal degrees, bool mirroredKind) {
  paintFloatingItem(p, mirroredKind ? 3 : 2, 0, centre, 0.78, degrees);
}

}  // namespace

void paintTitle(QPainter& p, Tagline tagline) {
  p.save();
  paintNightSky(p);
  paintCosmetics(p);
  paintName(p);
  paintTagline(p, tagline);
  paintItemRow(p);
  p.restore();
}

void paintTrainingGlyph(QPainter& p) {
  paintStandingLipstick(p, QPointF(11, 13), -50, false);
  paintSparkle(p, QPointF(19, 5), 5, QColor(255, 200, 0));
}

void paintBattleGlyph(QPainter& p) {
  // Two lipsticks crossed like swords.
  paintStandingLipstick(p, QPointF(12, 12), -45, false);
  paintStandingLipstick(p, QPointF(12, 12), 45, true);
}

void paintQuitGlyph(QPainter& p) {
  p.save();
  QRadialGradient red(QPointF(10, 9), 13);
  red.setColorAt(0, QColor(255, 120, 120));
  red.setColorAt(1, QColor(190, 0, 20));
  p.setPen(QPen(QColor(110, 0, 10), 1));
  p.setBrush(red);
  p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
  // The power sign.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(6.5, 6.8, 11, 11), 125 * 16, 290 * 16);
  p.drawLine(QPointF(12, 5.5), QPointF(12, 11.5));
  p.restore();
}

void paintProgramIcon(QPainter& p) {
  p.save();
  QLinearGradient tile(0, 0, 0, 32);
  tile.setColorAt(0, QColor(140, 255, 255));
  tile.setColorAt(1, QColor(0, 190, 210));
  p.setPen(QPen(QColor(0, 110, 130), 1));
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 6, 6);

  // An oval hand mirror seen from the front, with a lipstick beside it.
  const QPointF centre(13, 12.5);
  p.setPen(QPen(QColor(110, 0, 60), 1));
  p.setBrush(QColor(150, 10, 60));
  p.drawRoundedRect(QRectF(11, 21, 4, 9.5), 1.8, 1.8);
  QRadialGradient gilt(centre + QPointF(-3, -4), 13);
  gilt.setColorAt(0, QColor(255, 240, 170));
  gilt.setColorAt(1, QColor(200, 140, 30));
  p.setPen(QPen(QColor(120, 70, 0), 0.8));
  p.setBrush(gilt);
  p.drawEllipse(centre, 9, 11);
  QPainterPath glass;
  glass.addEllipse(centre, 6.8, 8.8);
  p.setBrush(Qt::white);
  p.drawPath(glass);
  p.setClipPath(glass);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(175, 235, 255));
  QPainterPath band;
  band.moveTo(5, 15);
  band.lineTo(13, 3);
  band.lineTo(17, 3);
  band.lineTo(8, 18);
  band.closeSubpath();
  p.drawPath(band);
  p.setClipping(false);
  paintSparkle(p, QPointF(16.5, 8.5), 3.5, QColor(255, 120, 200));
  paintFloatingItem(p, 2, 0, QPointF(25.5, 19), 0.62, -90);
  p.restore();
}

}  // namespace glamora::art
