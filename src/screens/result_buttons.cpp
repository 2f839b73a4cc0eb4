#include "result_buttons.h"

#include <QDialog>
#include <QPushButton>

#include "screens/live_text.h"

namespace glamora {

QPushButton* addAgainButton(QDialog* dialog, QPushButton* ok) {
  constexpr int kWidth = 80;
  constexpr int kGap = 8;
  auto* again = bound(new QPushButton(dialog), Message("Screens", "もう一度(&R)"));
  again->setObjectName("again1");
  again->setGeometry(ok->x() - kGap - kWidth, ok->y(), kWidth, ok->height());
  bindText(again, Message("Screens", "同じステージをもう一度遊びます"), "toolTip");
  again->setAutoDefault(false);
  ok->setDefault(true);
  // Built after OK, it comes after OK in the focus chain: OK has the focus first.
  QObject::connect(again, &QPushButton::clicked, dialog, &QDialog::accept);
  return again;
}

}  // namespace glamora
