// A combo box look with a narrower drop-down button and a wider edit field,
// so that the editor's small boxes show every character they take (one digit
// in 33 pixels, five in 57) in the substituted font.
#pragma once

#include <QProxyStyle>

namespace glamora {

class NarrowComboStyle : public QProxyStyle {
 public:
  // Uses the application's style for everything but the combo box's parts.
  explicit NarrowComboStyle(int arrowWidth);

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override;

 private:
  int arrowWidth_;
};

}  // namespace glamora
