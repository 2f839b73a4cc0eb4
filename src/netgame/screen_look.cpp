#include "screen_look.h"

namespace glamora::netgame {

ScreenLook ScreenLook::capture(const GameScreen& screen) {
  ScreenLook look;
  for (int p = 0; p < 2; ++p) {
    QLabel* label = screen.plate(p);
    look.labels_.push_back({label, label->text(), label->toolTip(), label->palette(), label->font(),
                            label->autoFillBackground(), label->isHidden()});
  }
  return look;
}

void ScreenLook::apply() const {
  for (const LabelLook& l : labels_) {
    if (!l.label) continue;
    l.label->setText(l.text);
    l.label->setToolTip(l.toolTip);
    l.label->setPalette(l.palette);
    l.label->setFont(l.font);
    l.label->setAutoFillBackground(l.filled);
    l.label->setHidden(l.hidden);
  }
}

}  // namespace glamora::netgame
