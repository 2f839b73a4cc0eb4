#include "screen_rules.h"

#include "stages.h"

namespace glamora {

std::string stageCaption(int stageNo) {
  if (stageNo == 0) return "?";
  if (stageNo == kOriginalStage) return "ORIGINAL";
  return std::to_string(stageNo);
}

}  // namespace glamora
