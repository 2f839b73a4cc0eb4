#include "board_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include "assets/pictures/animation.h"

namespace glamora {

namespace {

// Rows of the side, from the top of the board.
constexpr int kCellWidth = 32;
constexpr int kCellHeight = 24;
constexpr int kSideWidth = kCellWidth * kColumns;
constexpr int kWhatTop = 240;
constexpr int kArrowTop = 264;
constexpr int kOfferTop = 288;
constexpr int kWhereTop = 312;
constexpr int kCarriedTop = 336;
constexpr int kSideHeight = kCarriedTop + kCellHeight;

const LabelStyle kPhaseStyle{21, true, kClWhite, kClGreen, Qt::AlignCenter};
const LabelStyle kTimeStyle{24, true, kClWhite, kTransparent, Qt::AlignRight | Qt::AlignVCenter};
const LabelStyle kOutOfStyle{24, true, kClWhite, kTransparent, Qt::AlignLeft | Qt::AlignVCenter};
const LabelStyle kOutZoneStyle{24, true, kClBlack, kClRed, Qt::AlignCenter};

// The text of the side that no rule writes (their roles are not read).
const SignSlot kFixedSigns[] = {
    {Label::Stage, {0, 0, kSideWidth, kCellHeight}, "OUT ZONE", kOutZoneStyle},
    {Label::Stage, {148, kWhatTop, 44, kCellHeight}, "/10", kOutOfStyle},
    {Label::Stage, {148, kWhereTop, 44, kCellHeight}, "/10", kOutOfStyle},
};

constexpr QRect kPauseRows[] = {{0, kOfferTop, kSideWidth, kCellHeight}, {0, kCarriedTop, kSideWidth, kCellHeight}};

// The signs the rules write, per player: phase signs and countdowns.
std::array<SignSlot, 4> signSlots(int player) {
  const bool a = player == 0;
  LabelStyle what = kPhaseStyle;
  what.background = kClRed;
  return {{
      {a ? Label::WhatPhaseP1 : Label::WhatPhaseP2, {0, kWhatTop, 96, kCellHeight}, "WHAT ?", what},
      {a ? Label::WhatTimeP1 : Label::WhatTimeP2, {96, kWhatTop, 48, kCellHeight}, "10", kTimeStyle},
      {a ? Label::WherePhaseP1 : Label::WherePhaseP2, {0, kWhereTop, 96, kCellHeight}, "WHERE ?", kPhaseStyle},
      {a ? Label::WhereTimeP1 : Label::WhereTimeP2, {96, kWhereTop, 48, kCellHeight}, "10", kTimeStyle},
  }};
}

QPixmap paintedAt(qreal ratio, QSize size, void (*paint)(QPainter&)) {
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  paint(painter);
  return pixmap;
}

// The arrow over the supply column the player is choosing from.
void paintArrow(QPainter& painter) {
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
}

// The fixed strip behind the carried item.
void paintCarriedRow(QPainter& painter) {
  QLinearGradient fill(0, 0, 0, kCellHeight);
  fill.setColorAt(0, QColor(40, 40, 90));
  fill.setColorAt(1, QColor(15, 15, 45));
  painter.fillRect(QRect(0, 0, kSideWidth, kCellHeight), fill);
  painter.setPen(QColor(90, 90, 160));
  for (int x = kCellWidth; x < kSideWidth; x += kCellWidth) painter.drawLine(x, 3, x, 20);
}

// Every picture a board, an offer or the carried item can show, each frame of
// the animated ones included, is painted in the background while the title is
// up, so that no round waits for a picture's first painting.
void paintBoardPicturesAhead(const PictureLibrary& pictures, qreal ratio) {
  for (int p = static_cast<int>(Picture::Empty); p <= static_cast<int>(Picture::SupplyUsedUp); ++p) {
    const PictureId id = *pictureFromEngine(static_cast<Picture>(p));
    pictures.paintAhead(id, ratio);
    for (const AnimationRow& row : kAnimationTable) {
      if (row.current != id) continue;
      for (const PictureId frame : row.frames) pictures.paintAhead(frame, ratio);
    }
  }
}

}  // namespace

BoardView::BoardView(QWidget* client, int left, int player, const ScreenViewModel& shown,
                     const PictureLibrary& pictures)
    : QWidget(client),
      player_(player),
      shown_(&shown),
      pictures_(pictures),
      slots_(signSlots(player)),
      pauseSigns_(player == 0 ? std::array{PauseSign::SupplyP1, PauseSign::CarriedP1}
                              : std::array{PauseSign::SupplyP2, PauseSign::CarriedP2}) {
  setGeometry(left, 16, kSideWidth, kSideHeight);
  setObjectName(player == 0 ? "boardA" : "boardB");
  // Every pixel is painted here (black where nothing is): the client under it
  // is never painted for it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  paintBoardPicturesAhead(pictures, client->devicePixelRatioF());
  show(shown);
}

QRect BoardView::cellRect(int column, int row) {
  return {kCellWidth * (column - 1), kCellHeight * (kRows - row), kCellWidth, kCellHeight};
}
QRect BoardView::offerRect(int column) { return {kCellWidth * (column - 1), kOfferTop, kCellWidth, kCellHeight}; }
QRect BoardView::arrowRect(int column) { return {kCellWidth * (column - 1), kArrowTop, kCellWidth, kCellHeight}; }
QRect BoardView::carriedRect(int column) { return {kCellWidth * (column - 1), kCarriedTop, kCellWidth, kCellHeight}; }

const SignSlot* BoardView::slotOf(Label role) const {
  for (const SignSlot& slot : slots_) {
    if (slot.role == role) return &slot;
  }
  return nullptr;
}

QString BoardView::signCaption(Label role) const {
  const SignSlot* slot = slotOf(role);
  return slot ? glamora::signCaption(*slot, shown_->labels[static_cast<int>(role)]) : QString();
}

std::optional<Colour> BoardView::signBackground(Label role) const {
  const SignSlot* slot = slotOf(role);
  return slot ? glamora::signBackground(*slot, shown_->labels[static_cast<int>(role)]) : kTransparent;
}

void BoardView::boardChanged() {
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kRows; ++r) {
      // Before any redraw, the cells show an empty board.
      const Picture shown = model().cells[index(c, r)];
      const Picture p = shown == Picture::Unchanged ? cellPicture(Code::Empty, c, r) : shown;
      PictureId& cell = cells_[index(c, r)];
      const PictureId now = pictures_.resolve(*pictureFromEngine(p));
      if (cell == now) continue;
      cell = now;
      update(cellRect(c, r));
    }
  }
}

void BoardView::offerChanged(int column) {
  const Picture p = model().markers[column - 1];
  // Before any rule sets them, the offers show the pictures the form was designed with.
  const PictureId now = p == Picture::Unchanged ? startFrame(*pictureFromEngine(markerPicture(Code{column})))
                                                : pictures_.resolve(*pictureFromEngine(p));
  if (offers_[column - 1] == now) return;
  offers_[column - 1] = now;
  update(offerRect(column));
}

void BoardView::carriedChanged() {
  const Picture p = model().carried;
  const std::optional<PictureId> now =
      p == Picture::Unchanged ? std::nullopt : std::optional(pictures_.resolve(*pictureFromEngine(p)));
  if (carried_ == now) return;
  carried_ = now;
  update(carriedRect(model().carriedCol));
}

void BoardView::arrowMoved(int fromColumn) {
  if (fromColumn == model().arrowCol) return;
  update(arrowRect(fromColumn));
  update(arrowRect(model().arrowCol));
}

void BoardView::carriedMoved(int fromColumn) {
  if (fromColumn == model().carriedCol) return;
  update(carriedRect(fromColumn));
  update(carriedRect(model().carriedCol));
}

QRect BoardView::signRect(Label role) const {
  const SignSlot* slot = slotOf(role);
  return slot ? slot->geometry : QRect();
}

void BoardView::signChanged(Label role) { update(signRect(role)); }

void BoardView::pauseChanged(PauseSign sign) {
  for (int k = 0; k < 2; ++k) {
    if (pauseSigns_[k] == sign) update(kPauseRows[k]);
  }
}

void BoardView::show(const ScreenViewModel& model) {
  shown_ = &model;
  boardChanged();
  for (int c = 1; c <= kColumns; ++c) offerChanged(c);
  carriedChanged();
  update();
}

const QPixmap& BoardView::arrowPicture() const {
  if (arrow_.devicePixelRatio() != devicePixelRatioF() || arrow_.isNull())
    arrow_ = paintedAt(devicePixelRatioF(), {kCellWidth, kCellHeight}, paintArrow);
  return arrow_;
}

const QPixmap& BoardView::carriedRowPicture() const {
  if (carriedRow_.devicePixelRatio() != devicePixelRatioF() || carriedRow_.isNull())
    carriedRow_ = paintedAt(devicePixelRatioF(), {kSideWidth, kCellHeight}, paintCarriedRow);
  return carriedRow_;
}

// Painted back to front as the side's parts lie on each other: the board over
// its "OUT ZONE" row, the carried item over its strip, "PAUSE" over both rows.
void BoardView::paintEvent(QPaintEvent* event) {
  // Only the parts the changed places touch are painted: two far apart
  // changes do not repaint everything between them.
  const QRegion& dirty = event->region();
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
  const LabelViewModel none;
  for (const SignSlot& fixed : kFixedSigns) {
    if (dirty.intersects(fixed.geometry)) paintSign(painter, fixed, none);
  }
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kRows; ++r) {
      if (dirty.intersects(cellRect(c, r))) painter.drawPixmap(cellRect(c, r).topLeft(), still(cells_[index(c, r)]));
    }
    if (dirty.intersects(offerRect(c))) painter.drawPixmap(offerRect(c).topLeft(), still(offers_[c - 1]));
  }
  if (dirty.intersects(arrowRect(model().arrowCol)))
    painter.drawPixmap(arrowRect(model().arrowCol).topLeft(), arrowPicture());
  if (dirty.intersects(QRect(0, kCarriedTop, kSideWidth, kCellHeight))) {
    painter.drawPixmap(0, kCarriedTop, carriedRowPicture());
    if (carried_) painter.drawPixmap(carriedRect(model().carriedCol).topLeft(), still(*carried_));
  }
  for (const SignSlot& slot : slots_) {
    if (dirty.intersects(slot.geometry)) paintSign(painter, slot, shown_->labels[static_cast<int>(slot.role)]);
  }
  for (int k = 0; k < 2; ++k) {
    if (dirty.intersects(kPauseRows[k]))
      paintPauseSign(painter, kPauseRows[k], shown_->pauses[static_cast<int>(pauseSigns_[k])]);
  }
}

}  // namespace glamora
