#include "sign_view.h"

#include <QPainter>

namespace glamora {

QString signCaption(const SignSlot& slot, const LabelViewModel& model) {
  return model.captionSet ? QString::fromStdString(model.caption) : QString::fromUtf8(slot.caption);
}

std::optional<Colour> signBackground(const SignSlot& slot, const LabelViewModel& model) {
  return model.colourSet ? model.colour : slot.style.background;
}

void paintSign(QPainter& painter, const SignSlot& slot, const LabelViewModel& model) {
  if (const auto background = signBackground(slot, model)) painter.fillRect(slot.geometry, windowsColour(*background));
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

bool pauseShown(const PauseViewModel& model) { return !model.set || model.shown; }

void paintPauseSign(QPainter& painter, QRect place, const PauseViewModel& model) {
  static const SignSlot kPause{Label::Stage, {}, "PAUSE", {24, true, kClWhite, kClBlack, Qt::AlignCenter}};
  if (!pauseShown(model)) return;
  SignSlot slot = kPause;
  slot.geometry = place;
  paintSign(painter, slot, LabelViewModel{});
}

SignView::SignView(QWidget* parent, const SignSlot& slot, const ScreenViewModel& shown)
    : QWidget(parent), slot_(slot), shown_(&shown) {
  setGeometry(slot.geometry);
  slot_.geometry.moveTopLeft({0, 0});
}

void SignView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paintSign(painter, slot_, model());
}

}  // namespace glamora
