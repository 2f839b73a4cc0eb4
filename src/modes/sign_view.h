// Signs and counters the rules write to (stage, scores, wins, times, the phase
// signs, "PAUSE"), painted from the screen's view model over the style and
// caption the screen was designed with.
#pragma once

#include <QRect>
#include <QWidget>
#include <optional>

#include "engine/view_model.h"
#include "screens/form_kit.h"

namespace glamora {

// Where a sign sits and how it looks before any rule writes to it.
struct SignSlot {
  Label role;
  QRect geometry;  // in the widget that paints it
  const char* caption;
  LabelStyle style;        // a kTransparent background until a rule colours it
  bool condensed = false;  // two 96-pixel digits are a little wider than the sign
};

// Paints `slot` as the model says it looks now, as a label would.
void paintSign(QPainter& painter, const SignSlot& slot, const LabelViewModel& model);
// A "PAUSE" sign at `place`: white "PAUSE" on black, or nothing.
void paintPauseSign(QPainter& painter, QRect place, const PauseViewModel& model);
bool pauseShown(const PauseViewModel& model);
// The caption the sign shows now ("" for a hidden "PAUSE" sign).
QString signCaption(const SignSlot& slot, const LabelViewModel& model);
// Its background now, or kTransparent.
std::optional<Colour> signBackground(const SignSlot& slot, const LabelViewModel& model);

// One sign as a widget of its own (the centre column's signs).
class SignView final : public QWidget {
 public:
  SignView(QWidget* parent, const SignSlot& slot, const ScreenViewModel& shown);
  const SignSlot& slot() const { return slot_; }
  QString caption() const { return signCaption(slot_, model()); }
  std::optional<Colour> background() const { return signBackground(slot_, model()); }
  void show(const ScreenViewModel& model) {
    shown_ = &model;
    update();
  }
  void condense() {
    slot_.condensed = true;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const LabelViewModel& model() const { return shown_->labels[static_cast<std::size_t>(slot_.role)]; }

  SignSlot slot_;
  const ScreenViewModel* shown_;
};

}  // namespace glamora
