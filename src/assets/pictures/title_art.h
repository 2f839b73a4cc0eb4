// The title screen's artwork: the title picture, the three button glyphs and
// the program icon.
#pragma once

#include <QPainter>

namespace glamora::art {

// The subtitle under the name, in the language of the screens.
enum class Tagline { Japanese, English };
void paintTitle(QPainter& painter, Tagline tagline);  // 600 x 216
void paintTrainingGlyph(QPainter& painter);           // 24 x 24, "一人で特訓"
void paintBattleGlyph(QPainter& painter);             // 24 x 24, "二人で対戦"
void paintQuitGlyph(QPainter& painter);               // 24 x 24, "終了"
void paintProgramIcon(QPainter& painter);             // 32 x 32

}  // namespace glamora::art
