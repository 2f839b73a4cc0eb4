// What glamora-sim --bench prints, as kept in tests/engine/rules_signature.txt:
// a line per game, {"game":"battle 1: hard vs hard, stage 1","ticks":N,"signature":"<16 hex digits>"},
// then {"bench":"rules","games":N,"ticks":N,"signature":"<16 hex digits>"}.
#pragma once

#include <string>
#include <vector>

#include "engine/rules_signature.h"

namespace glamora::sim {

std::vector<std::string> benchLines(const RulesSignature& signature);

}  // namespace glamora::sim
