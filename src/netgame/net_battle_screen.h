// A network battle on the game's battle screen. While it runs the screen
// shows the network battle's own model (wins from 0-0, the present after
// every rollback), its count and its menus, and sends the person's keys,
// stage items and side choices to it; the local session is set aside
// untouched. When it ends the screen shows the local battle again exactly
// as it was. The battle itself is the engine's; this only shows it.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "engine/net/net_battle.h"
#include "modes/battle_screen.h"
#include "net_texts.h"
#include "records/records_keeper.h"
#include "sessions/session_files.h"

namespace glamora::netgame {

struct NetBattleSetup {
  bool host = true;
  std::uint64_t token = 0;
  std::int64_t tickUs = std::int64_t{net::kTickMs} * 1000;
  std::string localName;          // this machine's name
  std::string peerAddress;        // "192.0.2.7:47291"
  std::string sessionsDirectory;  // where its session file goes (empty: none kept)
  QDateTime started;
  std::string path;  // a room's: "direct" or "relay" (empty: the local network's)
  // A room's: why the battle was lost, given the peer's reason (the lobby
  // that stopped relaying it, or that reason).
  std::function<std::string(const std::string&)> explainLoss;
  records::RecordsKeeper* records = nullptr;  // where its rounds are recorded (none: not recorded)
};

class NetBattleOnScreen final : public QObject, private net::NetBattleWindow {
 public:
  // `effects` are the game's; `link` carries this side's packets; `nowUs`
  // is the transport's clock; `resultWindow` the window a result dialog
  // opens in (none: it counts as read at once).
  NetBattleOnScreen(BattleScreen& screen, Session& local, Effects& effects, net::PeerLink& link,
                    const NetBattleSetup& setup, std::function<std::int64_t()> nowUs,
                    std::function<QDialog*(Dialog)> resultWindow);
  ~NetBattleOnScreen() override;

  // Takes over the screen; tick 0 opens now.
  void start();
  net::NetBattle& engine() { return *battle_; }
  const net::NetBattle& engine() const { return *battle_; }
  // What the person is to be told now that it is over.
  EndMessage endMessage() const;
  std::string sessionFile() const { return file_ ? file_->path().string() : std::string(); }
  // The status line under the menu bar, as it reads now.
  Message statusText() const;

 private:
  void battleChanged() override;
  void resultOpened(Dialog dialog) override;
  void closeResults() override;
  void leftScreen() override;
  std::array<QString, 2> plateNames() const;
  std::array<QString, 2> machineNames() const;  // this machine's and the peer's, by player
  void showStageChooser(bool here);

  BattleScreen& screen_;
  std::function<QDialog*(Dialog)> resultWindow_;
  std::string path_;
  std::function<std::string(const std::string&)> explainLoss_;
  std::unique_ptr<JournalFile> file_;
  std::unique_ptr<records::ScriptRecords> records_;  // follows file_ as it is written
  std::unique_ptr<net::NetBattle> battle_;
  std::array<bool, 4> watchedDialogs_{};
  // What the menus and the covers show: asked again only when it changes.
  struct MenuLook {
    int countStage = 0, countNumber = 0, checkedStage = 0;
    std::optional<ComputerLevel> level;
    bool operator==(const MenuLook&) const = default;
  };
  std::array<QString, 2> shownNames_, shownHints_;
  MenuLook shownLook_{-1, 0, 0, std::nullopt};
};

}  // namespace glamora::netgame
