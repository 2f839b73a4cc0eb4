#include "net_battle.h"

#include <algorithm>
#include <iostream>

#include "engine/computer_view.h"
#include "side_messages.h"
#include "tick_input.h"

namespace glamora::net {

NetBattle::NetBattle(const NetBattleSetup& setup, Session& local, Effects& effects, PeerLink& link,
                     std::function<std::int64_t()> nowUs, NetBattleWindow& window)
    : setup_(setup),
      local_(local),
      effects_(effects),
      link_(link),
      nowUs_(std::move(nowUs)),
      window_(window),
      peer_(setup.host ? 0 : 1, setup.token, setup.tickUs, link, *this) {
  peer_.onTick = [this] { tick(); };
  peer_.onConfirmed = [this](const ConfirmedTick& t) { confirmed(t); };
  const std::string side = setup.host ? "host" : "joiner";
  if (setup.keep) {
    journal_.emplace(setup.keep, setup.started, side);
    journal_->comment("peer at " + setup.peerAddress + ", this machine " + setup.localName);
  }
  const std::string where = journal_ ? ", kept in " + setup.sessionFile : std::string();
  local_.note("network battle as " + side + " with " + setup.peerAddress + " from " + setup.started + where);
}

NetBattle::~NetBattle() {
  if (over_) return;
  peer_.leave();
  finish();
}

void NetBattle::start() {
  onScreen_ = true;
  peer_.start(now());
  sendName();
  window_.battleChanged();
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
  leaveScreen();
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
  if (peer_.status() != NetPeer::Status::Playing) return finish();
  if (quitting_ && now() >= quitUntilUs_) {
    peer_.leave();
    return finish();
  }
  learnChoices();
  // The count's number and the status line follow the ticks.
  if (onScreen_) window_.battleChanged();
}

void NetBattle::finish() {
  over_ = true;
  const std::string why = finished() ? "the end both sides named" : peer_.error();
  if (journal_ && !finished()) journal_->stop(peer_.battle().confirmed(), why);
  leaveScreen();
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

void NetBattle::confirmed(const ConfirmedTick& t) {
  if (setup_.confirmedTick) setup_.confirmedTick(t.tick);
  if (journal_) {
    journal_->tick(t, peer_.battle().tally(), dialogThisTick_);
    if (t.tick == peer_.battle().endTick()) journal_->finish(t.tick);
  }
  dialogThisTick_.reset();
}

// The joiner learns of the host's choices from its inputs, before they are
// confirmed, so that its count starts as soon as it can.
void NetBattle::learnChoices() {
  const RollbackBattle& b = peer_.battle();
  if (setup_.host) return;
  for (int t = std::max(learnedThrough_ + 1, b.lastRemote() - kInputTicks + 1); t <= b.lastRemote(); ++t) {
    const TickInput& in = b.input(0, t);
    if (!in.choice || (known_ && known_->at >= in.choice->at)) continue;
    known_ = in.choice;
    // A host that does not wait for this side's dialog: the count is not
    // hidden behind it.
    if (dialogOpen_) window_.closeResults();
    if (onScreen_) window_.battleChanged();
  }
  learnedThrough_ = std::max(learnedThrough_, b.lastRemote());
}

// ---- stage choices and result dialogs ----------------------------------------------------------

bool NetBattle::joinerReading() const { return peerShowsDialogs_ && peerClosed_ < dialogs_; }

void NetBattle::chooseWaitingStage() {
  if (!waitingStage_ || joinerReading() || dialogOpen_) return;
  const int at = peer_.battle().now() + kStageLeadTicks;
  if (!peer_.chooseStage(waitingStage_, at, editorTexts(local_.editor))) return;  // again next tick
  known_ = StageChoice{waitingStage_, at, {}};
  waitingStage_ = 0;
  if (onScreen_) window_.battleChanged();
}

void NetBattle::resultClosed() {
  if (!dialogOpen_) return;
  dialogOpen_ = false;
  if (setup_.host) chooseWaitingStage();
  else link_.sendReliable(encodeSideMessage({SideMessage::Kind::ResultClosed, {}, dialogs_}, setup_.token));
  if (onScreen_) window_.battleChanged();
}

void NetBattle::sideMessage(std::span<const std::uint8_t> bytes) {
  const std::optional<SideMessage> m = decodeSideMessage(bytes, setup_.token);
  if (!m) return;
  if (m->kind == SideMessage::Kind::Name) {
    if (peerShowsDialogs_) return;
    peerName_ = m->name;
    peerShowsDialogs_ = true;
    if (journal_) journal_->comment("the peer's name: " + peerName_);
    if (onScreen_) window_.battleChanged();
  } else {
    peerClosed_ = std::max(peerClosed_, m->round);
    chooseWaitingStage();
  }
}

void NetBattle::sendName() {
  link_.sendReliable(encodeSideMessage({SideMessage::Kind::Name, setup_.localName, 0}, setup_.token));
}

// ---- the person's inputs ----------------------------------------------------------------------

void NetBattle::key(char32_t character) {
  if (over_ || !onScreen_ || computer_) return;
  Key k = playerOneKey(character);
  if (k == Key::None) k = playerTwoKey(character);
  if (k != Key::None) peer_.pressLocal(k, now());
}

void NetBattle::stage(int n) {
  if (!setup_.host || over_ || !onScreen_) return;
  waitingStage_ = n;
  chooseWaitingStage();
  window_.battleChanged();
}

void NetBattle::again() {
  const int last = known_ ? known_->stage : peer_.battle().session().battle.state.stageNo;
  if (last) stage(last);
}

void NetBattle::side(int player, std::optional<ComputerLevel> level) {
  if (player != peer_.battle().localPlayer() || over_) return;
  if (level) computer_.emplace(*level, local_.battle.computerSeed + static_cast<std::uint64_t>(player));
  else computer_.reset();
  window_.battleChanged();
}

// The local battle's switch has been set already; the piece of this battle
// follows it by the same rule.
void NetBattle::musicSwitched(bool on, bool wasOff) {
  if (!onScreen_) return;
  if (const std::optional<MediaOp> op = GameSound::musicSwitch(on, wasOff, roundActive())) {
    effects_.media(Media::Bgm, MediaOp::Rewind);
    effects_.media(Media::Bgm, *op);
  }
}

std::optional<ComputerLevel> NetBattle::computerLevel() const {
  return computer_ ? std::optional(computer_->level()) : std::nullopt;
}

// ---- what the screen shows --------------------------------------------------------------------

StageCount NetBattle::count() const {
  const int now = peer_.battle().now();
  return known_ && known_->at > now ? StageCount(known_->stage, known_->at - now) : StageCount();
}

RouteMenus NetBattle::menus() const {
  const StageCount counting = count();
  return {setup_.host, counting.running() ? counting.stage() : peer_.battle().session().battle.state.checkedStage,
          peer_.battle().localPlayer(), computerLevel()};
}

bool NetBattle::idle() const { return !roundActive() && !count().running(); }

// ---- effects of confirmed ticks ----------------------------------------------------------------

void NetBattle::openMedia(Media player, const std::string& path) {
  if (onScreen_) effects_.openMedia(player, path);
}

// The switches of this machine decide what is heard.
void NetBattle::media(Media player, MediaOp op) {
  if (onScreen_ && local_.battle.sound.lets(player)) effects_.media(player, op);
}

void NetBattle::openDialog(Dialog dialog) {
  ++dialogs_;
  dialogThisTick_ = dialog;
  if (!onScreen_) return;
  dialogOpen_ = true;
  effects_.openDialog(dialog);
  window_.resultOpened(dialog);
}

void NetBattle::showError(const Message& text) {
  if (onScreen_) effects_.showError(text);
}

// The piece of a round running here stops with the battle's screen.
void NetBattle::leaveScreen() {
  if (!onScreen_) return;
  local_.battle.sound.gameStopped(roundActive());
  onScreen_ = false;
  window_.leftScreen();
}

}  // namespace glamora::net
