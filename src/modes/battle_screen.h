// The two-player battle screen: the battle engine on screen.
#pragma once

#include "game_screen.h"

namespace glamora {

class BattleScreen final : public GameScreen {
 public:
  BattleScreen(Session& session, const PictureLibrary& pictures, ScreenLinks links, QWidget* parent = nullptr);

  Battle& engine() { return session_.battle; }
  // "ネット対戦(&N)": its owner enables and connects the items.
  const NetMenu& netMenu() const { return netMenu_; }

  // While a route is set (a network battle): the names on the plates (fitted
  // as fitPlateText fits them), with their hints, and the status line under
  // the menu bar.
  void showRouteNames(const std::array<QString, 2>& names, const std::array<QString, 2>& hints);
  void showRouteStatus(const QString& text);

 private:
  void showMenuState() override;
  void showRouteMenus();
  void buildCentre();
  void choosePlayer(int p, std::optional<ComputerLevel> level);

  std::array<PlayerMenu, 2> playerMenus_;
  NetMenu netMenu_;
  std::array<QFont, 2> plateFonts_;
  QLabel* status_;
  QAction* stageNote_;
};

}  // namespace glamora
