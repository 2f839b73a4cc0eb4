#include "glamora_app.h"

#include <QApplication>
#include <QPointer>
#include <random>

#include "assets/media/music_loop.h"
#include "screens/how_to_play_screen.h"

namespace glamora {

GlamoraApp::GlamoraApp(Scheduler& scheduler, media::MediaLibrary& media, std::string directory)
    : scheduler_(scheduler), media_(media), effects_(media) {
  const auto fillHelp = [this](QMenu* menu) { addHelpItems(menu, *help_); };
  title_ = std::make_unique<TitleScreen>(
      pictures_, scheduler,
      TitleActions{[this] { return startup(); }, [this] { openTraining(); }, [this] { openBattle(); }});
  help_ = std::make_unique<HelpScreens>(pictures_, title_.get());
  fillHelp(title_->popupMenu());
  // The asset form's animation runs from the start, on shown and hidden screens alike.
  scheduler.add({ScreenId::Assets, 1, 500, [this] { pictures_.step(); }});
  editorScreen_ = std::make_unique<EditorScreen>(editorValues_, pictures_, title_.get());
  results_ = std::make_unique<ResultDialogs>(pictures_, title_.get());
  for (Dialog d : {Dialog::Mw1Form, Dialog::Mw2Form, Dialog::SwForm, Dialog::SlForm}) {
    effects_.setDialog(d, &results_->dialog(d));
  }
  const ScreenLinks links{fillHelp, [this] {
                            QPointer<QWidget> below = QApplication::activeWindow();
                            editorScreen_->exec();
                            if (below) below->activateWindow();
                          }};
  battle_ = std::make_unique<BattleScreen>(effects_, editorValues_, pictures_, scheduler, links, title_.get());
  training_ = std::make_unique<TrainingScreen>(
      effects_, editorValues_, pictures_, scheduler, links,
      [this](Character character) { results_->setTrainingCharacter(character); }, title_.get());
  training_->engine().assetDirectory = directory;
  computerSeed_ = std::random_device{}();
  battle_->engine().computerSeed = training_->engine().computerSeed = computerSeed_;
  startup_ = std::make_unique<StartupStep>(effects_, std::move(directory),
                                           [this](const QString& text) { help_->howToPlay().setText(text); });
}

GlamoraApp::~GlamoraApp() = default;

bool GlamoraApp::startup() {
  if (!startup_->attempt()) return false;
  media::addMusicLoop(scheduler_, media_.player(Media::Bgm));
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

void GlamoraApp::openGameScreen(GameScreen& screen) {
  title_->hide();
  screen.adjustSize();
  centreOnScreen(&screen);
  screen.exec();
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
