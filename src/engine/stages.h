// The fourteen built-in stage tables and the training parameters of each stage.
#pragma once

#include "cells.h"

namespace glamora {

inline constexpr int kBuiltInStages = 14;
inline constexpr int kOriginalStage = 15;

// Stage n (1..14): each supply column's eight codes, slot 1 first.
Supply stageTable(int n);

// Training: the score to reach and the seconds between mirror falls.
inline constexpr int trainingNorm(int n) { return 1200 + 300 * n; }
inline constexpr int trainingMirrorPeriod(int n) { return 100 - 5 * n; }

}  // namespace glamora
