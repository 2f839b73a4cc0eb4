// The game's shared pictures: every named picture, painted on first use at
// the asked device pixel ratio, and the animation of the current frames.
//
// Painting uses fonts, so a QGuiApplication must exist before the first
// picture is asked for; pixmap() and programIcon() also need it for QPixmap.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <array>
#include <future>
#include <map>
#include <memory>
#include <string_view>
#include <utility>

#include "assets/pictures/animation.h"
#include "assets/pictures/painting_thread.h"
#include "assets/pictures/picture_id.h"
#include "engine/pictures.h"

namespace glamora {

class PictureLibrary {
 public:
  PictureLibrary();

  // The picture at `devicePixelRatio`: logicalSize(id) * ratio pixels, with
  // the ratio set on the image. A current-frame id gives the frame it holds now.
  QImage image(PictureId id, qreal devicePixelRatio = 1.0) const;
  // Unchanged gives a null image.
  QImage image(Picture picture, qreal devicePixelRatio = 1.0) const;
  // An unknown name gives a null image.
  QImage image(std::string_view name, qreal devicePixelRatio = 1.0) const;

  // Queues the picture for painting on the library's background thread; the
  // next image() or pixmap() of it waits for that painting instead of
  // painting again. For pictures asked for a little later.
  void paintAhead(PictureId id, qreal devicePixelRatio = 1.0) const;
  // Takes `painted` as the picture at its pixel ratio, painted before (by the
  // build); false, and nothing taken, when it is not of the picture's size.
  bool takePainted(PictureId id, QImage painted);

  QPixmap pixmap(PictureId id, qreal devicePixelRatio = 1.0) const;
  QPixmap pixmap(Picture picture, qreal devicePixelRatio = 1.0) const;
  QPixmap pixmap(std::string_view name, qreal devicePixelRatio = 1.0) const;

  // The program icon at 16, 32 and 64 pixels.
  QIcon programIcon() const;
  // The program icon as one plain image of size x size pixels (pixel ratio
  // 1): painted for 32 pixels, painted again at a higher pixel ratio for the
  // larger sizes, scaled down from the 32 pixel painting below it.
  QImage programIconImage(int size) const;

  // One animation tick (500 ms): every current-frame picture takes its frame
  // for the present phase, then the phase moves on 0, 1, 2, 3, 0, ...
  void step();
  int animPhase() const { return animPhase_; }
  // The still frame a picture resolves to: itself, or for a current-frame
  // picture the frame it holds now.
  PictureId resolve(PictureId id) const;

 private:
  void showPhase(int phase);

  int animPhase_ = 0;
  std::array<PictureId, kAnimationTable.size()> heldFrames_{};
  // Painted pictures by (id, device pixel ratio in hundredths).
  mutable std::map<std::pair<PictureId, int>, QImage> painted_;
  // The painted pictures as pixmaps, by the same key (GUI thread only).
  mutable std::map<std::pair<PictureId, int>, QPixmap> pixmaps_;
  // Pictures being painted by paintAhead(), by the same key.
  mutable std::map<std::pair<PictureId, int>, std::future<QImage>> pending_;
  // Started by the first paintAhead().
  mutable std::unique_ptr<PaintingThread> painter_;
};

}  // namespace glamora
