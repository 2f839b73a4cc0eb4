// A player's state as glamora-sim's dumps show it.
#pragma once

#include <string>

#include "engine/player.h"

namespace glamora::sim {

// {"board":[[...],...],"nextRow":[...],"supply":[[...],...],"supplyPos":[...],...,"mirrorsDue":[...]}:
// boards and supplies column by column from the bottom. The dumps leave out
// stageSupply, pickCol, dropCol, dropRow and lost; a player without mirrors
// due (training) shows them as zeros.
std::string playerJson(const PlayerState& state, bool withMirrorsDue);

}  // namespace glamora::sim
