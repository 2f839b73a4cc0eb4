#include "sign_view.h"

#include <QPainter>

namespace glamora {

QString signCaption(const SignSlot& slot, const LabelViewModel& model) {
  if (slot.pauseSign) return !model.pauseSet || model.pauseShown ? QStringLiteral("PAUSE") : QString();
  return model.captionSet ? QString::fromStdString(model.caption) : QString::fromUtf8(slot.caption);
}

int signBackground(const SignSlot& slot, const LabelViewModel& model) {
  if (slot.pauseSign) return !model.pauseSet || model.pauseShown ? kClBlack : -1;
  return model.colourSet ? model.colour : slot.style.background;
}

void paintSign(QPainter& painter, const SignSlot& slot, const LabelViewModel& model) {
  const int background = signBackground(slot, model);
  if (background >= 0) painter.fillRect(slot.geometry, windowsColour(background));
  const QString caption = signCaption(slot, model);
  if (caption.isEmpty()) return;
  QFont font = formFont(slot.style.pixelHeight, slot.style.bold);
  if (slot.condensed) font.setStretch(QFont::SemiCondensed);
  painter.save();
  painter.setClipRect(slot.geometry);
  painter.setFont(font);
  painter.setPen(windowsColour(slot.style.textColour));
  painter.drawText(slot.geometry, static_cast<int>(slot.style.align) | Qt::TextForceLeftToRight, caption);
  painter.restore();
}

SignView::SignView(QWidget* parent, const SignSlot& slot, const ScreenViewModel& shown)
    : QWidget(parent), slot_(slot), shown_(shown) {
  setGeometry(slot.geometry);
  slot_.geometry.moveTopLeft({0, 0});
}

void SignView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paintSign(painter, slot_, model());
}

}  // namespace glamora
