#include "result_buttons.h"

#include <QDialog>
#include <QPushButton>

namespace glamora {

QPushButton* addAgainButton(QDialog* dialog, QPushButton* ok) {
  constexpr int kWidth = 80;
  constexpr int kGap = 8;
  auto* again = new QPushButton("もう一度(&R)", dialog);
  again->setObjectName("again1");
  again->setGeometry(ok->x() - kGap - kWidth, ok->y(), kWidth, ok->height());
  again->setToolTip("同じステージをもう一度遊びます");
  again->setAutoDefault(false);
  ok->setDefault(true);
  // Built after OK, it comes after OK in the focus chain: OK has the focus first.
  QObject::connect(again, &QPushButton::clicked, dialog, &QDialog::accept);
  return again;
}

}  // namespace glamora
