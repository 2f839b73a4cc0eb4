// The numbered empty-cell tiles of the six board columns.
#pragma once

#include <QPainter>

namespace glamora::art {

// Fills the 32 x 24 cell with column 1..6's pastel tile and its digit.
void paintColumnTile(QPainter& painter, int column);

}  // namespace glamora::art
