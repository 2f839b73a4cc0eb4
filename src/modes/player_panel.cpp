#include "player_panel.h"

#include <QPainter>
#include <QPainterPath>

#include "assets/pictures/animation.h"
#include "engine/effects.h"
#include "screens/form_kit.h"

namespace glamora {

namespace {

constexpr int kBoardTop = 16;
constexpr int kWhatTop = 256;
constexpr int kArrowTop = 280;
constexpr int kSupplyTop = 304;
constexpr int kWhereTop = 328;
constexpr int kCarriedTop = 352;

// The arrow over the supply column the player is choosing from.
QPixmap arrowPicture(qreal ratio) {
  QPixmap pixmap(QSize(32, 24) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath path;
  path.moveTo(12, 2);
  path.lineTo(20, 2);
  path.lineTo(20, 11);
  path.lineTo(27, 11);
  path.lineTo(16, 22);
  path.lineTo(5, 11);
  path.lineTo(12, 11);
  path.closeSubpath();
  painter.setPen(QPen(QColor(120, 60, 0), 1.5));
  QLinearGradient fill(0, 2, 0, 22);
  fill.setColorAt(0, QColor(255, 250, 140));
  fill.setColorAt(1, QColor(255, 170, 0));
  painter.setBrush(fill);
  painter.drawPath(path);
  return pixmap;
}

// The fixed strip behind the carried item.
QPixmap carriedRowPicture(qreal ratio) {
  QPixmap pixmap(QSize(192, 24) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  QPainter painter(&pixmap);
  QLinearGradient fill(0, 0, 0, 24);
  fill.setColorAt(0, QColor(40, 40, 90));
  fill.setColorAt(1, QColor(15, 15, 45));
  painter.fillRect(QRect(0, 0, 192, 24), fill);
  painter.setPen(QColor(90, 90, 160));
  for (int x = 32; x < 192; x += 32) painter.drawLine(x, 3, x, 20);
  return pixmap;
}

// Every picture a board, an offer or the carried item can show, each frame of
// the animated ones included, is painted in the background while the title is
// up, so that no round waits for a picture's first painting.
void paintBoardPicturesAhead(const PictureLibrary& pictures, qreal ratio) {
  for (int p = static_cast<int>(Picture::toumei); p <= static_cast<int>(Picture::uitem1x); ++p) {
    const PictureId id = *pictureFromEngine(static_cast<Picture>(p));
    pictures.paintAhead(id, ratio);
    for (const AnimationRow& row : kAnimationTable) {
      if (row.current != id) continue;
      for (const PictureId frame : row.frames) pictures.paintAhead(frame, ratio);
    }
  }
}

const LabelStyle kPhaseStyle{21, true, kClWhite, kClGreen, Qt::AlignCenter};
const LabelStyle kTimeStyle{24, true, kClWhite, -1, Qt::AlignRight | Qt::AlignVCenter};
const LabelStyle kOutOfStyle{24, true, kClWhite, -1, Qt::AlignLeft | Qt::AlignVCenter};
const LabelStyle kPauseStyle{24, true, kClWhite, kClBlack, Qt::AlignCenter};

}  // namespace

PlayerPanel::PlayerPanel(QWidget* client, int left, char suffix, const PictureLibrary& pictures)
    : left_(left), pictures_(pictures) {
  paintBoardPicturesAhead(pictures, client->devicePixelRatioF());
  const QString s(QChar::fromLatin1(suffix));
  const QString cellPrefix = s.toLower();

  auto* outZone = makeLabel(client, QRect(left, kBoardTop, 192, 24), "OUT ZONE",
                            LabelStyle{24, true, kClBlack, kClRed, Qt::AlignCenter});
  outZone->setObjectName(suffix == 'A' ? "Label6" : "Label29");
  // The cells and the offers sit in containers of their own: a repaint
  // elsewhere on the screen then weighs them as one widget, not sixty.
  auto* board = new QWidget(client);
  board->setGeometry(left, kBoardTop, 32 * kColumns, 24 * kRows);
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kRows; ++r) {
      QLabel* cell = makePictureBox(board, QRect(32 * (c - 1), 24 * (kRows - r), 32, 24));
      cell->setObjectName(cellPrefix + QString::number(c) + (r == kRows ? QString("x") : QString::number(r)));
      cells_[(c - 1) * kRows + (r - 1)] = cell;
    }
  }
  what = makeLabel(client, QRect(left, kWhatTop, 96, 24), "WHAT ?", kPhaseStyle);
  setLabelBackground(what, kClRed);
  whatTime = makeLabel(client, QRect(left + 96, kWhatTop, 48, 24), "10", kTimeStyle);
  makeLabel(client, QRect(left + 148, kWhatTop, 44, 24), "/10", kOutOfStyle);
  where = makeLabel(client, QRect(left, kWhereTop, 96, 24), "WHERE ?", kPhaseStyle);
  whereTime = makeLabel(client, QRect(left + 96, kWhereTop, 48, 24), "10", kTimeStyle);
  makeLabel(client, QRect(left + 148, kWhereTop, 44, 24), "/10", kOutOfStyle);
  what->setObjectName("what" + s);
  where->setObjectName("where" + s);
  whatTime->setObjectName("itime" + s);
  whereTime->setObjectName("ptime" + s);

  arrow_ = makePictureBox(client, QRect(columnLeft(3), kArrowTop, 32, 24));
  arrow_->setObjectName("yaji" + s);
  showPicture(arrow_, arrowPicture);
  auto* supply = new QWidget(client);
  supply->setGeometry(left, kSupplyTop, 32 * kColumns, 24);
  for (int c = 1; c <= kColumns; ++c) {
    markers_[c - 1] = makePictureBox(supply, QRect(32 * (c - 1), 0, 32, 24));
    markers_[c - 1]->setObjectName(QString("s") + cellPrefix + QString::number(c));
    // The form's design-time offers, as they looked when the form was made at
    // start-up, however late the panel is built: no rule redraws them before a stage.
    showPicture(markers_[c - 1], pictures_, startFrame(*pictureFromEngine(markerPicture(c))));
  }
  auto* carriedRow = makePictureBox(client, QRect(left, kCarriedTop, 192, 24));
  carriedRow->setObjectName(suffix == 'A' ? "Image67" : "Image71");
  showPicture(carriedRow, carriedRowPicture);
  carried_ = makePictureBox(client, QRect(columnLeft(3), kCarriedTop, 32, 24));
  carried_->setObjectName("aya" + s);

  pauseSupply = makeLabel(client, QRect(left, kSupplyTop, 192, 24), "PAUSE", kPauseStyle);
  pauseCarried = makeLabel(client, QRect(left, kCarriedTop, 192, 24), "PAUSE", kPauseStyle);
  pauseSupply->setObjectName("pau1" + cellPrefix);
  pauseCarried->setObjectName("pau2" + cellPrefix);
  redraw(Board{});
}

void PlayerPanel::redraw(const Board& board) {
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kRows; ++r) {
      const Picture p = cellPicture(board(c, r), c, r);
      if (p != Picture::Unchanged) showPicture(cells_[(c - 1) * kRows + (r - 1)], pictures_, p);
    }
  }
}

void PlayerPanel::showCarried(Picture p) {
  if (p != Picture::Unchanged) showPicture(carried_, pictures_, p);
}

void PlayerPanel::showMarker(int column, Picture p) {
  if (p != Picture::Unchanged) showPicture(markers_[column - 1], pictures_, p);
}

void PlayerPanel::moveArrow(int column) { arrow_->move(columnLeft(column), kArrowTop); }
void PlayerPanel::moveCarried(int column) { carried_->move(columnLeft(column), kCarriedTop); }

void showPauseSign(QLabel* sign, bool shown) {
  const QString text = shown ? QStringLiteral("PAUSE") : QString();
  // The signs are set on every tick; one that already stands so is left alone.
  if (sign->isHidden() != shown && sign->text() == text) return;
  sign->setText(text);
  setLabelBackground(sign, shown ? kClBlack : -1);
  // A blank sign shows nothing; hidden, it is not painted with the row under it.
  sign->setVisible(shown);
}

}  // namespace glamora
