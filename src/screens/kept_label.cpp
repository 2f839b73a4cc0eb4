#include "screens/kept_label.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace glamora {

void KeptLabel::setKeeping(bool keeping) {
  keeping_ = keeping;
  looks_.clear();
}

KeptLabel::Look KeptLabel::currentLook() const {
  return Look{text(), palette().color(backgroundRole()).rgba(), palette().color(foregroundRole()).rgba(), isEnabled(),
              devicePixelRatioF(), QPixmap()};
}

const KeptLabel::Look* KeptLabel::kept(const Look& look) const {
  for (const Look& k : looks_) {
    if (k.text == look.text && k.ground == look.ground && k.ink == look.ink && k.enabled == look.enabled &&
        k.ratio == look.ratio)
      return &k;
  }
  return nullptr;
}

bool KeptLabel::plainCaption() const {
  // A caption larger than its label is left to QLabel: its clipped glyph
  // edges can come out a shade different in a painting of its own.
  return autoFillBackground() && textFormat() == Qt::PlainText && frameShape() == QFrame::NoFrame && margin() == 0 &&
         indent() <= 0 && !wordWrap() && !text().contains(u'&') &&
         contentsRect().contains(fontMetrics().boundingRect(contentsRect(), alignment(), text()));
}

void KeptLabel::paintEvent(QPaintEvent* event) {
  if (!keeping_ || !plainCaption()) return QLabel::paintEvent(event);
  Look look = currentLook();
  const Look* shown = kept(look);
  if (!shown) shown = &keep(std::move(look));
  QPainter(this).drawPixmap(0, 0, shown->painting);
}

const KeptLabel::Look& KeptLabel::keep(Look look) {
  look.painting = QPixmap(size() * look.ratio);
  look.painting.setDevicePixelRatio(look.ratio);
  // As QLabel paints a plain caption with no frame, margin or indent: the
  // filled background, then the text through the style.
  QPainter painter(&look.painting);
  painter.fillRect(rect(), palette().brush(backgroundRole()));
  painter.setFont(font());
  QStyleOption option;
  option.initFrom(this);
  const Qt::LayoutDirection direction = look.text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
  const int flags = QStyle::visualAlignment(direction, alignment()) |
                    (direction == Qt::LeftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft);
  style()->drawItemText(&painter, contentsRect(), flags, option.palette, isEnabled(), look.text, foregroundRole());
  painter.end();
  if (looks_.size() == kMaxLooks) looks_.erase(looks_.begin());
  looks_.push_back(std::move(look));
  return looks_.back();
}

void KeptLabel::changeEvent(QEvent* event) {
  // Fonts, styles and alignment are not part of a look: forget them all.
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) looks_.clear();
  QLabel::changeEvent(event);
}

void KeptLabel::resizeEvent(QResizeEvent* event) {
  looks_.clear();
  QLabel::resizeEvent(event);
}

}  // namespace glamora
