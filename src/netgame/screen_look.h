// How the battle screen's two name plates look at one moment (caption, font,
// hint), kept to be put back: the look before any stage, shown when a network
// battle begins, and the local battle's look, shown again when it ends. All
// else the screen shows is its view model, put back whole.
#pragma once

#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <vector>

#include "modes/game_screen.h"

namespace glamora::netgame {

class ScreenLook {
 public:
  // The two name plates.
  static ScreenLook capture(const GameScreen& screen);
  void apply() const;

 private:
  struct LabelLook {
    QPointer<QLabel> label;
    QString text;
    QString toolTip;
    QPalette palette;
    QFont font;
    bool filled = false;
    bool hidden = false;
  };
  std::vector<LabelLook> labels_;
};

}  // namespace glamora::netgame
