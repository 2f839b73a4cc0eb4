#include "net_battle_screen.h"

#include <QCoreApplication>
#include <iostream>

#include "modes/game_menus.h"
#include "room_texts.h"
#include "screens/battle_result_dialog.h"
#include "screens/live_text.h"

namespace glamora::netgame {

namespace {

std::unique_ptr<JournalFile> keptFile(const NetBattleSetup& setup) {
  if (setup.sessionsDirectory.empty()) return nullptr;
  std::string error;
  std::unique_ptr<JournalFile> file =
      JournalFile::create(setup.sessionsDirectory, setup.started.toString("yyyyMMdd-HHmmss").toStdString(), error);
  if (!file) std::cerr << "glamora: network battle journal off: " << error << "\n";
  return file;
}

}  // namespace

NetBattleOnScreen::NetBattleOnScreen(BattleScreen& screen, Session& local, Effects& effects, net::PeerLink& link,
                                     const NetBattleSetup& setup, std::function<std::int64_t()> nowUs,
                                     std::function<QDialog*(Dialog)> resultWindow)
    : screen_(screen),
      resultWindow_(std::move(resultWindow)),
      path_(setup.path),
      explainLoss_(setup.explainLoss),
      file_(keptFile(setup)) {
  net::NetBattleSetup engineSetup{setup.host, setup.token, setup.tickUs, setup.localName, setup.peerAddress, {}, {},
                                  {},         {}};
  engineSetup.started =
      setup.started.toOffsetFromUtc(setup.started.offsetFromUtc()).toString(Qt::ISODate).toStdString();
  if (file_) {
    engineSetup.sessionFile = file_->path().string();
    engineSetup.keep = [file = file_.get()](std::string_view lines) { file->write(lines); };
  }
  if (file_ && setup.records) {
    records_ = setup.records->follow(file_->path().filename().string());
    engineSetup.keep = [file = file_.get(), records = records_.get()](std::string_view lines) {
      file->write(lines);
      records->text(lines);
    };
    engineSetup.confirmedTick = [records = records_.get()](int tick) {
      records->advanceTo(std::int64_t{tick} * net::kTickMs);
    };
  }
  battle_ = std::make_unique<net::NetBattle>(engineSetup, local, effects, link, std::move(nowUs),
                                             static_cast<net::NetBattleWindow&>(*this));
}

// The battle ends before the screen it shows on is given back.
NetBattleOnScreen::~NetBattleOnScreen() { battle_.reset(); }

void NetBattleOnScreen::start() {
  showStageChooser(battle_->host());
  screen_.setInputRoute(battle_.get());
  battle_->start();
}

EndMessage NetBattleOnScreen::endMessage() const {
  if (battle_->quitHere()) return {};
  const std::string& error = battle_->peer().error();
  return netgame::endMessage(explainLoss_ && !error.empty() ? explainLoss_(error) : error, battle_->finished(),
                             battle_->host(), sessionFile());
}

void NetBattleOnScreen::battleChanged() {
  if (!screen_.inputRoute()) return;
  const net::NetBattle& b = *battle_;
  const int local = b.peer().battle().localPlayer();
  const std::array<QString, 2> names = plateNames();
  const std::array<QString, 2> machines = machineNames();
  std::array<QString, 2> hints;
  for (int p = 0; p < 2; ++p) {
    const Message name = fixedText(machines[p]);
    const Message hint = p != local          ? Message("NetBattleScreen", "%1（相手）").arg(name)
                         : b.computerLevel() ? Message("NetBattleScreen", "%1（この機械・コンピュータ：%2）")
                                                   .arg(name)
                                                   .arg(levelCaption(*b.computerLevel()))
                                             : Message("NetBattleScreen", "%1（この機械）").arg(name);
    hints[p] = translated(hint);
  }
  // Called on every poll: the plates are fitted again only when they change.
  if (names != shownNames_ || hints != shownHints_) screen_.showRouteNames(names, hints);
  shownNames_ = names;
  shownHints_ = hints;
  screen_.showRouteStatus(translated(statusText()));
  const StageCount count = b.count();
  const RouteMenus menus = b.menus();
  const MenuLook look{count.stage(), count.number(), menus.checkedStage, menus.ownLevel};
  if (look != shownLook_) screen_.showMenusAndCovers();
  shownLook_ = look;
}

// This machine's side says "あなた" (and the computer's level when it plays
// it); the other side says its name. Both full names are in the hints.
std::array<QString, 2> NetBattleOnScreen::plateNames() const {
  const net::NetBattle& b = *battle_;
  const std::array<QString, 2> names = machineNames();
  const int local = b.peer().battle().localPlayer();
  const std::optional<ComputerLevel> level = b.computerLevel();
  const QString own = level
                          ? QCoreApplication::translate("NetBattleOnScreen", "あなた %1").arg(computerPlateText(*level))
                          : QCoreApplication::translate("NetBattleOnScreen", "あなた");
  return local == 0 ? std::array{own, names[1]} : std::array{names[0], own};
}

std::array<QString, 2> NetBattleOnScreen::machineNames() const {
  const net::NetBattle& b = *battle_;
  const std::string& address = b.setup().peerAddress;
  // A peer without a name shows its address, unless that is the relaying lobby's.
  const QString peerName = !b.peerName().empty() ? QString::fromStdString(b.peerName())
                           : path_ == "relay"    ? translated(Message("NetBattleScreen", "相手"))
                                                 : QString::fromStdString(address.substr(0, address.rfind(':')));
  const QString localName = QString::fromStdString(b.setup().localName);
  return b.peer().battle().localPlayer() == 0 ? std::array{localName, peerName} : std::array{peerName, localName};
}

Message NetBattleOnScreen::statusText() const {
  const net::NetBattle& b = *battle_;
  // Relayed, the address the packets come from is the lobby's: only the name is the peer's.
  const std::string address = path_ == "relay" ? std::string() : b.setup().peerAddress;
  const std::string name = b.peerName().empty() ? address : b.peerName() + (address.empty() ? "" : "  " + address);
  const Message path = pathCaption(path_);
  const std::int64_t rtt = b.peer().timeSync().roundTripUs();
  Message text = Message("NetBattleScreen", "ネット対戦（%1）　相手: %2　%3往復 %4")
                     .arg(b.host() ? Message("NetBattleScreen", "ホスト") : Message("NetBattleScreen", "参加"))
                     .arg(Message::fixed(name.empty() ? "--" : name))
                     .arg(saysNothing(path) ? Message::fixed("") : Message("NetBattleScreen", "%1　").arg(path))
                     .arg(Message::fixed(rtt < 0 ? std::string("-- ms") : std::to_string((rtt + 500) / 1000) + " ms"));
  if (b.stalled()) text = Message("NetBattleScreen", "%1　通信待ち").arg(text);
  if (b.waitsForPeersResult()) text = Message("NetBattleScreen", "%1　相手が結果を見ています").arg(text);
  else if (b.host() && b.idle()) text = Message("NetBattleScreen", "%1　ステージを選んでください").arg(text);
  else if (!b.host() && b.idle()) text = Message("NetBattleScreen", "%1　ステージはホストが選びます").arg(text);
  return text;
}

void NetBattleOnScreen::resultOpened(Dialog dialog) {
  QDialog* window = resultWindow_ ? resultWindow_(dialog) : nullptr;
  if (!window) return battle_->resultClosed();  // nothing to close: read at once
  auto& watched = watchedDialogs_[static_cast<std::size_t>(dialog)];
  if (!watched) connect(window, &QDialog::finished, this, [this] { battle_->resultClosed(); });
  watched = true;
}

void NetBattleOnScreen::closeResults() {
  for (const Dialog d : {Dialog::PlayerOneWins, Dialog::PlayerTwoWins}) {
    QDialog* window = resultWindow_ ? resultWindow_(d) : nullptr;
    if (window && window->isVisible()) window->reject();
  }
}

void NetBattleOnScreen::leftScreen() {
  showStageChooser(true);
  screen_.setInputRoute(nullptr);
}

// A joiner's result dialogs say that the host chooses the next stage and
// offer no "もう一度"; the local battle's say how to choose one. A dialog
// still open when the battle ends keeps what it says until it is closed.
void NetBattleOnScreen::showStageChooser(bool here) {
  const StageChooser chooser = here ? StageChooser::ThisMachine : StageChooser::Host;
  for (const Dialog d : {Dialog::PlayerOneWins, Dialog::PlayerTwoWins}) {
    auto* dialog = qobject_cast<BattleResultDialog*>(resultWindow_ ? resultWindow_(d) : nullptr);
    if (!dialog) continue;
    if (!dialog->isVisible()) {
      dialog->setStageChooser(chooser);
      continue;
    }
    connect(
        dialog, &QDialog::finished, dialog, [dialog, chooser] { dialog->setStageChooser(chooser); },
        Qt::SingleShotConnection);
  }
}

}  // namespace glamora::netgame
