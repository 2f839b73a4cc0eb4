#include "assets/pictures/picture_library.h"

#include <cmath>

#include "assets/pictures/picture_painter.h"

namespace glamora {

PictureLibrary::PictureLibrary() { showPhase(0); }

void PictureLibrary::showPhase(int phase) {
  for (std::size_t row = 0; row < kAnimationTable.size(); ++row) {
    heldFrames_[row] = kAnimationTable[row].frames[phase];
  }
}

void PictureLibrary::step() {
  showPhase(animPhase_);
  animPhase_ = (animPhase_ + 1) % kAnimationPhases;
}

PictureId PictureLibrary::resolve(PictureId id) const {
  for (std::size_t row = 0; row < kAnimationTable.size(); ++row) {
    if (kAnimationTable[row].current == id) return heldFrames_[row];
  }
  return id;
}

namespace {

qreal validRatio(qreal devicePixelRatio) { return devicePixelRatio > 0 ? devicePixelRatio : 1.0; }

std::pair<PictureId, int> keyOf(PictureId still, qreal devicePixelRatio) {
  return {still, static_cast<int>(std::lround(devicePixelRatio * 100))};
}

}  // namespace

void PictureLibrary::paintAhead(PictureId id, qreal devicePixelRatio) const {
  devicePixelRatio = validRatio(devicePixelRatio);
  const PictureId still = resolve(id);
  const auto key = keyOf(still, devicePixelRatio);
  if (painted_.contains(key) || pending_.contains(key)) return;
  // Painting onto a QImage (text included) is safe away from the GUI thread.
  if (!painter_) painter_ = std::make_unique<PaintingThread>();
  pending_.emplace(key, painter_->paint([still, devicePixelRatio] { return paintPicture(still, devicePixelRatio); }));
}

bool PictureLibrary::takePainted(PictureId id, QImage painted) {
  const qreal ratio = validRatio(painted.devicePixelRatio());
  const QSize logical = logicalSize(id);
  const QSize expected(static_cast<int>(std::lround(logical.width() * ratio)),
                       static_cast<int>(std::lround(logical.height() * ratio)));
  if (painted.isNull() || painted.size() != expected) return false;
  painted_.insert_or_assign(keyOf(resolve(id), ratio), std::move(painted));
  return true;
}

QImage PictureLibrary::image(PictureId id, qreal devicePixelRatio) const {
  devicePixelRatio = validRatio(devicePixelRatio);
  const PictureId still = resolve(id);
  const auto key = keyOf(still, devicePixelRatio);
  auto found = painted_.find(key);
  if (found != painted_.end()) return found->second;
  if (auto ahead = pending_.find(key); ahead != pending_.end()) {
    QImage painted = ahead->second.get();
    pending_.erase(ahead);
    return painted_.emplace(key, std::move(painted)).first->second;
  }
  return painted_.emplace(key, paintPicture(still, devicePixelRatio)).first->second;
}

QImage PictureLibrary::image(Picture picture, qreal devicePixelRatio) const {
  const auto id = pictureFromEngine(picture);
  return id ? image(*id, devicePixelRatio) : QImage();
}

QImage PictureLibrary::image(std::string_view name, qreal devicePixelRatio) const {
  const auto id = pictureFromName(name);
  return id ? image(*id, devicePixelRatio) : QImage();
}

// Converted once per picture and ratio: a board redraw shows the same few
// pictures again and again, and an unchanged one is then recognised by its key.
QPixmap PictureLibrary::pixmap(PictureId id, qreal devicePixelRatio) const {
  devicePixelRatio = validRatio(devicePixelRatio);
  const auto key = keyOf(resolve(id), devicePixelRatio);
  auto found = pixmaps_.find(key);
  if (found != pixmaps_.end()) return found->second;
  return pixmaps_.emplace(key, QPixmap::fromImage(image(id, devicePixelRatio))).first->second;
}

QPixmap PictureLibrary::pixmap(Picture picture, qreal devicePixelRatio) const {
  const auto id = pictureFromEngine(picture);
  return id ? pixmap(*id, devicePixelRatio) : QPixmap();
}

QPixmap PictureLibrary::pixmap(std::string_view name, qreal devicePixelRatio) const {
  const auto id = pictureFromName(name);
  return id ? pixmap(*id, devicePixelRatio) : QPixmap();
}

QImage PictureLibrary::programIconImage(int size) const {
  constexpr int kPaintedFor = 32;
  QImage icon = image(PictureId::programIcon, size < kPaintedFor ? 1.0 : qreal(size) / kPaintedFor);
  icon.setDevicePixelRatio(1.0);
  if (icon.width() != size) icon = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return icon.convertToFormat(QImage::Format_ARGB32);
}

QIcon PictureLibrary::programIcon() const {
  QIcon icon;
  for (const int size : {16, 32, 64}) icon.addPixmap(QPixmap::fromImage(programIconImage(size)));
  return icon;
}

}  // namespace glamora
