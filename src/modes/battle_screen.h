// The two-player battle screen: the battle engine on screen.
#pragma once

#include "game_screen.h"

namespace glamora {

class BattleScreen final : public GameScreen {
 public:
  BattleScreen(Session& session, const PictureLibrary& pictures, ScreenLinks links, QWidget* parent = nullptr);

  Battle& engine() { return session_.battle; }

 private:
  void showMenuState() override;
  void buildCentre();
  void choosePlayer(int p, std::optional<ComputerLevel> level);

  std::array<PlayerMenu, 2> playerMenus_;
};

}  // namespace glamora
