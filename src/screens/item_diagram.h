// A fixed picture made of 32 x 24 item pictures and 32 x 32 arrow icons, as the
// visual help and technique screens show how mirrors copy their neighbours.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

#include <map>
#include <optional>
#include <span>
#include <vector>

#include "assets/pictures/picture_id.h"

namespace glamora {

class PictureLibrary;

enum class ArrowDirection { Right, Down };

struct DiagramItem {
  QPoint at;  // top left
  PictureId picture;
};

struct DiagramArrow {
  QPoint at;  // top left of the 32 x 32 icon
  ArrowDirection direction;
};

// The picture a diagram shows for a cell code 1..9: combs with their `c`
// frame (teeth drawn clearly apart), everything else with its `a` picture.
PictureId diagramPicture(int code);
// The cell code a diagram picture stands for, if any.
std::optional<int> diagramCode(PictureId picture);

// The arrow icon, painted in code at the given device pixel ratio.
QPixmap arrowIcon(ArrowDirection direction, qreal devicePixelRatio);

class ItemDiagram : public QWidget {
  Q_OBJECT

 public:
  ItemDiagram(const PictureLibrary& library, QWidget* parent);

  // Codes laid out from `origin` one cell apart along `step`.
  void addCodes(QPoint origin, QPoint step, std::span<const int> codes);
  void addPicture(QPoint at, PictureId picture);
  void addArrow(QPoint at, ArrowDirection direction);

  const std::vector<DiagramItem>& items() const { return items_; }
  const std::vector<DiagramArrow>& arrows() const { return arrows_; }
  // The picture whose top left is `at`.
  std::optional<PictureId> pictureAt(QPoint at) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Pictures painted at the ratio of the last paint; a new ratio (the window
  // moved to another screen) paints them again.
  void useRatio(qreal ratio);
  const QPixmap& cached(PictureId picture);

  const PictureLibrary& library_;
  qreal ratio_ = 0;
  std::vector<DiagramItem> items_;
  std::vector<DiagramArrow> arrows_;
  std::map<PictureId, QPixmap> pixmaps_;
  QPixmap arrowRight_, arrowDown_;
};

}  // namespace glamora
