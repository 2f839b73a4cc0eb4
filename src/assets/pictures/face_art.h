// The two characters' head-and-shoulders portraits (96 x 96).
#pragma once

#include <QPainter>

namespace glamora::art {

enum class Character { Elna, Mirabe };
enum class Mood { Winning, Playing, Losing };  // frames a, b, c

void paintFace(QPainter& painter, Character character, Mood mood);

}  // namespace glamora::art
