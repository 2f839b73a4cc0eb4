// The pieces the portraits are built from. A Look holds one character's
// colours; the feature painters draw the expression of a mood on the common
// 96 x 96 head (eyes near y 48, mouth near y 60, chin at y 70).
#pragma once

#include <QColor>
#include <QPainter>

#include "assets/pictures/face_art.h"

namespace glamora::art {

struct Look {
  Character who;
  QColor hair, hairLight, hairDark;
  QColor iris, irisDark;
  QColor lash;
  QColor clothes, clothesDark;
  QColor trim, trimLight;
  QColor lips;
  QColor backdropInner, backdropOuter;
};

inline const QColor kSkin{255, 228, 210};
inline const QColor kSkinShade{242, 190, 165};

// Features, drawn on the face in this order.
void paintCheeks(QPainter& p, const Look& look, Mood mood);
void paintEyes(QPainter& p, const Look& look, Mood mood);
void paintBrows(QPainter& p, const Look& look, Mood mood);
void paintNose(QPainter& p);
void paintMouth(QPainter& p, const Look& look, Mood mood);
// Tears for a lost game; drawn last, over the hair.
void paintTears(QPainter& p);

}  // namespace glamora::art
