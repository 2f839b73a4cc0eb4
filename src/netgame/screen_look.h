// How the battle screen's text labels look at one moment (caption, colours,
// shown or hidden, hint), kept to be put back: the look before any stage,
// shown when a network battle begins, and the local battle's look, shown again
// when it ends. Together with the view model of the boards this puts a screen
// back exactly, also where a rule never wrote (labels that keep their
// design-time captions until a first stage).
#pragma once

#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <vector>

#include "engine/view_model.h"

namespace glamora::netgame {

class ScreenLook {
 public:
  // The labels the battle rules write to and the two name plates.
  static ScreenLook capture(const QWidget& screen);
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

// The boards, offers, carried items and arrows as the screen shows them before
// any stage.
ScreenViewModel boardsBeforeAnyStage();

}  // namespace glamora::netgame
