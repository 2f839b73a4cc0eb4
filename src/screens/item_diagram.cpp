#include "item_diagram.h"

#include <QPainter>
#include <QPainterPath>

#include "assets/pictures/picture_library.h"

namespace glamora {

PictureId diagramPicture(int code) { return itemFrame(code, code == 4 || code == 5 ? 2 : 0); }

std::optional<int> diagramCode(PictureId picture) {
  for (int code = 1; code <= 9; ++code)
    if (diagramPicture(code) == picture) return code;
  return std::nullopt;
}

QPixmap arrowIcon(ArrowDirection direction, qreal devicePixelRatio) {
  QPixmap icon(QSize(32, 32) * devicePixelRatio);
  icon.setDevicePixelRatio(devicePixelRatio);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  if (direction == ArrowDirection::Down) {
    p.translate(32, 0);
    p.rotate(90);
  }
  // A broad shaft and a head pointing right, yellow with a white rim.
  QPainterPath arrow;
  arrow.moveTo(3, 11);
  arrow.lineTo(17, 11);
  arrow.lineTo(17, 4);
  arrow.lineTo(29, 16);
  arrow.lineTo(17, 28);
  arrow.lineTo(17, 21);
  arrow.lineTo(3, 21);
  arrow.closeSubpath();
  p.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(255, 220, 0));
  p.drawPath(arrow);
  return icon;
}

ItemDiagram::ItemDiagram(const PictureLibrary& library, QWidget* parent) : QWidget(parent), library_(library) {
  // The diagram lies under every other component and takes no mouse input.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  if (parent) setGeometry(parent->rect());
  lower();
}

void ItemDiagram::addCodes(QPoint origin, QPoint step, std::span<const int> codes) {
  QPoint at = origin;
  for (int code : codes) {
    addPicture(at, diagramPicture(code));
    at += step;
  }
}

void ItemDiagram::addPicture(QPoint at, PictureId picture) {
  items_.push_back({at, picture});
  update();
}

void ItemDiagram::addArrow(QPoint at, ArrowDirection direction) {
  arrows_.push_back({at, direction});
  update();
}

std::optional<PictureId> ItemDiagram::pictureAt(QPoint at) const {
  for (const DiagramItem& item : items_)
    if (item.at == at) return item.picture;
  return std::nullopt;
}

void ItemDiagram::useRatio(qreal ratio) {
  if (ratio == ratio_) return;
  ratio_ = ratio;
  pixmaps_.clear();
  arrowRight_ = arrowIcon(ArrowDirection::Right, ratio);
  arrowDown_ = arrowIcon(ArrowDirection::Down, ratio);
}

const QPixmap& ItemDiagram::cached(PictureId picture) {
  auto found = pixmaps_.find(picture);
  if (found == pixmaps_.end()) found = pixmaps_.emplace(picture, library_.pixmap(picture, ratio_)).first;
  return found->second;
}

void ItemDiagram::paintEvent(QPaintEvent*) {
  useRatio(devicePixelRatioF());
  QPainter p(this);
  for (const DiagramItem& item : items_) p.drawPixmap(item.at, cached(item.picture));
  for (const DiagramArrow& arrow : arrows_)
    p.drawPixmap(arrow.at, arrow.direction == ArrowDirection::Right ? arrowRight_ : arrowDown_);
}

}  // namespace glamora
