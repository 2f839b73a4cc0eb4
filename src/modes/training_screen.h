// The one-player training screen: the training engine on screen.
#pragma once

#include "game_screen.h"

namespace glamora {

class TrainingScreen final : public GameScreen {
 public:
  // `characterChosen` rewrites the training result dialogs.
  TrainingScreen(Session& session, const PictureLibrary& pictures, ScreenLinks links,
                 std::function<void(Character)> characterChosen, QWidget* parent = nullptr);

  Training& engine() { return session_.training; }
  void characterChanged(Character character) override;

 private:
  void showMenuState() override;
  void buildPanel();

  PlayerMenu playerMenu_;
  std::function<void(Character)> characterChosen_;
  QAction* playP1_ = nullptr;
  QAction* playP2_ = nullptr;
  QLabel* face_ = nullptr;
  QLabel* name_ = nullptr;
};

}  // namespace glamora
