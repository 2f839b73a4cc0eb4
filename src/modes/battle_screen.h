// The two-player battle screen: the battle engine on screen.
#pragma once

#include "engine/battle.h"
#include "engine/scheduler.h"
#include "game_screen.h"

namespace glamora {

class BattleScreen final : public GameScreen {
 public:
  BattleScreen(Effects& effects, const EditorValues& editor, const PictureLibrary& pictures, Scheduler& scheduler,
               ScreenLinks links, QWidget* parent = nullptr);

  Battle& engine() { return battle_; }

 private:
  void chooseStage(int n) override { battle_.chooseStage(n); }
  void keyPress(char32_t character) override { battle_.keyPress(character); }
  void setMusic(bool on) override { battle_.setMusic(on); }
  void setVoices(bool on) override { battle_.setVoices(on); }
  void leaveToTitle() override { battle_.leaveToTitle(); }
  void screenClosed() override { battle_.screenClosed(); }
  void showMenuState() override;
  void buildCentre();
  void choosePlayer(int p, std::optional<ComputerLevel> level);

  Battle battle_;
  std::array<PlayerMenu, 2> playerMenus_;
};

}  // namespace glamora
