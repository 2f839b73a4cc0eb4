// Where the stage editor's components sit and what they show: its labels, its
// legend pictures and its 50 boxes, as data the editor screen is built from.
#pragma once

#include <QRect>
#include <QStringList>

#include <span>
#include <vector>

#include "engine/editor_values.h"
#include "engine/pictures.h"
#include "screens/form_kit.h"

namespace glamora::editor_layout {

inline constexpr QSize kClientSize{458, 427};
inline constexpr QPoint kOkButtonPosition{312, 384};

struct LabelLayout {
  const char* name;
  QRect geometry;
  const char* caption;  // UTF-8
  LabelStyle style;
};

struct PictureLayout {
  const char* name;
  QPoint position;  // every legend picture is 32 x 24
  Picture picture;
};

std::span<const LabelLayout> labels();
std::span<const PictureLayout> pictures();

// Every box in the order of the check: pa11..pa18, pa21..pa68, psc, ptm.
std::vector<EditorBox> boxesInCheckOrder();
QRect boxGeometry(const EditorBox& box);
QStringList boxItems(const EditorBox& box);

}  // namespace glamora::editor_layout
