// The title screen: the main window, with the title picture, the two
// characters' animated faces and the buttons that open the game modes.
#pragma once

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <functional>

#include "assets/pictures/picture_library.h"
#include "engine/message.h"
#include "engine/scheduler.h"

namespace glamora {

struct TitleActions {
  std::function<bool()> startup;       // one attempt of the start-up step
  std::function<void()> openTraining;  // "一人で特訓(&O)"
  std::function<void()> openBattle;    // "二人で対戦(&B)"
};

// The title picture in the screens' language.
PictureId titlePicture();

class TitleScreen final : public QWidget {
 public:
  TitleScreen(const PictureLibrary& pictures, Scheduler& scheduler, TitleActions actions, QWidget* parent = nullptr);

  bool ready() const { return ready_; }
  // A failed start-up step's error box, over the title: `error`, what the
  // player can do (`advice`, may be empty), OK, and 終了(&X), which ends the game.
  void showStartupProblem(const QString& error, const QString& advice);
  // The right-click menu; its help entries are added once the help screens exist.
  QMenu* popupMenu() const { return popup_; }

 protected:
  bool event(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void startupTick();  // Timer1, then
  void showFaces();    // Timer2 in the same task
  QPushButton* makeButton(const char* name, QRect geometry, Message text, Message hint, PictureId glyph);

  const PictureLibrary& pictures_;
  TitleActions actions_;
  QLabel* title_;
  QLabel* face1_;
  QLabel* face2_;
  QPushButton* one_;
  QPushButton* two_;
  QPushButton* end_;
  QMenu* popup_;
  bool ready_ = false;
  OwnedTask task_;
};

}  // namespace glamora
