#include "screen_look.h"

#include "engine/pictures.h"

namespace glamora::netgame {

namespace {

const char* const kLabelNames[] = {"stage",  "scoreA", "scoreB", "winA",  "winB",  "whatA",   "whatB",
                                   "whereA", "whereB", "itimeA", "itimeB", "ptimeA", "ptimeB", "pau1a",
                                   "pau1b",  "pau2a",  "pau2b",  "Label11", "Label12"};

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

ScreenViewModel boardsBeforeAnyStage() {
  ScreenViewModel model;
  for (int p = 0; p < 2; ++p) {
    model.redrawBoard(p, Board{});
    for (int c = 1; c <= kColumns; ++c) model.showMarker(p, c, markerPicture(c));
    model.showCarried(p, Picture::toumei);
  }
  return model;
}

}  // namespace glamora::netgame
