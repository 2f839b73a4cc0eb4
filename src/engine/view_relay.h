// A screen's view as the engine writes it: keeps what the screen shows as a
// ScreenViewModel, the one copy there is, and tells the widgets watching it
// what each call changed so that they repaint just that. With no watcher (a
// screen not built yet, glamora-sim, a replay running ahead headless) it only
// keeps the model.
#pragma once

#include <utility>

#include "effects.h"
#include "view_model.h"

namespace glamora {

// One change of a screen's model.
struct ViewChange {
  enum class Kind { Board, Carried, Marker, Arrow, CarriedColumn, Label, Pause, Menu, Character, Whole };
  Kind kind = Kind::Whole;
  int player = 0;
  int column = 0;  // Marker: its column; Arrow, CarriedColumn: the column it left
  Label label = Label::Stage;
  PauseSign sign = PauseSign::SupplyP1;
};

class ViewWatcher {
 public:
  virtual ~ViewWatcher() = default;
  virtual void viewChanged(const ViewChange& change) = 0;
};

class ViewRelay final : public ScreenView {
 public:
  void watch(ViewWatcher* watcher) { watcher_ = watcher; }
  void unwatch(ViewWatcher* watcher) {
    if (watcher_ == watcher) watcher_ = nullptr;
  }
  ViewWatcher* watcher() const { return watcher_; }

  // What the screen shows now, as the rules set it.
  const ScreenViewModel& model() const { return model_; }
  // Puts back a model kept earlier (a snapshot) and shows it whole.
  void restore(const ScreenViewModel& model) {
    model_ = model;
    tell({ViewChange::Kind::Whole});
  }

  void redrawBoard(int player, const Board& board) override {
    model_.redrawBoard(player, board);
    tell({ViewChange::Kind::Board, player});
  }
  void showCarried(int player, Picture picture) override {
    model_.showCarried(player, picture);
    tell({ViewChange::Kind::Carried, player});
  }
  void showMarker(int player, int column, Picture picture) override {
    model_.showMarker(player, column, picture);
    tell({ViewChange::Kind::Marker, player, column});
  }
  void moveArrow(int player, int column) override {
    const int from = std::exchange(model_.players[player].arrowCol, column);
    tell({ViewChange::Kind::Arrow, player, from});
  }
  void moveCarried(int player, int column) override {
    const int from = std::exchange(model_.players[player].carriedCol, column);
    tell({ViewChange::Kind::CarriedColumn, player, from});
  }
  // Counters and signs are told again on every tick: only a change is told on.
  void setCaption(Label label, std::string_view text) override {
    const LabelViewModel& now = model_.labels[static_cast<int>(label)];
    if (now.captionSet && now.caption == text) return;
    model_.setCaption(label, text);
    tell({ViewChange::Kind::Label, 0, 0, label});
  }
  void setColour(Label label, Colour colour) override {
    const LabelViewModel& now = model_.labels[static_cast<int>(label)];
    if (now.colourSet && now.colour == colour) return;
    model_.setColour(label, colour);
    tell({ViewChange::Kind::Label, 0, 0, label});
  }
  void setPause(PauseSign sign, bool shown) override {
    const PauseViewModel& now = model_.pauses[static_cast<int>(sign)];
    if (now.set && now.shown == shown) return;
    model_.setPause(sign, shown);
    tell({ViewChange::Kind::Pause, 0, 0, Label::Stage, sign});
  }
  void menuChanged() override { tell({ViewChange::Kind::Menu}); }
  void characterChanged(Character character) override {
    model_.characterChanged(character);
    tell({ViewChange::Kind::Character});
  }

 private:
  void tell(const ViewChange& change) {
    if (watcher_) watcher_->viewChanged(change);
  }
  ViewWatcher* watcher_ = nullptr;
  ScreenViewModel model_;
};

}  // namespace glamora
