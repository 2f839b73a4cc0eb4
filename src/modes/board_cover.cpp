#include "board_cover.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "screens/form_kit.h"

namespace glamora {

namespace {

constexpr int kBoardHeight = 240;  // the ten rows; the hint and the count stay on them
const QColor kHeading(255, 255, 0);
const QColor kFrame(0, 255, 0);

// Text centred in `box`, made smaller until it fits the width.
void drawFitted(QPainter& painter, const QRect& box, const QString& text, int pixelHeight, bool bold = true) {
  QFont font = formFont(pixelHeight, bold);
  while (pixelHeight > 8 && QFontMetrics(font).horizontalAdvance(text) > box.width()) {
    font = formFont(--pixelHeight, bold);
  }
  painter.setFont(font);
  painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

BoardCover::BoardCover(QWidget* client, QRect area, QStringList hint) : QWidget(client), hint_(std::move(hint)) {
  setGeometry(area);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
}

void BoardCover::showCount(const QString& stage, int number) {
  if (look_ == Look::Count && stage == stage_ && number == number_) return;
  stage_ = stage;
  number_ = number;
  setLook(Look::Count);
  update();
}

void BoardCover::setLook(Look look) {
  if (look == look_) return;
  look_ = look;
  // Only the pause cover takes clicks; over the hint and the count they reach the screen.
  setAttribute(Qt::WA_TransparentForMouseEvents, look != Look::Pause);
  setVisible(look != Look::None);
  if (look != Look::None) raise();
  update();
}

QString BoardCover::text() const {
  switch (look_) {
    case Look::None: break;
    case Look::Hint: return hint_.join('\n');
    case Look::Count: return stage_ + '\n' + QString::number(number_);
    case Look::Pause:
      return translated(Message("BoardCover", kPausedCaption)) + '\n' + translated(Message("BoardCover", kResumeNote));
  }
  return {};
}

void BoardCover::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  switch (look_) {
    case Look::None: break;
    case Look::Hint: paintHint(painter); break;
    case Look::Count: paintCount(painter); break;
    case Look::Pause: paintPause(painter); break;
  }
}

void BoardCover::paintHint(QPainter& painter) {
  constexpr int kLine = 18;
  const int height = kLine * static_cast<int>(hint_.size()) + 16;
  // Under the OUT ZONE row: the rows at the bottom, where a finished round's
  // items lie, stay in sight.
  const QRect band(4, 32, width() - 8, height);
  painter.fillRect(band, QColor(0, 0, 0, 215));
  painter.setPen(kFrame);
  painter.drawRect(band.adjusted(0, 0, -1, -1));
  for (int i = 0; i < hint_.size(); ++i) {
    painter.setPen(i < 2 ? kHeading : QColor(Qt::white));
    drawFitted(painter, QRect(band.left() + 4, band.top() + 8 + i * kLine, band.width() - 8, kLine), hint_[i], 12);
  }
}

void BoardCover::paintCount(QPainter& painter) {
  painter.fillRect(QRect(0, 24, width(), kBoardHeight - 24), QColor(0, 0, 0, 150));
  painter.setPen(Qt::white);
  drawFitted(painter, QRect(0, 56, width(), 28), stage_, 21);
  // The number, outlined so that it stands out on any board.
  QFont font = formFont(96, true);
  QPainterPath digit;
  digit.addText(0, 0, font, QString::number(number_));
  const QRectF bounds = digit.boundingRect();
  digit.translate(width() / 2.0 - bounds.center().x(), 144 - bounds.center().y());
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 4));
  painter.setBrush(kHeading);
  painter.drawPath(digit);
}

void BoardCover::paintPause(QPainter& painter) {
  painter.fillRect(rect(), Qt::black);
  painter.setPen(QPen(kFrame, 2));
  painter.drawRect(rect().adjusted(1, 1, -1, -1));
  painter.setPen(Qt::white);
  drawFitted(painter, QRect(0, height() / 2 - 40, width(), 32), translated(Message("BoardCover", kPausedCaption)), 24);
  drawFitted(painter, QRect(0, height() / 2, width(), 20), translated(Message("BoardCover", kResumeNote)), 12, false);
}

void BoardCover::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (look_ == Look::Pause && clicked) clicked();
}

}  // namespace glamora
