// Rooms by code in the game's window: "部屋を作る(&R)...", "コードで参加(&C)..."
// and "ロビーの設定(&L)..." of "ネット対戦(&N)". It finds the lobby (asking
// for one first when none is set), makes or joins a room with a RoomLink
// serviced from the event loop, never waiting in it, and shows each step and
// each failure in the room windows. Once the battle's connection opens it
// hands the link to whoever plays the battle and keeps it, serviced by
// them, until that battle ends.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/net/packet.h"
#include "lobby_setting_window.h"
#include "net/lobby_place.h"
#include "net/room_link.h"
#include "pending_lookup.h"
#include "public_rooms.h"
#include "room_host_window.h"
#include "room_join_window.h"

namespace glamora::netgame {

// Where the lobby is: given for this run, or kept with the settings.
struct LobbySetting {
  std::string forThisRun;                        // --lobby (empty: the kept one)
  std::function<std::string()> kept;             // "host[:port]", empty: none
  std::function<void(const std::string&)> keep;  // keeps another
};

struct RoomGameSetup {
  std::string machineName;  // the room's name, and the plates'
  std::string bindAddress;  // what the sockets bind (empty: every address)
  LobbySetting lobby;
  std::function<const net::Greeting&()> greeting;
  std::function<std::int64_t()> nowUs;
};

class RoomGame final : public QObject {
 public:
  RoomGame(QWidget& screen, RoomGameSetup setup);
  ~RoomGame() override;

  void makeRoom();
  void joinRoom();
  void chooseLobby();
  // A room window or the lobby window is open.
  bool windowOpen() const { return hostWindow_ || joinWindow_ || lobbyWindow_; }
  // One is open, or a link is kept.
  bool busy() const { return windowOpen() || link_; }
  // The lobby in use: chosen in the window this run, else given for this
  // run, else kept ("host[:port]"; empty: none).
  std::string lobby() const;

  // The battle's connection opened: the battle runs on `link` from now on.
  std::function<void(netio::RoomLink& link, bool host)> onOpen;
  // A window opened or closed: the menu is shown again.
  std::function<void()> changed;
  // While the battle runs: the link's service.
  void service(std::int64_t nowUs);
  void battleEnded();

  RoomHostWindow* hostWindow() const { return hostWindow_; }
  RoomJoinWindow* joinWindow() const { return joinWindow_; }
  LobbySettingWindow* lobbyWindow() const { return lobbyWindow_; }
  const netio::RoomLink* link() const { return link_.get(); }

 private:
  enum class Then { Nothing, Make, Join };
  void openLobbyWindow(Then then);
  void openRoomWindow(QDialog* window);
  QString lobbyName() const;
  void findLobby();
  void lobbyFound(const std::string& address);
  void showRooms(const std::vector<lobby::RoomEntry>& rooms, const std::string& error);
  void join(const QString& code, const QString& phrase);
  void startLink(bool host, const std::string& code, const std::string& phrase);
  void poll();
  void showHostState();
  void failed();
  void opened();
  void dropLink();
  void windowClosed();

  QWidget& screen_;
  RoomGameSetup setup_;
  std::optional<std::string> chosen_;  // in the lobby window, this run
  QPointer<RoomHostWindow> hostWindow_;
  QPointer<RoomJoinWindow> joinWindow_;
  QPointer<LobbySettingWindow> lobbyWindow_;
  PendingLookup lookup_;
  std::optional<netio::LobbyPlace> place_;  // the lobby of the window open
  std::string lobbyAddress_;                // its address, once found
  std::unique_ptr<PublicRooms> rooms_;
  std::unique_ptr<netio::RoomLink> link_;
  std::unique_ptr<QSocketNotifier> ready_;
  QTimer poll_;
  bool hosting_ = false;
  bool handedOver_ = false;
  std::optional<netio::RoomLink::State> shownState_;
  QString code_;  // the room's
  // The host's, kept for the next room.
  std::string phrase_;
  bool listed_ = false;
};

}  // namespace glamora::netgame
