// What a mirror does on the board: the neighbour it faces and what it becomes.
#pragma once

#include "cells.h"

namespace glamora {

struct MirrorStep {
  enum Kind {
    None,  // the cell is no mirror, or the mirror has nothing to copy
    Wait,  // a mirror facing down over an empty cell: it has to fall first
    Copy,  // the cell becomes `code`
  } kind = None;
  Code code = Code::Empty;
};

// The step of the cell at (col, row), row 1..9, on this board.
MirrorStep mirrorStep(const Board& board, int col, int row);

}  // namespace glamora
