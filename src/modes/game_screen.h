// What the battle and the training screen have in common: a fixed client area
// under the menu bar, the menus, keys forwarded to the engine, leaving for the
// title, and showing what the engine tells them.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "assets/pictures/picture_library.h"
#include "board_cover.h"
#include "board_view.h"
#include "engine/effects.h"
#include "engine/input_route.h"
#include "engine/session.h"
#include "game_menus.h"
#include "screens/form_kit.h"

namespace glamora {

class PlayerKeys;

// The maroon bars that frame the areas of a game screen.
inline const LabelStyle kBar{12, true, kClWhite, kClMaroon};

// Ways out of a game screen to the screens it opens.
struct ScreenLinks {
  std::function<void(QMenu*)> fillHelpMenu;  // the six help entries
  std::function<void()> openEditor;          // the original-stage editor, modally
  std::function<void()> openReplays;         // the list of kept rounds
  std::function<void(bool)> holdMusic;       // the pause holds the music, and lets it go
};

// A game screen shows one engine of the session and sends what the player
// does through the session's inputs; it watches the engine's view model for
// as long as it exists, or the model of the route set on it.
class GameScreen : public QDialog, private ViewWatcher {
 public:
  ~GameScreen() override;

  // True after "終了(&X)": whoever opened the screen ends the program.
  bool quitRequested() const { return quitRequested_; }
  QWidget* client() const { return client_; }
  QMenuBar* menuBar() const { return menuBar_; }
  // The name plate over a side ("PLAYER1", "YOU"; the names in a network battle).
  QLabel* plate(int player) const { return plates_.at(static_cast<std::size_t>(player)); }
  const GameMenuActions& menus() const { return menus_; }
  BoardView& board(int player) { return *boards_.at(static_cast<std::size_t>(player)); }

  // What the screen shows now: its engine's model, or its route's.
  const ScreenViewModel& shown() const { return shownView_->model(); }
  // The caption a sign the rules write shows now, wherever it is painted.
  QString signCaption(Label label) const;
  std::optional<Colour> signBackground(Label label) const;
  bool pauseShown(PauseSign sign) const;

  // The training character changed: portrait, name plate, dialog faces.
  virtual void characterChanged(Character) {}

  // A replay shows the screen but takes no keys or menu commands: they go to
  // the window around it.
  void setInputEnabled(bool enabled);

  // A stage item. With no round running the stage reaches the engine after a
  // count of 3, 2, 1 over the boards, so that the countdowns begin when the
  // players can see them; during a round it acts at once.
  void chooseStage(int n);
  // "もう一度(&R)" of a result dialog: the stage last played, chosen again.
  void playAgain();
  bool counting() const { return count_.running(); }
  static constexpr int kCountMs = StageCount::kSteps * 100;

  // P or Pause during a round (or the count), or the program losing the
  // focus to another program, pauses: the clock and the music stand, the
  // boards are covered and the players' keys do nothing. The same key, a
  // click on the cover, a stage item or leaving the screen resumes.
  void pause();
  void resume();
  bool paused() const { return paused_; }
  Mode mode() const { return mode_; }

  // While a route is set, the player's keys, the stage items, "もう一度",
  // the side choices and the music switch go to it, and the screen shows its
  // model, its count and its menus (a network battle).
  void setInputRoute(InputRoute* route);
  InputRoute* inputRoute() const { return route_; }
  // Shows the menus and the covers again: the route's count or menus, or
  // kept settings, changed.
  void showMenusAndCovers() {
    showCovers();
    showMenuState();
  }
  // The players' keys (null: A/S/D and 4/5/6); the owner keeps them alive
  // and sets them again when they change.
  void setPlayerKeys(const PlayerKeys* keys);
  // A key of a gamepad that plays `player` (none: a pad that plays nobody),
  // acting as the player's key typed would. Any pad plays training's one
  // player and a network battle's local side.
  void padKey(std::optional<int> player, Key key);
  // Runs after the screen has closed (the session has been told already).
  std::function<void()> onClosed;

 protected:
  GameScreen(Session& session, Mode mode, Message caption, QSize clientSize, const PictureLibrary& pictures,
             ScreenLinks links, QWidget* parent);

  virtual void showMenuState() = 0;
  // The stage item to check: the one being counted in, else the engine's.
  int checkedStageItem(int engineChecked) const { return count_.running() ? count_.stage() : engineChecked; }

  SignView* sign(Label label) const { return signs_[static_cast<std::size_t>(label)]; }
  void addPlate(int player, const LabelLayout& layout) {
    plates_.at(static_cast<std::size_t>(player)) = makeLabel(client_, layout);
  }
  // A player's side at `left`, `suffix` "A" or "B" naming its parts.
  void addBoard(int left, char suffix);
  // Builds a layout table in the client area; the signs the engine writes
  // to are given by their names and painted from the model.
  void addLabels(std::span<const LabelLayout> layouts, std::span<const std::pair<const char*, Label>> engineLabels);

  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override { close(); }

  Session& session_;
  const PictureLibrary& pictures_;
  GameMenuActions menus_;

 private:
  ViewRelay& ownView() { return mode_ == Mode::Battle ? session_.battleView : session_.trainingView; }
  void viewChanged(const ViewChange& change) override;
  void showView(ViewRelay& view);
  void switchMusic(bool on);
  bool roundRunning() const;
  int lastStage() const;
  void startStage(int n);
  void coverTick();
  BoardView* side(int player) const;  // null where the screen has no such side
  void signChanged(Label label);
  void allChanged();
  void showCovers();
  void showHints();
  void holdClockAndMusic(bool held);
  bool isRepeat(const QKeyEvent& event) const;
  std::u32string playerCharacters(const QKeyEvent& event) const;

  Mode mode_;
  bool inputEnabled_ = true;
  QWidget* client_;
  QMenuBar* menuBar_;
  std::array<QLabel*, 2> plates_{};
  ViewRelay* shownView_;
  std::vector<BoardView*> boards_;
  std::array<SignView*, kLabelCount> signs_{};  // the centre column's signs
  std::vector<BoardCover*> covers_;
  std::function<void(bool)> holdMusic_;
  StageCount count_;
  bool paused_ = false;
  InputRoute* route_ = nullptr;
  const PlayerKeys* keys_ = nullptr;
  std::pair<int, quint64> lastRelease_;  // key and time stamp of the last key released
  bool quitRequested_ = false;
  OwnedTask coverTask_;  // the covers and the count; goes first
};

}  // namespace glamora
