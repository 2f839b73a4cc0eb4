#include "screen_rules.h"

#include "stages.h"

namespace glamora {

std::string stageCaption(int stageNo) {
  if (stageNo == 0) return "?";
  if (stageNo == kOriginalStage) return "ORIGINAL";
  return std::to_string(stageNo);
}

void updatePauseSigns(const RoundFlags& flags, ScreenView& view, std::span<const Label> signs, int& shown) {
  if (flags.roundActive != 1 || (flags.inputOpen != 0 && flags.inputOpen != 1)) return;
  for (Label label : signs) view.setPause(label, flags.inputOpen == 0);
  shown = flags.inputOpen == 0 ? 1 : 0;
}

void clearPauseSigns(ScreenView& view, std::span<const Label> signs, int& shown) {
  for (Label label : signs) view.setPause(label, false);
  shown = 0;
}

}  // namespace glamora
