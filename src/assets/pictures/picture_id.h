// Every picture of the library by its own id and name, and the link to the
// engine's Picture codes.
#pragma once

#include <QSize>

#include <optional>
#include <string_view>

#include "engine/pictures.h"

namespace glamora {

// Named pictures in a fixed order. The still frames come first; the
// current-frame pictures (uitem1..uitem9, uitem1x, uface1, uface2) are slots
// that the animation points at one of their frames.
// clang-format off
enum class PictureId {
  toumei,
  un1, un2, un3, un4, un5, un6,
  uitem1a, uitem2a, uitem3a, uitem4a, uitem5a, uitem6a, uitem7a, uitem8a, uitem9a,
  uitem1b, uitem2b, uitem3b, uitem4b, uitem5b, uitem6b, uitem7b, uitem8b, uitem9b,
  uitem1c, uitem2c, uitem3c, uitem4c, uitem5c, uitem6c, uitem7c, uitem8c, uitem9c,
  uitem1xa, uitem1xb, uitem1xc,
  uface1a, uface1b, uface1c,
  uface2a, uface2b, uface2c,
  uitem1, uitem2, uitem3, uitem4, uitem5, uitem6, uitem7, uitem8, uitem9,
  uitem1x,
  uface1, uface2,
  title,       // the title screen's 600 x 216 picture
  titleEnglish,  // the same with its subtitle in English
  glyphOne,    // button glyph of "一人で特訓"
  glyphTwo,    // button glyph of "二人で対戦"
  glyphEnd,    // button glyph of "終了"
  programIcon,
};
// clang-format on

inline constexpr int kPictureCount = static_cast<int>(PictureId::programIcon) + 1;

// The frame of item kind 1..9 in animation frame 0 (a), 1 (b) or 2 (c).
PictureId itemFrame(int kind, int frame);

// The name the game uses for the picture ("uitem3b", "uface1", "title", ...).
std::string_view pictureName(PictureId id);
std::optional<PictureId> pictureFromName(std::string_view name);
// Unchanged has no picture.
std::optional<PictureId> pictureFromEngine(Picture picture);

// Size in logical (1x) pixels.
QSize logicalSize(PictureId id);
// True for the twelve pictures the animation rewrites.
bool isCurrentFrame(PictureId id);

}  // namespace glamora
