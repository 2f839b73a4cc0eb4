// The menu bar shared by the battle and the training screen: the stage items,
// navigation, the music and voice switches, the editor and the help entries.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <array>
#include <functional>
#include <optional>

#include "engine/computer_level.h"
#include "screens/live_text.h"

namespace glamora {

struct GameMenuActions {
  std::array<QAction*, 15> stages{};       // stage1..stage15
  QAction* title = nullptr;                // title1
  QAction* replays = nullptr;              // replay1
  QAction* end = nullptr;                  // end1
  QAction* musicOn = nullptr;              // bon1
  QAction* musicOff = nullptr;             // boff1
  QAction* voicesOn = nullptr;             // won1
  QAction* voicesOff = nullptr;            // woff1
  QAction* volume = nullptr;               // "音量(&V)...": the levels of both
  QAction* editor = nullptr;               // st15sl
  std::array<QAction*, 4> displaySizes{};  // "表示の大きさ(&Z)": 1x, 1.5x, 2x, full screen
  QAction* records = nullptr;              // "戦績(&T)..."
  QAction* eraseRecords = nullptr;         // "記録を消去..."
  std::array<QAction*, 2> languages{};     // "言語 / Language(&L)": Japanese, English
  QMenu* game = nullptr;
  QMenu* options = nullptr;
  QMenu* help = nullptr;
};

// Builds the three menus into `bar`; "オプション(&O)" ends with the display
// size and the erasing of what is kept between runs. `fillHelp` adds the help
// entries.
GameMenuActions buildGameMenus(QMenuBar* bar, const std::function<void(QMenu*)>& fillHelp);

// Check marks: exactly the chosen stage (0 for none), and one item of each switch pair.
void showStageChecks(const GameMenuActions& menus, int checkedStage);
void showSwitchChecks(const GameMenuActions& menus, bool bgmOff, bool seOff);
// The display size chosen, by its index in displaySizes.
void showDisplaySizeCheck(const GameMenuActions& menus, int chosen);

// "ネット対戦(&N)" of the battle screen's game menu, before the way to the title.
struct NetMenu {
  QMenu* menu = nullptr;        // net1
  QAction* host = nullptr;      // netHost
  QAction* join = nullptr;      // netJoin
  QAction* makeRoom = nullptr;  // netMakeRoom
  QAction* joinRoom = nullptr;  // netJoinRoom
  QAction* lobby = nullptr;     // netLobby
  QAction* quit = nullptr;      // netQuit
  QAction* busyNote = nullptr;  // why the battles cannot be begun now
};
NetMenu addNetMenu(const GameMenuActions& menus);

// Who plays one side: "人間(&H)" or the computer at one of three levels, as
// radio items of one submenu of "オプション(&O)".
struct PlayerMenu {
  QMenu* menu = nullptr;
  std::array<QAction*, 4> items{};  // person, easy, normal, hard
};

// Adds such a submenu after the sound switches, before the editor item;
// `chosen` gets the level picked (none for a person). "人間" starts checked.
PlayerMenu addPlayerMenu(const GameMenuActions& menus, Message caption, const QString& objectName,
                         const std::function<void(std::optional<ComputerLevel>)>& chosen);
void showPlayerChecks(const PlayerMenu& menu, std::optional<ComputerLevel> level);

// "やさしい", "ふつう", "むずかしい".
Message levelCaption(ComputerLevel level);

// "言語 / Language(&L)" with 日本語 and English as radio items, at the end of `into`.
std::array<QAction*, 2> addLanguageMenu(QMenu* into);

// What a side's plate says while the computer plays it: "CPU ふつう".
QString computerPlateText(ComputerLevel level);

// A side's name plate: its own caption for a person; "CPU" and the level
// while the computer plays it, with the level as its hint too. The text is
// fitted as fitPlateText fits it, from the plate's font.
void showPlate(QLabel* plate, const QString& personCaption, std::optional<ComputerLevel> level);

// Shows `text` on a plate: in `base`'s size when it fits, else smaller down
// to 12 pixels; a text that still does not fit goes on two lines, broken at
// its first space, and is cut short with "…" only when even that fails.
void fitPlateText(QLabel* plate, const QFont& base, const QString& text);

}  // namespace glamora
