// The six help and information screens, created once and opened modally from
// the title screen's pop-up menu and the game screens' help menus.
#pragma once

#include <QPointer>

#include <array>

#include "screens/screen_dialog.h"

class QMenu;
class QWidget;

namespace glamora {

class HowToPlayScreen;
class PictureLibrary;

// In the order of the help menu.
enum class HelpScreen { OperationTable, HowToPlay, VisualHelp, Technique, Characters, About };
inline constexpr int kHelpScreenCount = 6;

// The menu caption of each screen ("操作表(&W)", ...).
const char* helpMenuCaption(HelpScreen which);

class HelpScreens {
 public:
  // The screens are top-level windows over `parent` (which may be null);
  // they live until this object or `parent` goes.
  HelpScreens(const PictureLibrary& library, QWidget* parent = nullptr);
  ~HelpScreens();
  HelpScreens(const HelpScreens&) = delete;
  HelpScreens& operator=(const HelpScreens&) = delete;

  // Opens the screen modally; returns at once.
  void open(HelpScreen which);

  ScreenDialog& screen(HelpScreen which);
  HowToPlayScreen& howToPlay();

 private:
  std::array<QPointer<ScreenDialog>, kHelpScreenCount> screens_;
};

// Appends the six help items, with a separator before the version
// information, each opening its screen modally. The items do nothing once
// `screens` is gone.
void addHelpItems(QMenu* menu, HelpScreens& screens);

}  // namespace glamora
