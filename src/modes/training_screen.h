// The one-player training screen: the training engine on screen.
#pragma once

#include "engine/scheduler.h"
#include "engine/training.h"
#include "game_screen.h"

namespace glamora {

class TrainingScreen final : public GameScreen {
 public:
  // `characterChosen` rewrites the training result dialogs.
  TrainingScreen(Effects& effects, const EditorValues& editor, const PictureLibrary& pictures, Scheduler& scheduler,
                 ScreenLinks links, std::function<void(Character)> characterChosen, QWidget* parent = nullptr);

  Training& engine() { return training_; }
  void characterChanged(Character character) override;

 private:
  void chooseStage(int n) override { training_.chooseStage(n); }
  void keyPress(char32_t character) override { training_.keyPress(character); }
  void setMusic(bool on) override { training_.setMusic(on); }
  void setVoices(bool on) override { training_.setVoices(on); }
  void leaveToTitle() override { training_.leaveToTitle(); }
  void screenClosed() override { training_.screenClosed(); }
  void showMenuState() override;
  void buildPanel();

  Training training_;
  PlayerMenu playerMenu_;
  std::function<void(Character)> characterChosen_;
  QAction* playP1_ = nullptr;
  QAction* playP2_ = nullptr;
  QLabel* face_ = nullptr;
  QLabel* name_ = nullptr;
};

}  // namespace glamora
