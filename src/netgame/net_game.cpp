#include "net_game.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <algorithm>

#include "engine/text_checks.h"
#include "game_greeting.h"
#include "screens/form_kit.h"
#include "screens/live_text.h"

namespace glamora::netgame {

namespace {

constexpr int kPollMs = 10;

}  // namespace

NetGame::NetGame(BattleScreen& screen, Session& local, Effects& effects, std::function<QDialog*(Dialog)> resultWindow,
                 std::string sessionsDirectory, NetGameOptions options)
    : screen_(screen),
      local_(local),
      effects_(effects),
      resultWindow_(std::move(resultWindow)),
      sessionsDirectory_(std::move(sessionsDirectory)),
      options_(std::move(options)),
      port_(options_.hostPort) {
  machineName_ = printableOnly(netio::machineName(), netio::kShownNameCharacters);
  if (machineName_.empty()) machineName_ = "Glamora";
  clock_.start();
  const NetMenu& m = screen.netMenu();
  connect(m.host, &QAction::triggered, this, &NetGame::host);
  connect(m.join, &QAction::triggered, this, &NetGame::join);
  connect(m.quit, &QAction::triggered, this, &NetGame::quit);
  rooms_ = std::make_unique<RoomGame>(screen, RoomGameSetup{machineName_, options_.bindAddress, options_.lobby,
                                                            [this]() -> const net::Greeting& { return greeting(); },
                                                            [this] { return nowUs(); }});
  rooms_->changed = [this] { showMenuState(); };
  rooms_->onOpen = [this](netio::RoomLink& link, bool host) { startRoomBattle(link, host); };
  connect(m.makeRoom, &QAction::triggered, rooms_.get(), &RoomGame::makeRoom);
  connect(m.joinRoom, &QAction::triggered, rooms_.get(), &RoomGame::joinRoom);
  connect(m.lobby, &QAction::triggered, rooms_.get(), &RoomGame::chooseLobby);
  // The greeting's rules signature is played while the person looks at the menu.
  connect(m.menu, &QMenu::aboutToShow, this, [this] {
    greeting_ = greeting_.valid() ? greeting_ : std::async(std::launch::async, gameGreeting).share();
    showMenuState();
  });
  // GLAMORA_PROBE_TO=127.0.0.1 keeps the probes on this machine (two games
  // side by side); a list of addresses, separated by commas, may be given.
  if (options_.probeTargets.empty()) {
    for (const QString& a : qEnvironmentVariable("GLAMORA_PROBE_TO").split(',', Qt::SkipEmptyParts)) {
      options_.probeTargets.push_back(a.trimmed().toStdString());
    }
  }
  poll_.setTimerType(Qt::PreciseTimer);
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &NetGame::poll);
  screen.installEventFilter(this);
  showMenuState();
}

NetGame::~NetGame() {
  screen_.removeEventFilter(this);
  battle_.reset();  // tells the other side
  connectionReady_.reset();
  connection_.reset();
  rooms_.reset();
}

const net::Greeting& NetGame::greeting() {
  if (!greeting_.valid()) greeting_ = std::async(std::launch::deferred, gameGreeting).share();
  return greeting_.get();
}

bool NetGame::localBusy() const {
  return local_.battle.state.flags.roundActive || screen_.counting() || screen_.paused();
}

void NetGame::showMenuState() {
  const bool free = !connection_ && !battle_ && !hostWindow_ && !joinWindow_ && !rooms_->busy();
  const NetMenu& m = screen_.netMenu();
  for (QAction* item : {m.host, m.join, m.makeRoom, m.joinRoom}) item->setEnabled(free && !localBusy());
  m.lobby->setEnabled(!rooms_->windowOpen());
  m.busyNote->setVisible(free && localBusy());
  m.quit->setVisible(battle_ && !battle_->engine().over());
}

// Closing the screen (its close box, タイトルへ移動, 終了) ends the battle first.
bool NetGame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &screen_ && event->type() == QEvent::Close) quit();
  return QObject::eventFilter(watched, event);
}

// ---- hosting ----------------------------------------------------------------------------------

void NetGame::host() {
  if (connection_ || battle_ || hostWindow_ || joinWindow_ || rooms_->busy()) return;
  QStringList addresses;
  for (const std::string& a : netio::ownAddresses()) addresses << QString::fromStdString(a);
  hostWindow_ =
      new HostWindow(&screen_, QString::fromStdString(machineName_), addresses, port_, QString::fromStdString(phrase_));
  hostWindow_->setAttribute(Qt::WA_DeleteOnClose);
  hostWindow_->portChosen = [this](quint16 port) { listen(port); };
  hostWindow_->phraseChosen = [this](const QString& phrase) {
    phrase_ = phrase.toStdString();
    listen(port_);
  };
  connect(hostWindow_, &QDialog::finished, this, &NetGame::stopWaiting);
  hosting_ = true;
  hostWindow_->open();
  listen(port_);
  showMenuState();
}

// With a pass phrase, the key is derived here, on the window's thread, once
// for the whole wait (about 90 ms).
void NetGame::listen(quint16 port) {
  port_ = port;
  connectionReady_.reset();
  connection_.reset();
  connection_ = std::make_unique<netio::EnetConnection>(
      netio::EnetConnection::Options{true, options_.bindAddress, port, greeting(), netio::kAnswerLimitUs, phrase_},
      nowUs());
  if (connection_->state() == netio::EnetConnection::State::Failed) {
    connection_.reset();
    if (hostWindow_) {
      hostWindow_->showProblem(Message("NetGame",
                                       "ポート %1 を開けません。ほかのプログラムが使っているかもしれません。"
                                       "別のポートにしてください。")
                                   .arg(Message::fixed(port)));
    }
    return;
  }
  const netio::GameAnswer mine{net::kProtocolVersion, gameVersion(), machineName_, port_};
  connection_->answerForeign = [this, answerer = netio::ProbeAnswerer(mine, netio::localNetworks())](
                                   const ENetAddress& from, std::span<const std::uint8_t> datagram) mutable {
    return answerer.answer(datagram, from, nowUs(), !battle_);
  };
  connection_->onTurnedAway = [this](const std::string& address, net::Refusal why) {
    if (hostWindow_) {
      hostWindow_->showNotice(
          Message("NetGame", "%1 からの接続を断りました: %2").arg(Message::fixed(address)).arg(refusalMessage(why)));
    }
  };
  if (hostWindow_) hostWindow_->showWaiting(port, !phrase_.empty());
  watch(connection_->socket());
}

// The host window closed: by キャンセル, or because the battle began.
void NetGame::stopWaiting() {
  hosting_ = false;
  hostWindow_.clear();
  if (!battle_) {
    connectionReady_.reset();
    connection_.reset();
    poll_.stop();
  }
  showMenuState();
}

// ---- joining ----------------------------------------------------------------------------------

void NetGame::join() {
  if (connection_ || battle_ || hostWindow_ || joinWindow_ || rooms_->busy()) return;
  joinWindow_ = new JoinWindow(&screen_, netio::kDefaultPort);
  joinWindow_->setAttribute(Qt::WA_DeleteOnClose);
  joinWindow_->connectTo = [this](const QString& host, quint16 port) { connectTo(host, port); };
  connect(joinWindow_, &QDialog::finished, this, [this] {
    // The probes go out only while the window is open.
    games_.reset();
    lookup_.giveUp();
    joinWindow_.clear();
    if (!battle_) {
      connectionReady_.reset();
      connection_.reset();
      poll_.stop();
    }
    showMenuState();
  });
  games_ = std::make_unique<LanGameList>(options_.findFrom, options_.probeTargets, options_.probePort,
                                         [window = joinWindow_.data()](const std::vector<FoundLine>& found) {
                                           window->setFound(found);
                                         });
  joinWindow_->open();
  showMenuState();
}

void NetGame::connectTo(const QString& host, quint16 port) {
  if (connection_) return;
  joinWindow_->showConnecting(QString("%1:%2").arg(host).arg(port));
  lookup_.start(host.toStdString(), [this, host, port](const std::string& address) {
    if (!joinWindow_ || connection_) return;
    if (!address.empty()) return startJoin(address, port);
    joinWindow_->showFailure(Message("NetGame", "「%1」という相手が見つかりません。名前かアドレスを確かめてください。")
                                 .arg(fixedText(host)));
  });
}

void NetGame::startJoin(const std::string& address, quint16 port) {
  joinTarget_ = address + ":" + std::to_string(port);
  // With a pass phrase the key is derived when the host's salt comes, in
  // poll() on the window's thread (about 90 ms, once).
  connection_ = std::make_unique<netio::EnetConnection>(
      netio::EnetConnection::Options{false, address, port, greeting(), netio::kAnswerLimitUs,
                                     joinWindow_->phrase().toStdString()},
      nowUs());
  if (connection_->state() == netio::EnetConnection::State::Failed) {
    joinWindow_->showFailure(joinFailure(*connection_, joinTarget_));
    connection_.reset();
    return;
  }
  watch(connection_->socket());
}

// ---- the connection and the battle ------------------------------------------------------------

void NetGame::watch(int socket) {
  connectionReady_ = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
  connect(connectionReady_.get(), &QSocketNotifier::activated, this, &NetGame::poll);
  poll_.start();
}

void NetGame::poll() {
  if (battle_) battle_->engine().update();
  if (connection_) connection_->service(nowUs());
  else if (battle_) rooms_->service(nowUs());
  if (battle_) {
    if (battle_->engine().over()) endBattle();
    return;
  }
  if (!connection_) return;
  switch (connection_->state()) {
    case netio::EnetConnection::State::Open: startBattle(*connection_, hosting_, {}); break;
    case netio::EnetConnection::State::Failed:
      if (joinWindow_) joinWindow_->showFailure(joinFailure(*connection_, joinTarget_));
      connectionReady_.reset();
      connection_.reset();
      if (hosting_ && hostWindow_) listen(port_);
      break;
    default: break;
  }
}

// A room's battle: the link was serviced by the rooms until now.
void NetGame::startRoomBattle(netio::RoomLink& link, bool host) {
  NetBattleSetup setup;
  setup.path = link.path();
  setup.explainLoss = [this, &link](const std::string& error) { return link.lostBecause(error, nowUs()); };
  watch(link.socket());
  poll_.start();
  startBattle(link.connection(), host, std::move(setup));
}

void NetGame::startBattle(netio::EnetConnection& connection, bool host, NetBattleSetup setup) {
  setup.host = host;
  setup.token = connection.token();
  setup.localName = machineName_;
  setup.peerAddress = connection.peerAddress();
  setup.sessionsDirectory = sessionsDirectory_;
  setup.records = options_.records;
  setup.started = QDateTime::currentDateTime();
  battle_ = std::make_unique<NetBattleOnScreen>(
      screen_, local_, effects_, connection, setup, [this] { return nowUs(); }, resultWindow_);
  connection.onPacket = [this](std::span<const std::uint8_t> bytes) { battle_->engine().receive(bytes); };
  connection.onGone = [this] { battle_->engine().peerGone(); };
  if (hostWindow_) hostWindow_->accept();
  if (joinWindow_) joinWindow_->accept();
  battle_->start();
  showMenuState();
  screen_.activateWindow();
}

void NetGame::quit() {
  if (!battle_) return;
  battle_->engine().quit();
  showMenuState();
}

QString NetGame::lastMessage() const { return translated(lastMessage_); }

void NetGame::endBattle() {
  const EndMessage message = battle_->endMessage();
  battle_.reset();
  connectionReady_.reset();
  connection_.reset();
  rooms_->battleEnded();
  poll_.stop();
  hosting_ = false;
  showMenuState();
  lastMessage_ = message.text;
  if (saysNothing(message.text) || !screen_.isVisible()) return;
  if (message.error) return showErrorBox(&screen_, translated(message.text));
  auto* box = new QMessageBox(QMessageBox::Information, kAppTitle, translated(message.text), QMessageBox::Ok, &screen_);
  box->setObjectName("netEnded");
  box->setAttribute(Qt::WA_DeleteOnClose);
  openModal(box);
}

}  // namespace glamora::netgame
