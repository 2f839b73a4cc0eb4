// Which frame each current-frame picture shows in each animation phase.
#pragma once

#include <array>

#include "assets/pictures/picture_id.h"

namespace glamora {

inline constexpr int kAnimationPhases = 4;

struct AnimationRow {
  PictureId current;                               // the picture the step rewrites
  std::array<PictureId, kAnimationPhases> frames;  // the frame it takes in phase 0..3
};

// Every picture runs first, middle, last, middle frame, one frame per step.
// Items 1, 4 and 5 start on b; the lipsticks start closed (c); the mirrors,
// the used-up cross and the faces start on a.
inline constexpr std::array<AnimationRow, 12> kAnimationTable = {{
    {PictureId::uitem1, {PictureId::uitem1b, PictureId::uitem1a, PictureId::uitem1c, PictureId::uitem1a}},
    {PictureId::uitem2, {PictureId::uitem2c, PictureId::uitem2b, PictureId::uitem2a, PictureId::uitem2b}},
    {PictureId::uitem3, {PictureId::uitem3c, PictureId::uitem3b, PictureId::uitem3a, PictureId::uitem3b}},
    {PictureId::uitem4, {PictureId::uitem4b, PictureId::uitem4a, PictureId::uitem4c, PictureId::uitem4a}},
    {PictureId::uitem5, {PictureId::uitem5b, PictureId::uitem5a, PictureId::uitem5c, PictureId::uitem5a}},
    {PictureId::uitem6, {PictureId::uitem6a, PictureId::uitem6b, PictureId::uitem6c, PictureId::uitem6b}},
    {PictureId::uitem7, {PictureId::uitem7a, PictureId::uitem7b, PictureId::uitem7c, PictureId::uitem7b}},
    {PictureId::uitem8, {PictureId::uitem8a, PictureId::uitem8b, PictureId::uitem8c, PictureId::uitem8b}},
    {PictureId::uitem9, {PictureId::uitem9a, PictureId::uitem9b, PictureId::uitem9c, PictureId::uitem9b}},
    {PictureId::uitem1x, {PictureId::uitem1xa, PictureId::uitem1xb, PictureId::uitem1xc, PictureId::uitem1xb}},
    {PictureId::uface1, {PictureId::uface1a, PictureId::uface1b, PictureId::uface1c, PictureId::uface1b}},
    {PictureId::uface2, {PictureId::uface2a, PictureId::uface2b, PictureId::uface2c, PictureId::uface2b}},
}};

// The still frame a current-frame picture holds from start-up until the first
// step; any other picture is its own frame.
constexpr PictureId startFrame(PictureId id) {
  for (const AnimationRow& row : kAnimationTable) {
    if (row.current == id) return row.frames[0];
  }
  return id;
}

}  // namespace glamora
