// A screen's view as the engine sees it: keeps what the screen shows as a
// ScreenViewModel and passes every call on to the widgets attached to it, or
// only keeps it while none are (a screen not built yet, or a replay running
// ahead headless).
#pragma once

#include "effects.h"
#include "view_model.h"

namespace glamora {

class ViewRelay final : public ScreenView {
 public:
  void attach(ScreenView* target) { target_ = target; }
  void detach(ScreenView* target) {
    if (target_ == target) target_ = nullptr;
  }
  ScreenView* target() const { return target_; }

  // What the screen shows now, as the rules set it.
  const ScreenViewModel& model() const { return model_; }
  // Puts back a model kept earlier (a snapshot) and shows it.
  void restore(const ScreenViewModel& model) {
    model_ = model;
    if (target_) model_.showOn(*target_);
  }

  void redrawBoard(int player, const Board& board) override {
    model_.redrawBoard(player, board);
    if (target_) target_->redrawBoard(player, board);
  }
  void showCarried(int player, Picture picture) override {
    model_.showCarried(player, picture);
    if (target_) target_->showCarried(player, picture);
  }
  void showMarker(int player, int column, Picture picture) override {
    model_.showMarker(player, column, picture);
    if (target_) target_->showMarker(player, column, picture);
  }
  void moveArrow(int player, int column) override {
    model_.players[player].arrowCol = column;
    if (target_) target_->moveArrow(player, column);
  }
  void moveCarried(int player, int column) override {
    model_.players[player].carriedCol = column;
    if (target_) target_->moveCarried(player, column);
  }
  void setCaption(Label label, std::string_view text) override {
    model_.setCaption(label, text);
    if (target_) target_->setCaption(label, text);
  }
  void setColour(Label label, Colour colour) override {
    model_.setColour(label, colour);
    if (target_) target_->setColour(label, colour);
  }
  void setPause(PauseSign sign, bool shown) override {
    model_.setPause(sign, shown);
    if (target_) target_->setPause(sign, shown);
  }
  void menuChanged() override {
    if (target_) target_->menuChanged();
  }
  void characterChanged(Character character) override {
    model_.characterChanged(character);
    if (target_) target_->characterChanged(character);
  }

 private:
  ScreenView* target_ = nullptr;
  ScreenViewModel model_;
};

}  // namespace glamora
