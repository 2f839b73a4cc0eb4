// Paints one still picture of the library.
#pragma once

#include <QImage>

#include "assets/pictures/picture_id.h"

namespace glamora {

// `id` must be a still picture (not a current-frame slot). The image has
// logicalSize(id) * devicePixelRatio pixels and carries the ratio.
QImage paintPicture(PictureId id, qreal devicePixelRatio);

}  // namespace glamora
