// What the battle and the training screen have in common: a fixed client area
// under the menu bar, the menus, keys forwarded to the engine, leaving for the
// title, and showing what the engine tells them.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "assets/pictures/picture_library.h"
#include "engine/effects.h"
#include "engine/session.h"
#include "game_menus.h"
#include "player_panel.h"
#include "screens/form_kit.h"

namespace glamora {

// The maroon bars that frame the areas of a game screen.
inline const LabelStyle kBar{12, true, kClWhite, kClMaroon};

// Ways out of a game screen to the screens it opens.
struct ScreenLinks {
  std::function<void(QMenu*)> fillHelpMenu;  // the six help entries
  std::function<void()> openEditor;          // the original-stage editor, modally
  std::function<void()> openReplays;         // the list of kept rounds
};

// A game screen shows one engine of the session and sends what the player
// does through the session's inputs; it attaches itself to the engine's view
// for as long as it exists.
class GameScreen : public QDialog, public ScreenView {
 public:
  ~GameScreen() override;

  // True after "終了(&X)": whoever opened the screen ends the program.
  bool quitRequested() const { return quitRequested_; }
  QWidget* client() const { return client_; }
  const GameMenuActions& menus() const { return menus_; }
  PlayerPanel& panel(int player) { return *panels_.at(player); }

  // ScreenView: pictures and labels.
  void redrawBoard(int player, const Board& board) override { panel(player).redraw(board); }
  void showCarried(int player, Picture picture) override { panel(player).showCarried(picture); }
  void showMarker(int player, int column, Picture picture) override { panel(player).showMarker(column, picture); }
  void moveArrow(int player, int column) override { panel(player).moveArrow(column); }
  void moveCarried(int player, int column) override { panel(player).moveCarried(column); }
  void setCaption(Label label, std::string_view text) override;
  void setColour(Label label, Colour colour) override;
  void setPause(Label label, bool shown) override;
  void menuChanged() override { showMenuState(); }
  void characterChanged(Character) override {}

  // A replay shows the screen but takes no keys or menu commands: they go to
  // the window around it.
  void setInputEnabled(bool enabled);
  Mode mode() const { return mode_; }
  // Runs after the screen has closed (the session has been told already).
  std::function<void()> onClosed;

 protected:
  GameScreen(Session& session, Mode mode, const QString& caption, QSize clientSize, const PictureLibrary& pictures,
             ScreenLinks links, QWidget* parent, const std::function<void(QMenu*)>& beforeSwitches = {});

  virtual void showMenuState() = 0;

  void addPanel(int left, char suffix);
  // Builds a layout table in the client area; the labels the engine writes
  // to are given by their component names.
  void addLabels(std::span<const LabelSpec> specs, std::span<const std::pair<const char*, Label>> engineLabels);
  void nameLabel(Label label, QLabel* widget) {
    labels_[label] = widget;
    keepPaintings(widget);
  }

  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override { close(); }

  Session& session_;
  const PictureLibrary& pictures_;
  GameMenuActions menus_;

 private:
  ViewRelay& relay() { return mode_ == Mode::Battle ? session_.battleView : session_.trainingView; }

  Mode mode_;
  bool inputEnabled_ = true;
  QWidget* client_;
  std::vector<std::unique_ptr<PlayerPanel>> panels_;
  std::map<Label, QLabel*> labels_;
  bool quitRequested_ = false;
};

}  // namespace glamora
