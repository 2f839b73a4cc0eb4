// What every result dialog says under its portraits: how to go on playing.
#pragma once

#include "screens/screen_dialog.h"

namespace glamora {

inline constexpr LabelStyle kResultNoteStyle{.pixelHeight = 12};
inline constexpr const char* kResultNote1 =
    QT_TRANSLATE_NOOP("Screens", "ゲームを続ける場合は、ゲーム(&G)をクリックした後、");
inline constexpr const char* kResultNote2 = QT_TRANSLATE_NOOP("Screens", "ステージを選択して下さい");

}  // namespace glamora
