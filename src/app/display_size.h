// The display size: every window of the program drawn at 1, 1.5 or 2 times
// its size, or as large as the screen allows behind a black backdrop. Qt
// takes the scale only before the application exists, so a size chosen in
// the menu takes effect at the next start.
#pragma once

#include <QSize>
#include <QWidget>
#include <memory>

#include "settings/kept_settings.h"

namespace glamora {

// Every window of the game fits in this size at scale 1 (the battle screen
// is the widest, the title screen the tallest).
inline constexpr QSize kLargestWindow(657, 433);

// The largest scale at which kLargestWindow fits in `screen` (logical pixels
// at scale 1), to two decimals, and at least 0.5.
double fullScreenScale(QSize screen);

// Whether the windows drawn at `size` fit in `available` (the screen's room
// for windows, in pixels at scale 1; empty when unknown: every size fits).
// 1倍 and full screen always fit: there is nothing smaller to offer.
bool displaySizeFits(DisplaySize size, QSize available);
// The size a kept size is drawn at: itself when it fits, otherwise the
// largest that does.
DisplaySize displaySizeThatFits(DisplaySize kept, QSize available);
// The room for windows on the screen `window` is on (the primary screen for
// none), in pixels at scale 1 whatever scale this run draws at.
QSize availableScreenAtScaleOne(const QWidget* window);

// Called by main() before the application exists: reads the game's settings
// from the platform's configuration location and sets the kept display
// size's scale (QT_SCALE_FACTOR), or that of the largest size that fits the
// screen, unless the environment names one already.
void readKeptSettingsBeforeStart();

// In full screen, a black window covering the screen, below the game's
// windows, which are centred on it.
class FullScreenBackdrop {
 public:
  FullScreenBackdrop();
  ~FullScreenBackdrop();
  // Keeps `window` (a top-level window of the game, not yet shown) above the
  // backdrop, and draws it without a frame.
  void hold(QWidget* window);
  // Centres a window on the whole screen, which the backdrop covers.
  static void centre(QWidget* window);

 private:
  std::unique_ptr<QWidget> backdrop_;
};

}  // namespace glamora
