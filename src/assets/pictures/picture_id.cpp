#include "assets/pictures/picture_id.h"

#include <array>

namespace glamora {

namespace {

// In the order of PictureId.
// clang-format off
constexpr std::array<std::string_view, kPictureCount> kNames = {
    "toumei",
    "un1", "un2", "un3", "un4", "un5", "un6",
    "uitem1a", "uitem2a", "uitem3a", "uitem4a", "uitem5a", "uitem6a", "uitem7a", "uitem8a", "uitem9a",
    "uitem1b", "uitem2b", "uitem3b", "uitem4b", "uitem5b", "uitem6b", "uitem7b", "uitem8b", "uitem9b",
    "uitem1c", "uitem2c", "uitem3c", "uitem4c", "uitem5c", "uitem6c", "uitem7c", "uitem8c", "uitem9c",
    "uitem1xa", "uitem1xb", "uitem1xc",
    "uface1a", "uface1b", "uface1c",
    "uface2a", "uface2b", "uface2c",
    "uitem1", "uitem2", "uitem3", "uitem4", "uitem5", "uitem6", "uitem7", "uitem8", "uitem9",
    "uitem1x",
    "uface1", "uface2",
    "title", "titleEn", "glyphOne", "glyphTwo", "glyphEnd", "programIcon",
};
// clang-format on

PictureId offset(PictureId first, int steps) { return static_cast<PictureId>(static_cast<int>(first) + steps); }

bool within(PictureId id, PictureId first, PictureId last) {
  return static_cast<int>(id) >= static_cast<int>(first) && static_cast<int>(id) <= static_cast<int>(last);
}

}  // namespace

PictureId itemFrame(int kind, int frame) {
  constexpr std::array<PictureId, 3> kFirstOfFrame = {PictureId::uitem1a, PictureId::uitem1b, PictureId::uitem1c};
  return offset(kFirstOfFrame.at(frame), kind - 1);
}

std::string_view pictureName(PictureId id) { return kNames.at(static_cast<std::size_t>(id)); }

std::optional<PictureId> pictureFromName(std::string_view name) {
  for (int i = 0; i < kPictureCount; ++i) {
    if (kNames[i] == name) return static_cast<PictureId>(i);
  }
  return std::nullopt;
}

// The library picture each engine picture shows, in the order of Picture.
// clang-format off
constexpr std::array<PictureId, kPictureCodes> kEnginePictures = {
    PictureId::toumei,  // Unchanged: never looked up
    PictureId::toumei,
    PictureId::un1,     PictureId::un2,     PictureId::un3,     PictureId::un4,     PictureId::un5,
    PictureId::un6,
    PictureId::uitem1a, PictureId::uitem2a, PictureId::uitem3a, PictureId::uitem4a, PictureId::uitem5a,
    PictureId::uitem6a, PictureId::uitem7a, PictureId::uitem8a, PictureId::uitem9a,
    PictureId::uitem1,  PictureId::uitem2,  PictureId::uitem3,  PictureId::uitem4,  PictureId::uitem5,
    PictureId::uitem6,  PictureId::uitem7,  PictureId::uitem8,  PictureId::uitem9,
    PictureId::uitem1x,
};
// clang-format on

std::optional<PictureId> pictureFromEngine(Picture picture) {
  const int code = static_cast<int>(picture);
  if (picture == Picture::Unchanged || code < 0 || code >= kPictureCodes) return std::nullopt;
  return kEnginePictures[static_cast<std::size_t>(code)];
}

QSize logicalSize(PictureId id) {
  if (within(id, PictureId::uface1a, PictureId::uface2c) || id == PictureId::uface1 || id == PictureId::uface2)
    return {96, 96};
  switch (id) {
    case PictureId::title:
    case PictureId::titleEnglish: return {600, 216};
    case PictureId::glyphOne:
    case PictureId::glyphTwo:
    case PictureId::glyphEnd: return {24, 24};
    case PictureId::programIcon: return {32, 32};
    default: return {32, 24};
  }
}

bool isCurrentFrame(PictureId id) { return within(id, PictureId::uitem1, PictureId::uface2); }

}  // namespace glamora
