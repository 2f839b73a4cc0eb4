#include "net_battle.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QMenu>
#include <iostream>

#include "engine/computer_view.h"
#include "engine/net/tick_input.h"
#include "modes/board_cover.h"
#include "screens/form_kit.h"
#include "side_messages.h"

namespace glamora::netgame {

namespace {

bool isVoice(Media m) { return m != Media::Bgm; }

// A name on a plate: in the plate's own size when it fits, else smaller down
// to 11 pixels, then cut short with "…".
void showName(QLabel* plate, const QFont& font, const QString& name) {
  const int room = plate->width() - 4;
  QFont shown = font;
  for (int px = font.pixelSize(); px >= 11; --px) {
    shown.setPixelSize(px);
    if (QFontMetrics(shown).horizontalAdvance(name) <= room) break;
  }
  plate->setFont(shown);
  plate->setText(QFontMetrics(shown).elidedText(name, Qt::ElideRight, room));
}

}  // namespace

// The screen as the network battle's view: everything goes to the widgets,
// but the menus show the network battle's state, not the local one's.
class NetBattle::ScreenProxy final : public ScreenView {
 public:
  ScreenProxy(NetBattle& owner, GameScreen& screen) : owner_(owner), screen_(screen) {}
  void redrawBoard(int p, const Board& board) override { screen_.redrawBoard(p, board); }
  void showCarried(int p, Picture picture) override { screen_.showCarried(p, picture); }
  void showMarker(int p, int column, Picture picture) override { screen_.showMarker(p, column, picture); }
  void moveArrow(int p, int column) override { screen_.moveArrow(p, column); }
  void moveCarried(int p, int column) override { screen_.moveCarried(p, column); }
  void setCaption(Label label, std::string_view text) override { screen_.setCaption(label, text); }
  void setColour(Label label, Colour colour) override { screen_.setColour(label, colour); }
  void setPause(PauseSign sign, bool shown) override { screen_.setPause(sign, shown); }
  void menuChanged() override { owner_.showMenus(); }
  void characterChanged(Character) override {}

 private:
  NetBattle& owner_;
  GameScreen& screen_;
};

NetBattle::NetBattle(BattleScreen& screen, Session& local, Effects& effects, net::PeerLink& link,
                     const NetBattleSetup& setup, NetBattleLinks links)
    : screen_(screen),
      local_(local),
      effects_(effects),
      link_(link),
      setup_(setup),
      links_(std::move(links)),
      peer_(setup.host ? 0 : 1, setup.token, setup.tickUs, link, *this),
      proxy_(std::make_unique<ScreenProxy>(*this, screen)) {
  peer_.onTick = [this] { tick(); };
  peer_.onConfirmed = [this](const net::ConfirmedTick& t) { confirmed(t); };
  if (!setup.sessionsDirectory.empty()) {
    std::string error;
    file_ = NetSessionFile::create(setup.sessionsDirectory, setup.started, setup.host ? "host" : "joiner", error);
    if (!file_) std::cerr << "glamora: network battle journal off: " << error << "\n";
  }
  if (file_) file_->comment("peer at " + setup.peerAddress + ", this machine " + setup.localName);
  const std::string where = file_ ? ", kept in " + file_->path() : std::string();
  local_.note("network battle as " + std::string(setup.host ? "host" : "joiner") + " with " + setup.peerAddress +
              " from " + setup.started.toString(Qt::ISODate).toStdString() + where);
}

NetBattle::~NetBattle() {
  if (over_) return;
  peer_.leave();
  finish();
}

void NetBattle::start() {
  takeScreen();
  peer_.start(now());
  sendSide({SideMessage::Kind::Name, setup_.localName, 0});
  afterCall();
}

// ---- the transport's calls -------------------------------------------------------------------

void NetBattle::receive(std::span<const std::uint8_t> bytes) {
  if (over_) return;
  if (looksLikeSideMessage(bytes)) sideMessage(bytes);
  else peer_.receive(bytes, now());
  afterCall();
}

void NetBattle::update() {
  if (over_) return;
  const std::int64_t stallsBefore = peer_.stallTicks();
  const int tickBefore = peer_.battle().now();
  peer_.update(now());
  // "通信待ち" from a tick the clock had to wait for until one is played.
  if (peer_.stallTicks() != stallsBefore) stalled_ = true;
  else if (peer_.battle().now() != tickBefore) stalled_ = false;
  afterCall();
}

void NetBattle::peerGone() {
  if (over_) return;
  peer_.peerGone("the other side disconnected");
  afterCall();
}

void NetBattle::quit() {
  if (over_ || quitting_) return;
  quitting_ = true;
  if (shown_) giveScreenBack();
  if (setup_.host) {
    peer_.endAt(peer_.battle().now());
    quitUntilUs_ = now() + 1'000'000;
  } else {
    peer_.leave();
  }
  afterCall();
}

void NetBattle::afterCall() {
  if (over_) return;
  if (peer_.status() != net::NetPeer::Status::Playing) return finish();
  if (quitting_ && now() >= quitUntilUs_) {
    peer_.leave();
    return finish();
  }
  learnChoices();
  if (!shown_) return;
  showCovers();
  showStatus();
}

void NetBattle::finish() {
  over_ = true;
  const bool finished = peer_.status() == net::NetPeer::Status::Finished;
  const std::string why = finished ? "the end both sides named" : peer_.error();
  if (file_ && !finished) file_->stop(peer_.battle().confirmed(), why);
  endMessage_ = quitting_ ? EndMessage{} : netgame::endMessage(peer_.error(), finished, setup_.host, sessionFile());
  if (shown_) giveScreenBack();
  local_.note("network battle with " + setup_.peerAddress + " ended: " + why);
}

// ---- the ticks --------------------------------------------------------------------------------

// A new tick has opened: the computer playing this side presses its key, and
// a stage waiting for the joiner's dialog is chosen once it may be.
void NetBattle::tick() {
  if (computer_) {
    const Battle& b = peer_.battle().session().battle;
    const int p = peer_.battle().localPlayer();
    const Key key =
        computer_->tick(makeComputerView(b.player(p).state, &b.player(1 - p).state, b.state.flags, b.state.stageNo, 0));
    if (key != Key::None) peer_.pressLocalAt(key, 0);
  }
  if (waitingStage_) chooseWaitingStage();
}

void NetBattle::confirmed(const net::ConfirmedTick& t) {
  if (file_) {
    file_->tick(t, peer_.battle().tally(), dialogThisTick_);
    if (t.tick == peer_.battle().endTick()) file_->finish(t.tick);
  }
  dialogThisTick_.reset();
}

// The joiner learns of the host's choices from its inputs, before they are
// confirmed, so that its count starts as soon as it can.
void NetBattle::learnChoices() {
  const net::RollbackBattle& b = peer_.battle();
  if (setup_.host) return;
  for (int t = std::max(learnedThrough_ + 1, b.lastRemote() - net::kInputTicks + 1); t <= b.lastRemote(); ++t) {
    const net::TickInput& in = b.input(0, t);
    if (!in.choice || (known_ && known_->at >= in.choice->at)) continue;
    known_ = in.choice;
    // A host that does not wait for this side's dialog: the count is not
    // hidden behind it.
    if (dialogOpen_) {
      for (const Dialog d : {Dialog::PlayerOneWins, Dialog::PlayerTwoWins}) {
        QDialog* window = links_.resultWindow ? links_.resultWindow(d) : nullptr;
        if (window && window->isVisible()) window->reject();
      }
    }
    if (shown_) showMenus();
  }
  learnedThrough_ = std::max(learnedThrough_, b.lastRemote());
}

// ---- stage choices and result dialogs ----------------------------------------------------------

bool NetBattle::joinerReading() const { return peerShowsDialogs_ && peerClosed_ < dialogs_; }

void NetBattle::chooseWaitingStage() {
  if (!waitingStage_ || joinerReading() || dialogOpen_) return;
  const int at = peer_.battle().now() + net::kStageLeadTicks;
  if (!peer_.chooseStage(waitingStage_, at, net::editorTexts(local_.editor))) return;  // again next tick
  known_ = net::StageChoice{waitingStage_, at, {}};
  waitingStage_ = 0;
  if (shown_) showMenus();
}

void NetBattle::resultClosed() {
  if (!dialogOpen_) return;
  dialogOpen_ = false;
  if (setup_.host) chooseWaitingStage();
  else sendSide({SideMessage::Kind::ResultClosed, {}, dialogs_});
  if (shown_) showStatus();
}

void NetBattle::sideMessage(std::span<const std::uint8_t> bytes) {
  const std::optional<SideMessage> m = decodeSideMessage(bytes, setup_.token);
  if (!m) return;
  if (m->kind == SideMessage::Kind::Name) {
    if (peerShowsDialogs_) return;
    peerName_ = m->name;
    peerShowsDialogs_ = true;
    if (file_) file_->comment("the peer's name: " + peerName_);
    if (shown_) showPlates();
  } else {
    peerClosed_ = std::max(peerClosed_, m->round);
    chooseWaitingStage();
  }
}

void NetBattle::sendSide(const SideMessage& message) { link_.sendReliable(encodeSideMessage(message, setup_.token)); }

// ---- the person's inputs ----------------------------------------------------------------------

void NetBattle::key(char32_t character) {
  if (over_ || !shown_ || computer_) return;
  Key k = playerOneKey(character);
  if (k == Key::None) k = playerTwoKey(character);
  if (k != Key::None) peer_.pressLocal(k, now());
}

void NetBattle::stage(int n) {
  if (!setup_.host || over_ || !shown_) return;
  waitingStage_ = n;
  chooseWaitingStage();
  showStatus();
}

void NetBattle::again() {
  const int last = known_ ? known_->stage : peer_.battle().session().battle.state.stageNo;
  if (last) stage(last);
}

void NetBattle::side(int player, std::optional<ComputerLevel> level) {
  if (player != peer_.battle().localPlayer() || over_) return;
  if (level) computer_.emplace(*level, local_.battle.computerSeed + static_cast<std::uint64_t>(player));
  else computer_.reset();
  showMenus();
  showPlates();
}

// ---- effects of confirmed ticks ----------------------------------------------------------------

void NetBattle::openMedia(Media player, const std::string& path) {
  if (shown_) effects_.openMedia(player, path);
}

// The switches of this machine decide what is heard.
void NetBattle::media(Media player, MediaOp op) {
  const GameSound& sound = local_.battle.sound;
  if (!shown_ || (isVoice(player) ? sound.seOff : sound.bgmOff) == 1) return;
  effects_.media(player, op);
}

void NetBattle::openDialog(Dialog dialog) {
  ++dialogs_;
  dialogThisTick_ = dialog;
  if (!shown_) return;
  dialogOpen_ = true;
  effects_.openDialog(dialog);
  QDialog* window = links_.resultWindow ? links_.resultWindow(dialog) : nullptr;
  if (!window) {
    resultClosed();  // nothing to close: read at once
    return;
  }
  auto& watched = watchedDialogs_[static_cast<std::size_t>(dialog)];
  if (!watched) QObject::connect(window, &QDialog::finished, this, [this] { resultClosed(); });
  watched = true;
}

void NetBattle::showError(const std::string& text) {
  if (shown_) effects_.showError(text);
}

// ---- the screen -------------------------------------------------------------------------------

void NetBattle::takeScreen() {
  localLook_ = ScreenLook::capture(screen_);
  for (int p = 0; p < 2; ++p) {
    plateFonts_[p] = screen_.plate(p)->font();
  }
  local_.battleView.detach(&screen_);
  if (links_.lookBeforeAnyStage) links_.lookBeforeAnyStage->apply();
  screen_.showModel(ScreenViewModel{});
  screen_.setInputRoute(this);
  peer_.battle().attachView(proxy_.get());

  status_ = new QLabel(&screen_);
  status_->setObjectName("netStatus");
  status_->setFont(formFont(12));
  status_->setContentsMargins(6, 2, 6, 2);
  status_->setAutoFillBackground(true);
  QPalette palette = status_->palette();
  palette.setColor(QPalette::Window, QColor(24, 24, 64));
  palette.setColor(QPalette::WindowText, Qt::white);
  status_->setPalette(palette);
  if (auto* box = qobject_cast<QBoxLayout*>(screen_.layout())) box->insertWidget(0, status_);
  const GameMenuActions& m = screen_.menus();
  if (!setup_.host) {
    // After the stage items, why they cannot be chosen here.
    stageNote_ = new QAction("（ステージはホストが選びます）", m.game);
    stageNote_->setObjectName("netStageNote");
    stageNote_->setEnabled(false);
    const QList<QAction*> items = m.game->actions();
    m.game->insertAction(items.value(items.indexOf(m.stages.back()) + 1), stageNote_);
  }
  connect(m.musicOn, &QAction::triggered, this, [this] {
    if (shown_ && peer_.battle().session().battle.state.flags.roundActive == 1) {
      effects_.media(Media::Bgm, MediaOp::Rewind);
      effects_.media(Media::Bgm, MediaOp::Play);
    }
  });
  connect(m.musicOff, &QAction::triggered, this, [this] {
    if (shown_) {
      effects_.media(Media::Bgm, MediaOp::Rewind);
      effects_.media(Media::Bgm, MediaOp::Stop);
    }
  });
  shown_ = true;
  showPlates();
  showMenus();
}

void NetBattle::giveScreenBack() {
  if (peer_.battle().session().battle.state.flags.roundActive == 1 && local_.battle.sound.bgmOff == 0) {
    effects_.media(Media::Bgm, MediaOp::Rewind);
    effects_.media(Media::Bgm, MediaOp::Stop);
  }
  shown_ = false;
  peer_.battle().attachView(nullptr);
  screen_.setInputRoute(nullptr);
  delete status_;
  status_ = nullptr;
  delete stageNote_;
  stageNote_ = nullptr;
  const GameMenuActions& m = screen_.menus();
  for (QAction* stage : m.stages) stage->setEnabled(true);
  m.editor->setEnabled(true);
  for (int p = 0; p < 2; ++p) screen_.playerMenu(p).menu->setEnabled(true);
  localLook_.apply();
  screen_.showModel(local_.battleView.model());
  local_.battleView.attach(&screen_);
}

void NetBattle::showMenus() {
  if (!shown_) return;
  const GameMenuActions& m = screen_.menus();
  const net::RollbackBattle& b = peer_.battle();
  const bool counting = known_ && known_->at > b.now();
  for (QAction* stage : m.stages) stage->setEnabled(setup_.host);
  showStageChecks(m, counting ? known_->stage : b.session().battle.state.checkedStage);
  m.editor->setEnabled(setup_.host);
  for (int p = 0; p < 2; ++p) {
    const PlayerMenu& menu = screen_.playerMenu(p);
    menu.menu->setEnabled(p == b.localPlayer());
    if (p == b.localPlayer()) showPlayerChecks(menu, computer_ ? std::optional(computer_->level()) : std::nullopt);
  }
  showCovers();
  showStatus();
}

void NetBattle::showCovers() {
  if (!shown_) return;
  const int now = peer_.battle().now();
  const int count = known_ && known_->at > now ? (known_->at - now + 9) / 10 : 0;
  if (count == shownCount_) return;
  shownCount_ = count;
  for (BoardCover* cover : screen_.client()->findChildren<BoardCover*>()) {
    if (count) cover->showCount(screen_.menus().stages[known_->stage - 1]->text(), count);
    else cover->clear();
  }
  if (count == 0) showMenus();
}

void NetBattle::showPlates() {
  const int local = peer_.battle().localPlayer();
  const std::string peerAddress = setup_.peerAddress.substr(0, setup_.peerAddress.rfind(':'));
  for (int p = 0; p < 2; ++p) {
    QLabel* plate = screen_.plate(p);
    const QString name =
        QString::fromStdString(p == local ? setup_.localName : (peerName_.empty() ? peerAddress : peerName_));
    showName(plate, plateFonts_[p], name);
    QString hint = name + (p == local ? "（この機械" : "（相手");
    if (p == local && computer_) hint += "・コンピュータ：" + levelCaption(computer_->level());
    plate->setToolTip(hint + "）");
  }
}

QString NetBattle::statusText() const {
  const net::RollbackBattle& b = peer_.battle();
  const QString peer =
      QString::fromStdString(peerName_.empty() ? setup_.peerAddress : peerName_ + "  " + setup_.peerAddress);
  const std::int64_t rtt = peer_.timeSync().roundTripUs();
  QString text = QString("ネット対戦（%1）　相手: %2　往復 %3")
                     .arg(setup_.host ? "ホスト" : "参加", peer,
                          rtt < 0 ? QString("-- ms") : QString("%1 ms").arg((rtt + 500) / 1000));
  if (stalled_) text += "　通信待ち";
  const bool idle = b.session().battle.state.flags.roundActive != 1 && !(known_ && known_->at > b.now());
  if (setup_.host && waitingStage_ && joinerReading()) text += "　相手が結果を見ています";
  else if (setup_.host && idle) text += "　ステージを選んでください";
  else if (!setup_.host && idle) text += "　ステージはホストが選びます";
  return text;
}

void NetBattle::showStatus() {
  if (!status_) return;
  const QString text = statusText();
  if (status_->text() != text) status_->setText(text);
}

}  // namespace glamora::netgame
