#include "game_screen.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "clock_hold.h"
#include "engine/battle.h"
#include "engine/stages.h"
#include "screens/form_kit.h"
#include "screens/player_keys.h"

namespace glamora {

namespace {

// The screen's own task (TaskOwner::BattleCount, TrainingCount).
constexpr int kCoverIntervalMs = 100;

// The characters a key types for the game. The keypad with Num Lock off types
// nothing but sends the arrows and Clear (KP_Begin): they stand for 4, 5 and 6.
std::u32string typedCharacters(const QKeyEvent& event) {
  const QString text = event.text();
  if (!text.isEmpty()) return text.toStdU32String();
  if (!(event.modifiers() & Qt::KeypadModifier)) return {};
  switch (event.key()) {
    case Qt::Key_Left: return U"4";
    case Qt::Key_Clear: return U"5";
    case Qt::Key_Right: return U"6";
    default: return {};
  }
}

bool isSelect(char32_t ch) { return playerOneKey(ch) == Key::Select || playerTwoKey(ch) == Key::Select; }

// How to begin: the stage suggested (its menu item's caption and key), and
// the player's keys. After a cleared training stage the heading says that
// the next one can be played.
QStringList hintLines(char suffix, const PlayerKeys& keys, const QAction* stage, bool afterClear) {
  const int p = suffix == 'B' ? 1 : 0;
  const QString caption = stage->text();
  const QString key = stage->shortcut().toString(QKeySequence::NativeText);
  return {translated(Message("GameScreen", "ゲーム(G) →")),
          afterClear ? translated(Message("GameScreen", "%1に進めます").arg(fixedText(caption)))
                     : translated(Message("GameScreen", "ステージを選んでください")),
          translated(Message("GameScreen", "（%1 で%2）").arg(fixedText(key)).arg(fixedText(caption))),
          "",
          translated(Message("GameScreen", "%1：←　%2：決定　%3：→")
                         .arg(fixedText(keyName(keys.key(p, Key::Left))))
                         .arg(fixedText(keyName(keys.key(p, Key::Select))))
                         .arg(fixedText(keyName(keys.key(p, Key::Right))))),
          translated(Message("GameScreen", "P：一時停止"))};
}

// The left frame, the bars around the centre column and player 1's half of
// it: the same on the battle and the training screen.
const LabelLayout kSharedLabels[] = {
    {"Label1", {0, 0, 16, 392}, "", kBar},
    {"Label2", {208, 16, 16, 360}, "", kBar},
    {"Label15", {224, 72, 208, 16}, "", kBar},
    {"Label17", {224, 112, 208, 16}, "", kBar},
    {"Label18", {224, 248, 208, 16}, "", kBar},
    {"Label22", {224, 312, 208, 16}, "", kBar},
    {"Label13", {224, 16, 208, 24}, "STAGE", {24, true, kClBlack, kClLime, Qt::AlignCenter}},
    {"stage", {224, 44, 208, 24}, "?", {24, true, kClBlack, kClLime, Qt::AlignCenter}},
    {"Label16", {224, 264, 96, 21}, "SCORE", {21, true, kClBlack, kClYellow, Qt::AlignCenter}},
    {"scoreA", {224, 288, 96, 21}, "0", {21, true, kClBlack, kClYellow, Qt::AlignRight | Qt::AlignVCenter}},
    {"Label23", {224, 328, 96, 21}, "WIN", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
    {"winA", {224, 352, 96, 21}, "0", {21, true, kClBlack, kClWhite, Qt::AlignCenter}},
};

const std::pair<const char*, Label> kSharedEngineLabels[] = {
    {"stage", Label::Stage}, {"scoreA", Label::ScoreP1}, {"winA", Label::WinsP1}};

}  // namespace

GameScreen::GameScreen(Session& session, Mode mode, Message caption, QSize clientSize, const PictureLibrary& pictures,
                       ScreenLinks links, QWidget* parent)
    : QDialog(parent), session_(session), pictures_(pictures), mode_(mode), shownView_(&ownView()) {
  bindText(this, std::move(caption), "windowTitle");
  setWindowIcon(pictures.programIcon());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  menuBar_ = new QMenuBar(this);
  menuBar_->setNativeMenuBar(false);
  layout->setMenuBar(menuBar_);
  client_ = new QWidget(this);
  client_->setFixedSize(clientSize);
  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, Qt::black);
  client_->setPalette(palette);
  client_->setAutoFillBackground(true);
  layout->addWidget(client_);
  addLabels(kSharedLabels, kSharedEngineLabels);

  menus_ = buildGameMenus(menuBar_, links.fillHelpMenu);
  for (int n = 1; n <= kOriginalStage; ++n) {
    connect(menus_.stages[n - 1], &QAction::triggered, this, [this, n] { chooseStage(n); });
  }
  // Leaving by the menu, by "終了(&X)" or by the close box all end in
  // closeEvent, which abandons a game in progress.
  connect(menus_.title, &QAction::triggered, this, &QWidget::close);
  connect(menus_.end, &QAction::triggered, this, [this] {
    quitRequested_ = true;
    close();
  });
  connect(menus_.musicOn, &QAction::triggered, this, [this] { switchMusic(true); });
  connect(menus_.musicOff, &QAction::triggered, this, [this] { switchMusic(false); });
  connect(menus_.voicesOn, &QAction::triggered, this, [this] { session_.voices(mode_, true); });
  connect(menus_.voicesOff, &QAction::triggered, this, [this] { session_.voices(mode_, false); });
  connect(menus_.editor, &QAction::triggered, this, [open = links.openEditor] {
    if (open) open();
  });
  connect(menus_.replays, &QAction::triggered, this, [open = links.openReplays] {
    if (open) open();
  });
  holdMusic_ = std::move(links.holdMusic);
  // Another program taking the focus pauses a round; the game's own help
  // screens, editor and dialogs keep the program active.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive && isVisible()) pause();
  });
  const TaskOwner owner = mode == Mode::Battle ? TaskOwner::BattleCount : TaskOwner::TrainingCount;
  coverTask_ = OwnedTask(session_.clock, {owner, kCoverIntervalMs, [this] { coverTick(); }});
  // A screen built late shows what the rules have set already.
  ownView().watch(this);
}

GameScreen::~GameScreen() { shownView_->unwatch(this); }

void GameScreen::setInputEnabled(bool enabled) {
  inputEnabled_ = enabled;
  menuBar_->setEnabled(enabled);
  showCovers();
}

bool GameScreen::roundRunning() const {
  const RoundFlags& flags = mode_ == Mode::Battle ? session_.battle.state.flags : session_.training.state.flags;
  return flags.roundActive;
}

int GameScreen::lastStage() const {
  return mode_ == Mode::Battle ? session_.battle.state.stageNo : session_.training.state.stageNo;
}

void GameScreen::chooseStage(int n) {
  if (route_) return route_->stage(n);
  resume();
  if (roundRunning()) {
    count_.stop();
    startStage(n);
    return;
  }
  count_.start(n);
  showCovers();
  showMenuState();
}

void GameScreen::playAgain() {
  if (route_) return route_->again();
  if (lastStage() != 0) chooseStage(lastStage());
}

void GameScreen::startStage(int n) {
  session_.stage(mode_, n);
  showCovers();
  showMenuState();
}

void GameScreen::coverTick() {
  if (const int n = count_.step()) return startStage(n);
  // The hint comes back when a round ends.
  showCovers();
}

void GameScreen::setInputRoute(InputRoute* route) {
  route_ = route;
  showView(route ? route->view() : ownView());
  showCovers();
  showMenuState();
}

void GameScreen::showView(ViewRelay& view) {
  shownView_->unwatch(this);
  shownView_ = &view;
  view.watch(this);
  allChanged();
}

void GameScreen::switchMusic(bool on) {
  const GameSound& sound = mode_ == Mode::Battle ? session_.battle.sound : session_.training.sound;
  const bool wasOff = sound.bgmOff;
  session_.music(mode_, on);
  if (route_) route_->musicSwitched(on, wasOff);
}

void GameScreen::setPlayerKeys(const PlayerKeys* keys) {
  keys_ = keys;
  showHints();
}

// The battle always suggests stage 1; the training the stage its rules suggest.
void GameScreen::showHints() {
  const NextStage next = mode_ == Mode::Training ? session_.training.nextStage() : NextStage{};
  for (std::size_t i = 0; i < covers_.size(); ++i) {
    covers_[i]->setHint(hintLines(i == 0 ? 'A' : 'B', keys_ ? *keys_ : PlayerKeys{}, menus_.stages[next.stage - 1],
                                  next.afterClear));
  }
}

void GameScreen::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  // The hints and the plates are fitted, not bound: they are made again in the new language.
  if (event->type() != QEvent::LanguageChange) return;
  showHints();
  showMenuState();
  for (BoardCover* cover : covers_) cover->update();
}

void GameScreen::padKey(std::optional<int> player, Key key) {
  if (!inputEnabled_) return;
  if (route_) return route_->key(playerCharacter(0, key));
  if (mode_ == Mode::Training) player = 0;
  if (!player || paused_ || counting()) return;
  session_.key(mode_, playerCharacter(*player, key));
}

void GameScreen::showCovers() {
  const StageCount count = route_ ? route_->count() : count_;
  if (!route_ && !paused_ && !count.running() && inputEnabled_ && !roundRunning()) showHints();
  for (BoardCover* cover : covers_) {
    if (paused_) cover->showPause();
    else if (count.running()) cover->showCount(menus_.stages[count.stage() - 1]->text(), count.number());
    else if (route_) cover->clear();
    else if (inputEnabled_ && !roundRunning()) cover->showHint();
    else cover->clear();
  }
}

void GameScreen::pause() {
  if (paused_ || route_ || !inputEnabled_ || !(roundRunning() || counting())) return;
  paused_ = true;
  holdClockAndMusic(true);
  showCovers();
}

void GameScreen::resume() {
  if (!paused_) return;
  paused_ = false;
  holdClockAndMusic(false);
  showCovers();
}

void GameScreen::holdClockAndMusic(bool held) {
  ClockHoldEvent event(held);
  QCoreApplication::sendEvent(this, &event);
  if (holdMusic_) holdMusic_(held);
}

void GameScreen::addBoard(int left, char suffix) {
  const int player = static_cast<int>(boards_.size());
  boards_.push_back(new BoardView(client_, left, player, shown(), pictures_));
  auto* cover =
      new BoardCover(client_, QRect(left, 16, 192, 360), hintLines(suffix, PlayerKeys{}, menus_.stages[0], false));
  cover->setObjectName(QString("cover") + suffix);
  cover->clicked = [this] { resume(); };
  covers_.push_back(cover);
  showCovers();
}

void GameScreen::addLabels(std::span<const LabelLayout> layouts,
                           std::span<const std::pair<const char*, Label>> engineLabels) {
  for (const LabelLayout& entry : layouts) {
    const auto written = std::find_if(engineLabels.begin(), engineLabels.end(),
                                      [&](const auto& named) { return QString(entry.name) == named.first; });
    if (written == engineLabels.end()) {
      makeLabel(client_, entry);
      continue;
    }
    auto* sign = new SignView(client_, {written->second, entry.geometry, entry.text, entry.style}, shown());
    sign->setObjectName(entry.name);
    signs_[static_cast<std::size_t>(written->second)] = sign;
  }
}

void GameScreen::allChanged() {
  for (BoardView* board : boards_) board->show(shown());
  for (SignView* sign : signs_) {
    if (sign) sign->show(shown());
  }
  if (shown().characterSet) characterChanged(shown().character);
  showMenuState();
}

QString GameScreen::signCaption(Label label) const {
  if (const SignView* sign = signs_[static_cast<std::size_t>(label)]) return sign->caption();
  for (const BoardView* board : boards_) {
    if (board->showsSign(label)) return board->signCaption(label);
  }
  return {};
}

std::optional<Colour> GameScreen::signBackground(Label label) const {
  if (const SignView* sign = signs_[static_cast<std::size_t>(label)]) return sign->background();
  for (const BoardView* board : boards_) {
    if (board->showsSign(label)) return board->signBackground(label);
  }
  return kTransparent;
}

BoardView* GameScreen::side(int player) const {
  return player >= 0 && player < static_cast<int>(boards_.size()) ? boards_[static_cast<std::size_t>(player)] : nullptr;
}

// Each change of the model repaints only the places it touched.
void GameScreen::viewChanged(const ViewChange& change) {
  using Kind = ViewChange::Kind;
  BoardView* view = side(change.player);
  switch (change.kind) {
    case Kind::Board:
      if (view) view->boardChanged();
      break;
    case Kind::Carried:
      if (view) view->carriedChanged();
      break;
    case Kind::Marker:
      if (view) view->offerChanged(change.column);
      break;
    case Kind::Arrow:
      if (view) view->arrowMoved(change.column);
      break;
    case Kind::CarriedColumn:
      if (view) view->carriedMoved(change.column);
      break;
    case Kind::Label: signChanged(change.label); break;
    case Kind::Pause:
      for (BoardView* board : boards_) board->pauseChanged(change.sign);
      break;
    case Kind::Menu: showMenuState(); break;
    case Kind::Character: characterChanged(shown().character); break;
    case Kind::Whole: allChanged(); break;
  }
}

bool GameScreen::pauseShown(PauseSign sign) const {
  return glamora::pauseShown(shown().pauses[static_cast<std::size_t>(sign)]);
}

void GameScreen::signChanged(Label label) {
  if (SignView* sign = signs_[static_cast<std::size_t>(label)]) return sign->update();
  for (BoardView* board : boards_) board->signChanged(label);
}

// Every character typed goes to the engine; nothing closes the screen but its
// menu items and its close box. A key held with Alt or Ctrl is a menu key:
// when no menu takes it, it does nothing (Alt+D does not move the arrow).
// A select the keyboard repeats while it is held is dropped: one press, one
// take or drop; the arrow keys still repeat.
void GameScreen::keyPressEvent(QKeyEvent* event) {
  if (!inputEnabled_) return event->ignore();
  event->accept();
  if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return;
  const bool repeat = isRepeat(*event);
  if (route_) {
    for (const char32_t ch : playerCharacters(*event)) {
      if (!(repeat && isSelect(ch))) route_->key(ch);
    }
    return;
  }
  if (event->key() == Qt::Key_P || event->key() == Qt::Key_Pause) {
    if (repeat) return;
    if (paused_) resume();
    else pause();
    return;
  }
  if (paused_ || counting()) return;
  for (const char32_t ch : playerCharacters(*event)) {
    if (!(repeat && isSelect(ch))) session_.key(mode_, ch);
  }
}

// What a key stands for: its characters as typed, or a player's chosen key.
std::u32string GameScreen::playerCharacters(const QKeyEvent& event) const {
  const std::u32string typed = typedCharacters(event);
  if (!keys_) return typed;
  return keys_->characters(gameKeyCode(event.key(), event.modifiers() & Qt::KeypadModifier), typed);
}

void GameScreen::keyReleaseEvent(QKeyEvent* event) {
  lastRelease_ = {event->key(), event->timestamp()};
  QDialog::keyReleaseEvent(event);
}

// Qt on X11 marks a repeat only when the repeat's release and press are both
// read at once; the pairs a held key sends carry the same time stamp, which no
// person's release and press do.
bool GameScreen::isRepeat(const QKeyEvent& event) const {
  return event.isAutoRepeat() || (event.timestamp() != 0 && lastRelease_ == std::pair{event.key(), event.timestamp()});
}

void GameScreen::closeEvent(QCloseEvent* event) {
  resume();
  count_.stop();
  if (inputEnabled_) session_.leave(mode_);
  showCovers();
  event->accept();
  if (onClosed) onClosed();
}

}  // namespace glamora
