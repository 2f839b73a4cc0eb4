#include "room_game.h"

#include "game_greeting.h"
#include "room_texts.h"

namespace glamora::netgame {

namespace {

constexpr int kPollMs = 10;

}  // namespace

RoomGame::RoomGame(QWidget& screen, RoomGameSetup setup) : screen_(screen), setup_(std::move(setup)) {
  poll_.setTimerType(Qt::PreciseTimer);
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &RoomGame::poll);
}

RoomGame::~RoomGame() {
  if (link_ && hosting_ && !handedOver_) link_->leave(setup_.nowUs());
}

std::string RoomGame::lobby() const {
  if (chosen_) return *chosen_;
  if (!setup_.lobby.forThisRun.empty()) return setup_.lobby.forThisRun;
  return setup_.lobby.kept ? setup_.lobby.kept() : std::string();
}

QString RoomGame::lobbyName() const {
  return place_ ? QString::fromStdString(place_->host + ":" + std::to_string(place_->port)) : QString();
}

// ---- the lobby's address --------------------------------------------------------------------------

void RoomGame::chooseLobby() {
  if (!windowOpen()) openLobbyWindow(Then::Nothing);
}

// With `then`, no lobby was set: the window asks for one, and the room
// window opens once it is given.
void RoomGame::openLobbyWindow(Then then) {
  lobbyWindow_ = new LobbySettingWindow(&screen_, QString::fromStdString(lobby()), then != Then::Nothing);
  lobbyWindow_->setAttribute(Qt::WA_DeleteOnClose);
  lobbyWindow_->chosen = [this](const QString& place) {
    chosen_ = place.toStdString();
    if (setup_.lobby.keep) setup_.lobby.keep(*chosen_);
  };
  connect(lobbyWindow_, &QDialog::finished, this, [this, then](int result) {
    lobbyWindow_.clear();
    if (changed) changed();
    if (result != QDialog::Accepted || then == Then::Nothing) return;
    QTimer::singleShot(0, this, then == Then::Make ? &RoomGame::makeRoom : &RoomGame::joinRoom);
  });
  lobbyWindow_->open();
  if (changed) changed();
}

// The room window opens window-modal and takes the keyboard; the lobby is
// looked for at once.
void RoomGame::openRoomWindow(QDialog* window) {
  window->setAttribute(Qt::WA_DeleteOnClose);
  connect(window, &QDialog::finished, this, &RoomGame::windowClosed);
  window->open();
  window->activateWindow();
  window->raise();
  findLobby();
  if (changed) changed();
}

void RoomGame::findLobby() {
  dropLink();
  rooms_.reset();
  lobbyAddress_.clear();
  if (hostWindow_) hostWindow_->showRegistering();
  lookup_.start(place_->host, [this](const std::string& address) { lobbyFound(address); });
}

void RoomGame::lobbyFound(const std::string& address) {
  if (address.empty()) {
    const Message text = Message("RoomGame", "ロビー「%1」が見つかりません。ロビーの設定のホスト名を確かめてください。")
                             .arg(Message::fixed(place_->host));
    if (hostWindow_) hostWindow_->showProblem(text);
    if (joinWindow_) {
      joinWindow_->showListProblem(Message("RoomGame", "ロビーが見つかりません"));
      joinWindow_->showProblem(text);
    }
    return;
  }
  lobbyAddress_ = address;
  if (hostWindow_) return startLink(true, {}, phrase_);
  if (!joinWindow_) return;
  const lobby::Endpoint at = *netio::lobbyEndpoint(address, place_->port);
  rooms_ = std::make_unique<PublicRooms>(
      at, lobbyName().toStdString(), setup_.bindAddress.empty() ? "0.0.0.0" : setup_.bindAddress,
      [this](const std::vector<lobby::RoomEntry>& rooms, const std::string& error) { showRooms(rooms, error); });
}

// ---- making a room --------------------------------------------------------------------------------

void RoomGame::makeRoom() {
  if (busy()) return;
  if (lobby().empty()) return openLobbyWindow(Then::Make);
  place_ = netio::readLobbyPlace(lobby());
  if (!place_) return openLobbyWindow(Then::Make);
  hostWindow_ = new RoomHostWindow(&screen_, QString::fromStdString(setup_.machineName), lobbyName(),
                                   QString::fromStdString(phrase_), listed_);
  hostWindow_->listedChosen = [this](bool listed) {
    listed_ = listed;
    if (link_) link_->setPublic(listed, setup_.nowUs());
  };
  hostWindow_->phraseChosen = [this](const QString& phrase) {
    phrase_ = phrase.toStdString();
    if (!link_) return;
    link_->setPhrase(phrase_);
    shownState_.reset();
    showHostState();
  };
  hostWindow_->remake = [this] { findLobby(); };
  openRoomWindow(hostWindow_);
}

void RoomGame::showHostState() {
  if (!hostWindow_ || !link_) return;
  if (const QString code = QString::fromStdString(link_->code()); code != code_ && !code.isEmpty()) {
    code_ = code;
    hostWindow_->showCode(code);
  }
  const netio::RoomLink::State state = link_->state();
  if (state == shownState_) return;
  shownState_ = state;
  switch (state) {
    case netio::RoomLink::State::Waiting: hostWindow_->showWaiting(!phrase_.empty()); break;
    case netio::RoomLink::State::Meeting:
    case netio::RoomLink::State::Connecting: hostWindow_->showMeeting(); break;
    default: break;
  }
}

// ---- joining a room -------------------------------------------------------------------------------

void RoomGame::joinRoom() {
  if (busy()) return;
  if (lobby().empty()) return openLobbyWindow(Then::Join);
  place_ = netio::readLobbyPlace(lobby());
  if (!place_) return openLobbyWindow(Then::Join);
  joinWindow_ = new RoomJoinWindow(&screen_, lobbyName());
  joinWindow_->joinRoom = [this](const QString& code, const QString& phrase) { join(code, phrase); };
  openRoomWindow(joinWindow_);
}

void RoomGame::showRooms(const std::vector<lobby::RoomEntry>& rooms, const std::string& error) {
  if (!joinWindow_) return;
  if (!error.empty()) return joinWindow_->showListProblem(Message("RoomGame", "ロビーに届きません"));
  std::vector<RoomLine> lines;
  for (const lobby::RoomEntry& room : rooms) {
    const QString version = QString::fromStdString(room.version);
    lines.push_back({QString::fromStdString(room.code), QString::fromStdString(room.name), waitedText(room.waitingMs),
                     version, room.version == gameVersion()});
  }
  joinWindow_->setRooms(lines);
}

void RoomGame::join(const QString& code, const QString& phrase) {
  if (link_) return;
  if (lobbyAddress_.empty()) {
    return joinWindow_->showProblem(
        Message("RoomGame", "ロビー「%1」がまだ見つかっていません。").arg(Message::fixed(place_->host)));
  }
  code_ = code;
  joinWindow_->showJoining(code);
  startLink(false, code.toStdString(), phrase.toStdString());
}

// ---- the link ---------------------------------------------------------------------------------------

void RoomGame::startLink(bool host, const std::string& code, const std::string& phrase) {
  netio::RoomLinkOptions o;
  o.host = host;
  o.lobbyAddress = lobbyAddress_;
  o.lobbyPort = place_->port;
  o.lobbyName = lobbyName().toStdString();
  o.bind = setup_.bindAddress;
  o.greeting = setup_.greeting();
  o.phrase = phrase;
  o.name = setup_.machineName;
  o.open = listed_;
  o.code = code;
  hosting_ = host;
  handedOver_ = false;
  shownState_.reset();
  if (host) code_.clear();
  link_ = std::make_unique<netio::RoomLink>(o, setup_.nowUs());
  ready_ = std::make_unique<QSocketNotifier>(link_->socket(), QSocketNotifier::Read);
  connect(ready_.get(), &QSocketNotifier::activated, this, &RoomGame::poll);
  poll_.start();
  poll();
}

void RoomGame::poll() {
  if (!link_ || handedOver_) return;
  link_->service(setup_.nowUs());
  if (hosting_) showHostState();
  switch (link_->state()) {
    case netio::RoomLink::State::Failed: return failed();
    case netio::RoomLink::State::Open: return opened();
    default: break;
  }
}

// The window says why and stays open for another try.
void RoomGame::failed() {
  const Message text = roomFailure(*link_, hosting_, lobbyName(), code_);
  dropLink();
  if (hostWindow_) hostWindow_->showProblem(text);
  if (joinWindow_) joinWindow_->showProblem(text);
}

void RoomGame::opened() {
  handedOver_ = true;
  ready_.reset();
  poll_.stop();
  rooms_.reset();
  lookup_.giveUp();
  if (onOpen) onOpen(*link_, hosting_);
  if (hostWindow_) hostWindow_->accept();
  if (joinWindow_) joinWindow_->accept();
}

void RoomGame::service(std::int64_t nowUs) {
  if (link_ && handedOver_) link_->service(nowUs);
}

void RoomGame::battleEnded() { dropLink(); }

void RoomGame::dropLink() {
  ready_.reset();
  poll_.stop();
  link_.reset();
  handedOver_ = false;
}

// By キャンセル, or because the battle began. A room still waiting is closed
// at the lobby at once.
void RoomGame::windowClosed() {
  if (!handedOver_) {
    if (link_ && hosting_) link_->leave(setup_.nowUs());
    dropLink();
  }
  rooms_.reset();
  lookup_.giveUp();
  hostWindow_.clear();
  joinWindow_.clear();
  if (changed) changed();
}

}  // namespace glamora::netgame
