#include "assets/pictures/picture_painter.h"

#include <QPainter>

#include <functional>
#include <stdexcept>
#include <string>

#include "assets/pictures/art_kit.h"
#include "assets/pictures/face_art.h"
#include "assets/pictures/item_art.h"
#include "assets/pictures/tile_art.h"
#include "assets/pictures/title_art.h"

namespace glamora {

namespace {

using art::Character;
using art::Mood;

int indexFrom(PictureId id, PictureId first) { return static_cast<int>(id) - static_cast<int>(first); }

bool within(PictureId id, PictureId first, PictureId last) {
  return indexFrom(id, first) >= 0 && indexFrom(id, last) <= 0;
}

void paintAquaGround(QPainter& p) { p.fillRect(QRectF(0, 0, art::kCellWidth, art::kCellHeight), art::kAqua); }

// What to draw for `id`; empty for toumei, which stays transparent.
std::function<void(QPainter&)> artworkOf(PictureId id) {
  if (id == PictureId::toumei) return {};
  if (within(id, PictureId::un1, PictureId::un6)) {
    const int column = indexFrom(id, PictureId::un1) + 1;
    return [column](QPainter& p) { art::paintColumnTile(p, column); };
  }
  if (within(id, PictureId::uitem1a, PictureId::uitem9c)) {
    const int index = indexFrom(id, PictureId::uitem1a);
    const int kind = index % 9 + 1;
    const int frame = index / 9;
    return [kind, frame](QPainter& p) {
      paintAquaGround(p);
      art::paintItem(p, kind, frame);
    };
  }
  if (within(id, PictureId::uitem1xa, PictureId::uitem1xc)) {
    const int frame = indexFrom(id, PictureId::uitem1xa);
    return [frame](QPainter& p) {
      paintAquaGround(p);
      art::paintUsedUpCross(p, frame);
    };
  }
  if (within(id, PictureId::uface1a, PictureId::uface2c)) {
    const int index = indexFrom(id, PictureId::uface1a);
    const Character who = index < 3 ? Character::Elna : Character::Mirabe;
    const Mood mood = static_cast<Mood>(index % 3);
    return [who, mood](QPainter& p) { art::paintFace(p, who, mood); };
  }
  switch (id) {
    case PictureId::title: return [](QPainter& p) { art::paintTitle(p, art::Tagline::Japanese); };
    case PictureId::titleEnglish: return [](QPainter& p) { art::paintTitle(p, art::Tagline::English); };
    case PictureId::glyphOne: return art::paintTrainingGlyph;
    case PictureId::glyphTwo: return art::paintBattleGlyph;
    case PictureId::glyphEnd: return art::paintQuitGlyph;
    case PictureId::programIcon: return art::paintProgramIcon;
    default: break;
  }
  throw std::logic_error("not a still picture: " + std::string(pictureName(id)));
}

}  // namespace

QImage paintPicture(PictureId id, qreal devicePixelRatio) {
  const auto artwork = artworkOf(id);
  QImage image = art::blankCanvas(logicalSize(id), devicePixelRatio);
  if (artwork) {
    QPainter painter(&image);
    art::preparePainter(painter);
    artwork(painter);
  }
  return image;
}

}  // namespace glamora
