#include "glamora_app.h"

#include <QApplication>
#include <random>

#include "assets/media/music_loop.h"
#include "modes/replay_list.h"
#include "screens/form_kit.h"
#include "screens/how_to_play_screen.h"

namespace glamora {

GlamoraApp::GlamoraApp(media::MediaLibrary& media, std::string directory, std::string sessionsDirectory)
    : media_(media), sessionsDirectory_(std::move(sessionsDirectory)), effects_(media), session_(effects_) {
  const auto fillHelp = [this](QMenu* menu) { addHelpItems(menu, *help_); };
  title_ = std::make_unique<TitleScreen>(
      pictures_, session_.clock,
      TitleActions{[this] { return startup(); }, [this] { openTraining(); }, [this] { openBattle(); }});
  help_ = std::make_unique<HelpScreens>(pictures_, title_.get());
  fillHelp(title_->popupMenu());
  // The asset form's animation runs from the start, on shown and hidden screens alike.
  session_.clock.add({ScreenId::Assets, 1, 500, [this] { pictures_.step(); }});
  editorScreen_ = std::make_unique<EditorScreen>(session_.editor, pictures_, title_.get());
  editorScreen_->onCloseAttempt = [this] { session_.editorClose(false); };
  results_ = std::make_unique<ResultDialogs>(pictures_, title_.get());
  for (Dialog d : {Dialog::Mw1Form, Dialog::Mw2Form, Dialog::SwForm, Dialog::SlForm}) {
    effects_.setDialog(d, &results_->dialog(d));
  }
  const ScreenLinks links{fillHelp, [this] { openEditor(); }, [this] { openReplays(); }};
  battle_ = std::make_unique<BattleScreen>(session_, pictures_, links, title_.get());
  training_ = std::make_unique<TrainingScreen>(
      session_, pictures_, links, [this](Character character) { results_->setTrainingCharacter(character); },
      title_.get());
  for (GameScreen* screen : {static_cast<GameScreen*>(battle_.get()), static_cast<GameScreen*>(training_.get())}) {
    screen->onClosed = [this, screen] { gameScreenClosed(*screen); };
  }
  session_.training.assetDirectory = directory;
  computerSeed_ = std::random_device{}();
  session_.battle.computerSeed = session_.training.computerSeed = computerSeed_;
  startup_ = std::make_unique<StartupStep>(effects_, std::move(directory),
                                           [this](const QString& text) { help_->howToPlay().setText(text); });
}

GlamoraApp::~GlamoraApp() {
  // The screens detach from the session's views before the session goes.
  battle_.reset();
  training_.reset();
}

bool GlamoraApp::startup() {
  if (!startup_->attempt()) return false;
  media::addMusicLoop(session_.clock, media_.player(Media::Bgm));
  return true;
}

void GlamoraApp::openTraining() {
  editorScreen_->setTrainingBoxesEnabled(true);
  openGameScreen(*training_);
}

void GlamoraApp::openBattle() {
  editorScreen_->setTrainingBoxesEnabled(false);
  openGameScreen(*battle_);
}

void GlamoraApp::openEditor() { openModal(editorScreen_.get()); }

void GlamoraApp::openReplays() {
  openReplayList(sessionsDirectory_, pictures_, QApplication::activeWindow());
}

void GlamoraApp::openGameScreen(GameScreen& screen) {
  title_->hide();
  screen.adjustSize();
  centreOnScreen(&screen);
  openModal(&screen);
}

void GlamoraApp::gameScreenClosed(GameScreen& screen) {
  if (screen.quitRequested()) {
    // The hidden title screen closing is not the last visible window closing,
    // so the program is ended explicitly.
    title_->close();
    QCoreApplication::quit();
  } else {
    title_->show();
    title_->activateWindow();
  }
}

}  // namespace glamora
