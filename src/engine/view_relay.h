// A screen's view as the engine sees it: passes every call on to the widgets
// attached to it, or drops it while none are (a screen not built yet, or a
// replay running ahead headless).
#pragma once

#include "effects.h"

namespace glamora {

class ViewRelay final : public ScreenView {
 public:
  void attach(ScreenView* target) { target_ = target; }
  void detach(ScreenView* target) {
    if (target_ == target) target_ = nullptr;
  }
  ScreenView* target() const { return target_; }

  void redrawBoard(int player, const Board& board) override {
    if (target_) target_->redrawBoard(player, board);
  }
  void showCarried(int player, Picture picture) override {
    if (target_) target_->showCarried(player, picture);
  }
  void showMarker(int player, int column, Picture picture) override {
    if (target_) target_->showMarker(player, column, picture);
  }
  void moveArrow(int player, int column) override {
    if (target_) target_->moveArrow(player, column);
  }
  void moveCarried(int player, int column) override {
    if (target_) target_->moveCarried(player, column);
  }
  void setCaption(Label label, std::string_view text) override {
    if (target_) target_->setCaption(label, text);
  }
  void setColour(Label label, Colour colour) override {
    if (target_) target_->setColour(label, colour);
  }
  void setPause(Label label, bool shown) override {
    if (target_) target_->setPause(label, shown);
  }
  void menuChanged() override {
    if (target_) target_->menuChanged();
  }
  void characterChanged(Character character) override {
    if (target_) target_->characterChanged(character);
  }

 private:
  ScreenView* target_ = nullptr;
};

}  // namespace glamora
