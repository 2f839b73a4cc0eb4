#include "narrow_combo_style.h"

#include <QStyleOptionComplex>

namespace glamora {

NarrowComboStyle::NarrowComboStyle(int arrowWidth) : arrowWidth_(arrowWidth) {}

QRect NarrowComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                       const QWidget* widget) const {
  QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
  if (control != CC_ComboBox || (part != SC_ComboBoxArrow && part != SC_ComboBoxEditField)) return rect;
  // Left-to-right only: the button keeps the base style's height at the right
  // edge; the edit field reaches from inside the 1-pixel frame to the button.
  const QRect base = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
  const QRect arrow(option->rect.right() - arrowWidth_ + 1, base.top(), arrowWidth_, base.height());
  if (part == SC_ComboBoxArrow) return arrow;
  rect.setLeft(option->rect.left() + 1);
  rect.setRight(arrow.left() - 1);
  return rect;
}

}  // namespace glamora
