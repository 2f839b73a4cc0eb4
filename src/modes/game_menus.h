// The menu bar shared by the battle and the training screen: the stage items,
// navigation, the music and voice switches, the editor and the help entries.
#pragma once

#include <QAction>
#include <QMenuBar>
#include <array>
#include <functional>

namespace glamora {

struct GameMenuActions {
  std::array<QAction*, 15> stages{};  // stage1..stage15
  QAction* title = nullptr;           // title1
  QAction* replays = nullptr;         // replay1
  QAction* end = nullptr;             // end1
  QAction* musicOn = nullptr;         // bon1
  QAction* musicOff = nullptr;        // boff1
  QAction* voicesOn = nullptr;        // won1
  QAction* voicesOff = nullptr;       // woff1
  QAction* editor = nullptr;          // st15sl
  QMenu* game = nullptr;
  QMenu* options = nullptr;
  QMenu* help = nullptr;
};

// Builds the three menus into `bar`. `beforeSwitches` may add items at the top
// of "オプション(&O)" (training's character choice); `fillHelp` adds the help entries.
GameMenuActions buildGameMenus(QMenuBar* bar, const std::function<void(QMenu*)>& beforeSwitches,
                               const std::function<void(QMenu*)>& fillHelp);

// Check marks: exactly the chosen stage (0 for none), and one item of each switch pair.
void showStageChecks(const GameMenuActions& menus, int checkedStage);
void showSwitchChecks(const GameMenuActions& menus, int bgmOff, int seOff);

}  // namespace glamora
