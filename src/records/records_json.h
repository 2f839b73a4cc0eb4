// The records of a set of rounds as one JSON object, what glamora-sim
// --records prints:
//   {"battle":{"rounds":R,"wins":[W1,W2],"draws":D,"stages":{"1":[W1,W2],...},
//              "modes":{"local":N,"computer":N,"network":N}},
//    "training":{"rounds":R,"won":W,"stages":{"1":{"won":W,"lost":L},...}},
//    "files":F}
// with "rows" (each round's row) after them when asked for. Stages appear in
// numeric order, only those with a finished round.
#pragma once

#include <string>
#include <vector>

#include "round_row.h"

namespace glamora::records {

std::string recordsJson(const std::vector<RoundRow>& rows, int files, bool withRows);

}  // namespace glamora::records
