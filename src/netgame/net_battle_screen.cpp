#include "net_battle_screen.h"

#include <iostream>

#include "modes/game_menus.h"
#include "room_texts.h"

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
  net::NetBattleSetup engineSetup{setup.host,        setup.token, setup.tickUs, setup.localName,
                                  setup.peerAddress, {},          {},           {}};
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
  std::array<QString, 2> hints;
  for (int p = 0; p < 2; ++p) {
    QString hint = names[p] + (p == local ? "（この機械" : "（相手");
    if (p == local && b.computerLevel()) hint += "・コンピュータ：" + levelCaption(*b.computerLevel());
    hints[p] = hint + "）";
  }
  // Called on every poll: the plates are fitted again only when they change.
  if (names != shownNames_ || hints != shownHints_) screen_.showRouteNames(names, hints);
  shownNames_ = names;
  shownHints_ = hints;
  screen_.showRouteStatus(statusText());
  const StageCount count = b.count();
  const RouteMenus menus = b.menus();
  const MenuLook look{count.stage(), count.number(), menus.checkedStage, menus.ownLevel};
  if (look != shownLook_) screen_.showMenusAndCovers();
  shownLook_ = look;
}

std::array<QString, 2> NetBattleOnScreen::plateNames() const {
  const net::NetBattle& b = *battle_;
  const std::string& address = b.setup().peerAddress;
  // A peer without a name shows its address, unless that is the relaying lobby's.
  const QString peerName = !b.peerName().empty() ? QString::fromStdString(b.peerName())
                           : path_ == "relay"    ? QString("相手")
                                                 : QString::fromStdString(address.substr(0, address.rfind(':')));
  const QString localName = QString::fromStdString(b.setup().localName);
  return b.peer().battle().localPlayer() == 0 ? std::array{localName, peerName} : std::array{peerName, localName};
}

QString NetBattleOnScreen::statusText() const {
  const net::NetBattle& b = *battle_;
  // Relayed, the address the packets come from is the lobby's: only the name is the peer's.
  const std::string address = path_ == "relay" ? std::string() : b.setup().peerAddress;
  const std::string name = b.peerName().empty() ? address : b.peerName() + (address.empty() ? "" : "  " + address);
  const QString path = pathCaption(path_);
  const std::int64_t rtt = b.peer().timeSync().roundTripUs();
  QString text = QString("ネット対戦（%1）　相手: %2　%3往復 %4")
                     .arg(b.host() ? "ホスト" : "参加", QString::fromStdString(name.empty() ? "--" : name),
                          path.isEmpty() ? QString() : path + "　",
                          rtt < 0 ? QString("-- ms") : QString("%1 ms").arg((rtt + 500) / 1000));
  if (b.stalled()) text += "　通信待ち";
  if (b.waitsForPeersResult()) text += "　相手が結果を見ています";
  else if (b.host() && b.idle()) text += "　ステージを選んでください";
  else if (!b.host() && b.idle()) text += "　ステージはホストが選びます";
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

void NetBattleOnScreen::leftScreen() { screen_.setInputRoute(nullptr); }

}  // namespace glamora::netgame
