#include "glamora_app.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <iostream>
#include <random>

#include "assets/media/music_loop.h"
#include "assets/text/help_text.h"
#include "engine/errors.h"
#include "engine/media_files.h"
#include "modes/replay_list.h"
#include "modes/replay_window.h"
#include "netgame/net_game.h"
#include "records_window/records_window.h"
#include "screens/form_kit.h"
#include "screens/how_to_play_screen.h"
#include "screens/live_text.h"

namespace glamora {

namespace {

// Runs `work` from the event loop once `window` has been painted for the first time.
class AfterFirstPaint final : public QObject {
 public:
  AfterFirstPaint(QWidget* window, std::function<void()> work) : QObject(window), work_(std::move(work)) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, this, [this] {
        work_();
        deleteLater();
      });
    }
    return false;
  }

 private:
  std::function<void()> work_;
};

}  // namespace

GlamoraApp::GlamoraApp(media::MediaLibrary& media, FileLocator dataFiles, std::string sessionsDirectory,
                       std::string lobbyForThisRun)
    : media_(media),
      sessionsDirectory_(std::move(sessionsDirectory)),
      lobbyForThisRun_(std::move(lobbyForThisRun)),
      records_(std::make_unique<records::RecordsKeeper>(sessionsDirectory_, std::cerr)),
      effects_(media),
      session_(effects_),
      keeper_(session_, settingsAtStart().path, settingsAtStart().settings) {
  // Only the title screen is built here: every other screen is built when it
  // first opens, and shows what it would have shown had it been built now.
  // Before their first opening the engines send their screens nothing (no
  // stage has been chosen), so a screen built late misses nothing.
  // The title picture takes the longest of all to paint: at the usual pixel
  // ratios it was painted by the build; otherwise it starts first, on another
  // thread, and is ready when the title is first shown.
  const qreal ratio = qApp->devicePixelRatio();
  const PictureId title = titlePicture();
  QImage titleArt(QStringLiteral(":/prerendered/%1@%2x.png")
                      .arg(title == PictureId::titleEnglish ? QStringLiteral("title-en") : QStringLiteral("title"))
                      .arg(ratio));
  titleArt.setDevicePixelRatio(ratio);
  if (!pictures_.takePainted(title, std::move(titleArt))) pictures_.paintAhead(title, ratio);
  const auto fillHelp = [this](QMenu* menu) { addHelpItems(menu, *help_); };
  title_ = std::make_unique<TitleScreen>(pictures_, session_.clock,
                                         TitleActions{[this] { return startup(); }, [this] { openTraining(); },
                                                      [this] { openBattle(); }});
  if (settingsAtStart().settings.displaySize == DisplaySize::FullScreen) {
    backdrop_ = std::make_unique<FullScreenBackdrop>();
    backdrop_->hold(title_.get());
  }
  help_ = std::make_unique<HelpScreens>(pictures_, title_.get());
  fillHelp(title_->popupMenu());
  title_->popupMenu()->addSeparator();
  connectLanguageItems(addLanguageMenu(title_->popupMenu()), title_.get());
  // The asset form's animation runs from the start, on shown and hidden screens alike.
  session_.clock.add({TaskOwner::Pictures, 500, [this] { pictures_.step(); }});
  results_ = std::make_unique<ResultDialogs>(pictures_, title_.get());
  controls_ = std::make_unique<PlayerControls>(keeper_, *help_, [this](QWidget* window) {
    for (const Dialog d : {Dialog::PlayerOneWins, Dialog::PlayerTwoWins, Dialog::TrainingWon, Dialog::TrainingLost}) {
      if (results_->isBuilt(d) && window == &results_->dialog(d)) return true;
    }
    return false;
  });
  effects_.dialogWindow = [this](Dialog d) -> QDialog* { return &results_->dialog(d); };
  results_->onAgain = [this](Dialog d) {
    const bool battleResult = d == Dialog::PlayerOneWins || d == Dialog::PlayerTwoWins;
    (battleResult ? static_cast<GameScreen&>(battle()) : training()).playAgain();
  };
  links_ = ScreenLinks{fillHelp, [this] { openEditor(); }, [this] { openReplays(); },
                       [this](bool held) { media_.player(Media::Bgm).hold(held); }};
  session_.training.dataFiles = dataFiles;
  computerSeed_ = std::random_device{}();
  session_.battle.computerSeed = session_.training.computerSeed = computerSeed_;
  applyVolumes(keeper_.volumes());
  startup_ = std::make_unique<StartupStep>(effects_, std::move(dataFiles), [this](const QString& text) {
    japaneseHowToPlay_ = text;
    showHowToPlay();
  });
  startup_->reportWith([this](const Message& error, bool missing) { reportStartupFailure(error, missing); });
  availableScreen_ = [this] { return availableScreenAtScaleOne(title_.get()); };
}

GlamoraApp::~GlamoraApp() {
  // The screens detach from the session's views before the session goes.
  netGame_.reset();
  battle_.reset();
  training_.reset();
}

BattleScreen& GlamoraApp::battle() {
  if (!battle_) {
    battle_ = std::make_unique<BattleScreen>(session_, pictures_, links_, title_.get());
    battle_->onClosed = [this] { gameScreenClosed(*battle_); };
    keepSettingsOf(*battle_);
    controls_->attach(*battle_);
    netgame::NetGameOptions options;
    options.lobby = {lobbyForThisRun_, [this] { return keeper_.lobby(); },
                     [this](const std::string& lobby) { keeper_.chooseLobby(lobby); }};
    options.records = records_.get();
    netGame_ = std::make_unique<netgame::NetGame>(
        *battle_, session_, effects_, [this](Dialog d) -> QDialog* { return &results_->dialog(d); }, sessionsDirectory_,
        std::move(options));
  }
  return *battle_;
}

TrainingScreen& GlamoraApp::training() {
  if (!training_) {
    training_ = std::make_unique<TrainingScreen>(
        session_, pictures_, links_, [this](Character character) { results_->setTrainingCharacter(character); },
        title_.get());
    training_->onClosed = [this] { gameScreenClosed(*training_); };
    keepSettingsOf(*training_);
    controls_->attach(*training_);
    // A character restored before the screen was built is shown as chosen.
    if (session_.trainingView.model().characterSet) training_->characterChanged(session_.training.state.character);
  }
  return *training_;
}

EditorScreen& GlamoraApp::editor() {
  if (!editorScreen_) {
    editorScreen_ = std::make_unique<EditorScreen>(session_.editor, pictures_, title_.get());
    editorScreen_->onCloseAttempt = [this] { session_.editorClose(false); };
  }
  return *editorScreen_;
}

void GlamoraApp::buildGameScreensAfterTitle() {
  // One screen per pass of the event loop, so neither keeps a key waiting long.
  new AfterFirstPaint(title_.get(), [this] {
    battle();
    QTimer::singleShot(0, title_.get(), [this] { training(); });
    QTimer::singleShot(0, title_.get(), [this] { controls_->startGamepads(); });
    // The records' database is opened (and a damaged one set aside) before a round can end.
    QTimer::singleShot(0, title_.get(), [this] { records_->database(); });
  });
}

bool GlamoraApp::restingOnTitle() const {
  const auto onView = [](const QWidget* screen) { return screen && screen->isVisible(); };
  return !onView(battle_.get()) && !onView(training_.get()) && session_.currentRound().number == 0;
}

bool GlamoraApp::startup() {
  if (!startup_->attempt()) return false;
  media::addMusicLoop(session_.clock, media_.player(Media::Bgm));
  keeper_.restore();
  showKeptSettings();
  return true;
}

// Tests record the error texts; a player gets a box that names the places
// looked in when a file is missing, and can end the game from it.
void GlamoraApp::reportStartupFailure(const Message& error, bool fileMissing) {
  if (effects_.errorBox) return effects_.errorBox(translated(error));
  title_->showStartupProblem(translated(error), fileMissing ? missingFilesAdvice(dataPlaces_) : QString());
}

void GlamoraApp::keepSettingsOf(GameScreen& screen) {
  const GameMenuActions& menus = screen.menus();
  for (std::size_t k = 0; k < kDisplaySizes.size(); ++k) {
    QObject::connect(menus.displaySizes[k], &QAction::triggered, &screen, [this, k] {
      keeper_.chooseDisplaySize(kDisplaySizes[k]);
      showKeptSettings();
    });
  }
  // The screen may have changed since: the sizes are offered again each time the menu opens.
  if (auto* sizes = qobject_cast<QMenu*>(menus.displaySizes[0]->parent())) {
    QObject::connect(sizes, &QMenu::aboutToShow, &screen, [this, &menus] { offerDisplaySizes(menus); });
  }
  QObject::connect(menus.eraseRecords, &QAction::triggered, &screen, [this, &screen] { confirmErase(&screen); });
  offerDisplaySizes(menus);
  connectLanguageItems(menus.languages, &screen);
  QObject::connect(menus.volume, &QAction::triggered, &screen, [this, &screen] { openVolume(screen.mode()); });
  QObject::connect(menus.records, &QAction::triggered, &screen, [this, &screen] { openRecords(&screen); });
  if (backdrop_) backdrop_->hold(&screen);
}

// Only the sizes whose windows fit on the screen are offered; the check
// marks the size this run draws at when the one kept does not fit.
void GlamoraApp::offerDisplaySizes(const GameMenuActions& menus) {
  const QSize available = availableScreen_ ? availableScreen_() : QSize();
  for (std::size_t k = 0; k < kDisplaySizes.size(); ++k) {
    menus.displaySizes[k]->setVisible(displaySizeFits(kDisplaySizes[k], available));
  }
  showDisplaySizeCheck(menus, static_cast<int>(displaySizeThatFits(keeper_.displaySize(), available)));
}

void GlamoraApp::connectLanguageItems(const std::array<QAction*, 2>& items, QObject* context) {
  for (std::size_t k = 0; k < items.size(); ++k) {
    const Language language = kLanguages[k].language;
    QObject::connect(items[k], &QAction::triggered, context, [this, language] { chooseLanguage(language); });
    items[k]->setChecked(language == currentLanguage());
  }
  languageItems_.push_back(items);
}

// Every open window shows its texts in the new language at once; a round in
// play goes on untouched, since the engine never sees a language.
void GlamoraApp::chooseLanguage(Language language) {
  if (!useLanguage(language)) {
    std::cerr << "glamora: the translation '" << languageCode(language) << "' cannot be loaded\n";
    return;
  }
  keeper_.chooseLanguage(languageCode(language));
  for (const auto& items : languageItems_) {
    for (std::size_t k = 0; k < items.size(); ++k) items[k]->setChecked(kLanguages[k].language == language);
  }
  showHowToPlay();
}

// The how-to-play text of the language in use: Glamora.txt, read by the
// start-up step, or Glamora_en.txt, found the same way. A missing or broken
// English text gets the game's error box, and the Japanese one stays.
void GlamoraApp::showHowToPlay() {
  if (japaneseHowToPlay_.isEmpty()) return;  // the start-up step has not read it yet
  if (currentLanguage() == Language::English) {
    try {
      help_->setHowToPlayText(readHelpText(session_.training.dataFiles(kEnglishHelpTextFile)));
      return;
    } catch (const GameError& e) {
      effects_.showError(errorBoxText(e));
    }
  }
  help_->setHowToPlayText(japaneseHowToPlay_);
}

void GlamoraApp::confirmErase(QWidget* over) {
  auto* box = new QMessageBox(
      QMessageBox::Question, kAppTitle,
      translated(Message("GlamoraApp",
                         "記録を消去しますか？\n\nコンピュータの強さ、BGM と効果音、特訓のキャラクターと"
                         "選べるステージ、ｵﾘｼﾞﾅﾙｽﾃｰｼﾞの設定、表示の大きさが最初の状態に戻ります。")),
      QMessageBox::NoButton, over);
  box->setObjectName("eraseConfirm");
  box->setAttribute(Qt::WA_DeleteOnClose);
  QPushButton* erase = box->addButton(translated(Message("GlamoraApp", "消去する(&Y)")), QMessageBox::AcceptRole);
  box->setDefaultButton(box->addButton(translated(Message("GlamoraApp", "やめる(&N)")), QMessageBox::RejectRole));
  QObject::connect(box, &QMessageBox::finished, title_.get(), [this, box, erase] {
    if (box->clickedButton() != erase) return;
    keeper_.erase();
    showKeptSettings();
  });
  openModal(box);
}

// The levels change as the sliders move and are kept as they change; a
// voice sounds as its slider moves (a voice still sounding goes on), unless
// the screen the window was opened from has its voices switched off.
void GlamoraApp::openVolume(Mode from) {
  volumeFrom_ = from;
  if (!volume_) {
    volume_ = std::make_unique<VolumeWindow>(title_.get(), [this](int music, int voices) {
      const bool voicesMoved = voices != keeper_.volumes().voices;
      applyVolumes({music, voices});
      keeper_.chooseVolumes({music, voices});
      const GameSound& sound = volumeFrom_ == Mode::Battle ? session_.battle.sound : session_.training.sound;
      if (voicesMoved && !sound.seOff) media_.player(Media::P1mw).play();
    });
  }
  volume_->showLevels(keeper_.volumes().music, keeper_.volumes().voices);
  volume_->adjustSize();
  centreOnScreen(volume_.get());
  openModal(volume_.get());
}

void GlamoraApp::applyVolumes(const SoundVolumes& volumes) {
  media::Mixer& mixer = media_.output().mixer();
  mixer.setGain(media::SoundKind::Music, media::gainOfPercent(volumes.music));
  mixer.setGain(media::SoundKind::Voices, media::gainOfPercent(volumes.voices));
}

void GlamoraApp::openRecords(QWidget* over) {
  records::openRecordsWindow(
      *records_, [this, over](const std::string& path, int round) { openReplay(path, round, pictures_, over); }, over);
}

// The engines announce no change of computer player, and the display size is
// none of theirs: both screens' menus are shown again.
void GlamoraApp::showKeptSettings() {
  for (GameScreen* screen : {static_cast<GameScreen*>(battle_.get()), static_cast<GameScreen*>(training_.get())}) {
    if (!screen) continue;
    screen->showMenusAndCovers();
    offerDisplaySizes(screen->menus());
  }
}

void GlamoraApp::openTraining() {
  setTrainingBoxesEnabled(true);
  openGameScreen(training());
}

void GlamoraApp::openBattle() {
  setTrainingBoxesEnabled(false);
  openGameScreen(battle());
}

// The editor keeps the choice with its values and applies it when it shows.
void GlamoraApp::setTrainingBoxesEnabled(bool enabled) {
  if (editorScreen_) editorScreen_->setTrainingBoxesEnabled(enabled);
  else session_.editor.trainingBoxesEnabled = enabled;
}

void GlamoraApp::openEditor() { openModal(&editor()); }

void GlamoraApp::openReplays() { openReplayList(sessionsDirectory_, pictures_, QApplication::activeWindow()); }

void GlamoraApp::openGameScreen(GameScreen& screen) {
  title_->hide();
  screen.adjustSize();
  if (backdrop_) FullScreenBackdrop::centre(&screen);
  else centreOnScreen(&screen);
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
