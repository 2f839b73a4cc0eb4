// The cosmetic items and the used-up marker, drawn in a 32 x 24 cell.
// The painters draw only the item; the caller lays the ground (the item
// pictures use plain aqua; the title reuses the items at a larger scale).
#pragma once

#include <QPainter>

namespace glamora::art {

inline constexpr int kCellWidth = 32;
inline constexpr int kCellHeight = 24;

// Item kind 1..9 (foundation, rouge right/left, comb up/down, mirror
// up/down/right/left) in animation frame 0 (a), 1 (b) or 2 (c).
void paintItem(QPainter& painter, int kind, int frame);
// The red cross of a used-up supply column, largest in frame 0.
void paintUsedUpCross(QPainter& painter, int frame);

}  // namespace glamora::art
