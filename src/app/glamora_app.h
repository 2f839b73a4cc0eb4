// The whole program: the session's engines and clock, created at start-up
// with the title screen; the other screens, built the first time they are
// opened (or asked for) and kept from then on; and the ways between them.
#pragma once

#include <cstdint>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/display_size.h"
#include "app/game_effects.h"
#include "app/language.h"
#include "app/startup_step.h"
#include "app/title_screen.h"
#include "assets/media/media_library.h"
#include "assets/pictures/picture_library.h"
#include "engine/session.h"
#include "input/player_controls.h"
#include "modes/battle_screen.h"
#include "modes/editor_screen.h"
#include "modes/training_screen.h"
#include "records/records_keeper.h"
#include "screens/help_screens.h"
#include "screens/result_dialogs.h"
#include "screens/volume_window.h"
#include "settings/settings_keeper.h"

namespace glamora {

namespace netgame {
class NetGame;
}

class GlamoraApp {
 public:
  // `dataFiles` says where the music, voices and how-to-play text are read
  // from; `sessionsDirectory` where the kept session journals are (empty:
  // none); `lobbyForThisRun` the lobby rooms are made at instead of the one
  // kept (--lobby; empty: the kept one).
  GlamoraApp(media::MediaLibrary& media, FileLocator dataFiles, std::string sessionsDirectory = {},
             std::string lobbyForThisRun = {});
  ~GlamoraApp();

  Session& session() { return session_; }
  SimClock& clock() { return session_.clock; }
  TitleScreen& title() { return *title_; }
  // Each builds its screen if it has not been yet.
  BattleScreen& battle();
  TrainingScreen& training();
  EditorScreen& editor();
  // The seed of the computer players' random choices, taken at start-up.
  std::uint64_t computerSeed() const { return computerSeed_; }
  HelpScreens& help() { return *help_; }
  ResultDialogs& results() { return *results_; }
  // The players' keys and gamepads.
  PlayerControls& controls() { return *controls_; }
  GameEffects& effects() { return effects_; }
  // The records of the rounds played, beside the kept sessions.
  records::RecordsKeeper& records() { return *records_; }
  const PictureLibrary& pictures() const { return pictures_; }
  // The settings kept between runs: read at start (readSettingsAtStart),
  // brought back once the start-up step has succeeded, written when changed.

  // Where the game's files were looked for, named when one is missing at start.
  void setDataPlaces(std::vector<std::filesystem::path> places) { dataPlaces_ = std::move(places); }
  // How the room for windows on the screen is measured, in pixels at scale
  // 1: only the display sizes that fit are offered.
  void measureScreenWith(std::function<QSize()> measure) { availableScreen_ = std::move(measure); }

  // Builds the two game screens from the event loop once the title screen has
  // first been painted, so that their first opening is as quick as any other.
  void buildGameScreensAfterTitle();

  // No game screen is on view and no round runs: only the title's and the
  // pictures' half-second tasks change what a player sees or hears.
  bool restingOnTitle() const;

  // "一人で特訓(&O)" and "二人で対戦(&B)": the game screen opens modally over
  // the hidden title screen, which shows again (or the program ends) when it closes.
  void openTraining();
  void openBattle();
  void openEditor();
  void openReplays();

 private:
  void setTrainingBoxesEnabled(bool enabled);
  std::uint64_t computerSeed_ = 1;
  void openGameScreen(GameScreen& screen);
  void gameScreenClosed(GameScreen& screen);
  bool startup();
  void keepSettingsOf(GameScreen& screen);
  void connectLanguageItems(const std::array<QAction*, 2>& items, QObject* context);
  void chooseLanguage(Language language);
  void showHowToPlay();
  void confirmErase(QWidget* over);
  void openRecords(QWidget* over);
  void showKeptSettings();
  void offerDisplaySizes(const GameMenuActions& menus);
  void reportStartupFailure(const Message& error, bool fileMissing);
  void openVolume(Mode from);
  void applyVolumes(const SoundVolumes& volumes);

  media::MediaLibrary& media_;
  std::string sessionsDirectory_;
  std::string lobbyForThisRun_;
  std::unique_ptr<records::RecordsKeeper> records_;
  PictureLibrary pictures_;
  GameEffects effects_;
  Session session_;
  SettingsKeeper keeper_;
  std::unique_ptr<FullScreenBackdrop> backdrop_;
  std::unique_ptr<TitleScreen> title_;
  std::unique_ptr<HelpScreens> help_;
  QString japaneseHowToPlay_;                           // as the start-up step read it
  std::vector<std::array<QAction*, 2>> languageItems_;  // the title's and each game screen's
  std::unique_ptr<EditorScreen> editorScreen_;
  std::unique_ptr<ResultDialogs> results_;
  std::unique_ptr<VolumeWindow> volume_;
  Mode volumeFrom_ = Mode::Battle;  // the screen the volume window was opened from
  std::unique_ptr<BattleScreen> battle_;
  std::unique_ptr<TrainingScreen> training_;
  std::unique_ptr<netgame::NetGame> netGame_;  // the battle screen's network battle
  std::unique_ptr<StartupStep> startup_;
  std::unique_ptr<PlayerControls> controls_;
  ScreenLinks links_;
  std::vector<std::filesystem::path> dataPlaces_;
  std::function<QSize()> availableScreen_;
};

}  // namespace glamora
