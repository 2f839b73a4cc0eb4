#include "screen_look.h"


namespace glamora::netgame {

namespace {

const char* const kLabelNames[] = {"Label11", "Label12"};

}  // namespace

ScreenLook ScreenLook::capture(const QWidget& screen) {
  ScreenLook look;
  for (const char* name : kLabelNames) {
    QLabel* label = screen.findChild<QLabel*>(name);
    if (!label) continue;
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
