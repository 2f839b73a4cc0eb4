// The network battle in the game's window: "ネット対戦(&N)" in the battle
// screen's game menu, with "対戦相手を待つ(&H)..." (host), "対戦相手に接続(&J)..."
// (join, with the games found on the local network), the rooms by code
// through a lobby (room_game.h) and "切断(&Q)" while connected. It runs the
// connection on the real clock from the event loop, without ever waiting in
// it, and the battle on the screen once greeted; it tells the person why a
// battle ended, and leaves the local battle as it was.
#pragma once

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host_window.h"
#include "join_window.h"
#include "lan_game_list.h"
#include "modes/battle_screen.h"
#include "net/enet_connection.h"
#include "net/lan_discovery.h"
#include "net/this_machine.h"
#include "net_battle_screen.h"
#include "pending_lookup.h"
#include "room_game.h"

namespace glamora::netgame {

struct NetGameOptions {
  std::string bindAddress;                       // the address a host waits on (empty: every address of this machine)
  std::uint16_t hostPort = netio::kDefaultPort;  // the port it waits on at first
  std::string findFrom = "0.0.0.0";              // the address the join window's probes leave from
  // Where the probes go (empty: GLAMORA_PROBE_TO when set, else the broadcast
  // addresses of this machine's networks).
  std::vector<std::string> probeTargets;
  std::uint16_t probePort = netio::kDefaultPort;
  LobbySetting lobby;  // where rooms are made and joined
  // Where the battles' rounds are recorded (none: not recorded).
  records::RecordsKeeper* records = nullptr;
};

class NetGame final : public QObject {
 public:
  // The screen must be as built, before any stage: its look then is the one a
  // network battle begins with.
  NetGame(BattleScreen& screen, Session& local, Effects& effects, std::function<QDialog*(Dialog)> resultWindow,
          std::string sessionsDirectory, NetGameOptions options = {});
  ~NetGame() override;

  void host();
  void join();
  // "切断(&Q)": the screen shows the local battle at once.
  void quit();

  QAction* hostItem() const { return screen_.netMenu().host; }
  QAction* joinItem() const { return screen_.netMenu().join; }
  QAction* quitItem() const { return screen_.netMenu().quit; }
  HostWindow* hostWindow() const { return hostWindow_; }
  JoinWindow* joinWindow() const { return joinWindow_; }
  RoomGame& rooms() { return *rooms_; }
  NetBattleOnScreen* battle() const { return battle_.get(); }
  // The last message a battle ended with, in the language chosen ("" for none).
  QString lastMessage() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::int64_t nowUs() const { return clock_.nsecsElapsed() / 1000; }
  const net::Greeting& greeting();
  void showMenuState();
  bool localBusy() const;
  void listen(quint16 port);
  void connectTo(const QString& host, quint16 port);
  void startJoin(const std::string& address, quint16 port);
  void watch(int socket);
  void poll();
  void startBattle(netio::EnetConnection& connection, bool host, NetBattleSetup setup);
  void startRoomBattle(netio::RoomLink& link, bool host);
  void endBattle();
  void stopWaiting();

  BattleScreen& screen_;
  Session& local_;
  Effects& effects_;
  std::function<QDialog*(Dialog)> resultWindow_;
  std::string sessionsDirectory_;
  NetGameOptions options_;
  std::string machineName_;
  std::shared_future<net::Greeting> greeting_;
  QElapsedTimer clock_;
  QTimer poll_;
  std::unique_ptr<netio::EnetConnection> connection_;
  std::unique_ptr<QSocketNotifier> connectionReady_;
  std::unique_ptr<NetBattleOnScreen> battle_;
  std::unique_ptr<LanGameList> games_;  // while the join window is open
  QPointer<HostWindow> hostWindow_;
  QPointer<JoinWindow> joinWindow_;
  quint16 port_;
  std::string phrase_;  // the host's pass phrase, kept for the next wait
  bool hosting_ = false;
  PendingLookup lookup_;  // the host's name, for a join
  std::string joinTarget_;
  std::unique_ptr<RoomGame> rooms_;
  Message lastMessage_;
};

}  // namespace glamora::netgame
