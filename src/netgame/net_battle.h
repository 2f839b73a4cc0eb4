// A network battle played on the game's battle screen. While it runs the
// screen shows the network battle's own session (wins from 0-0, the present
// after every rollback) and sends the person's keys, stage items and side
// choices to it; the local session is set aside untouched. When it ends the
// screen shows the local battle again exactly as it was.
//
// The host plays player 1 and alone chooses stages: a choice acts 3 s later
// on both machines, which count 3-2-1 over the boards until then, and waits
// until the joiner has closed its result dialog. Each person plays their own
// side with either key set, or hands it to the computer. Effects come only
// for confirmed ticks; the battle is kept as a session file of its own.
//
// Its owner passes the transport's packets in, calls update() when due, and
// asks over() after each call; nothing here waits.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "engine/computer_player.h"
#include "engine/net/net_peer.h"
#include "modes/battle_screen.h"
#include "net_session_file.h"
#include "net_texts.h"
#include "screen_look.h"

class QAction;
class QLabel;

namespace glamora::netgame {

struct NetBattleSetup {
  bool host = true;
  std::uint64_t token = 0;
  std::int64_t tickUs = std::int64_t{net::kTickMs} * 1000;
  std::string localName;          // this machine's name
  std::string peerAddress;        // "192.0.2.7:47291"
  std::string sessionsDirectory;  // where its session file goes (empty: none kept)
  QDateTime started;
};

// What the battle needs of the game around it.
struct NetBattleLinks {
  std::function<std::int64_t()> nowUs;           // the transport's clock
  std::function<QDialog*(Dialog)> resultWindow;  // the window a result dialog opens in
  const ScreenLook* lookBeforeAnyStage = nullptr;
};

class NetBattle final : public QObject, private InputRoute, private Effects {
 public:
  // `effects` are the game's (media, result dialogs, error boxes); `link`
  // carries this side's packets.
  NetBattle(BattleScreen& screen, Session& local, Effects& effects, net::PeerLink& link, const NetBattleSetup& setup,
            NetBattleLinks links);
  ~NetBattle() override;

  // Takes over the screen; tick 0 opens now.
  void start();
  void receive(std::span<const std::uint8_t> bytes);
  void update();
  std::int64_t nextWakeUs() const { return peer_.nextWakeUs(); }
  // The transport lost the other side.
  void peerGone();
  // "切断(&Q)", closing the screen: the screen shows the local battle at once.
  // The host names the end at its open tick and plays on unseen until both
  // have stopped there (for a second at most); the joiner leaves.
  void quit();

  bool over() const { return over_; }
  // What the person is to be told now that it is over.
  const EndMessage& endMessage() const { return endMessage_; }
  const net::NetPeer& peer() const { return peer_; }
  std::string sessionFile() const { return file_ ? file_->path() : std::string(); }
  const std::string& peerName() const { return peerName_; }
  // The status line under the menu bar, as it reads now.
  QString statusText() const;

 private:
  class ScreenProxy;

  // InputRoute
  void key(char32_t character) override;
  void stage(int n) override;
  void again() override;
  void side(int player, std::optional<ComputerLevel> level) override;
  // Effects of confirmed ticks
  void openMedia(Media player, const std::string& path) override;
  void media(Media player, MediaOp op) override;
  void openDialog(Dialog dialog) override;
  void showError(const std::string& text) override;

  void tick();
  void confirmed(const net::ConfirmedTick& tick);
  void sideMessage(std::span<const std::uint8_t> bytes);
  void sendSide(const struct SideMessage& message);
  void resultClosed();
  void chooseWaitingStage();
  bool joinerReading() const;
  void learnChoices();
  void afterCall();
  void finish();
  void takeScreen();
  void giveScreenBack();
  void showMenus();
  void showCovers();
  void showPlates();
  void showStatus();
  std::int64_t now() const { return links_.nowUs(); }

  BattleScreen& screen_;
  Session& local_;
  Effects& effects_;
  net::PeerLink& link_;
  NetBattleSetup setup_;
  NetBattleLinks links_;
  net::NetPeer peer_;
  std::unique_ptr<ScreenProxy> proxy_;
  std::unique_ptr<NetSessionFile> file_;
  ScreenLook localLook_;
  std::optional<ComputerPlayer> computer_;
  QLabel* status_ = nullptr;
  std::array<QFont, 2> plateFonts_;
  QAction* stageNote_ = nullptr;
  std::string peerName_;
  bool peerShowsDialogs_ = false;
  bool shown_ = false;  // the screen shows this battle
  bool over_ = false;
  bool quitting_ = false;
  std::int64_t quitUntilUs_ = 0;
  EndMessage endMessage_;
  // Stage choices: the one waiting to be made (host), the latest known (both).
  int waitingStage_ = 0;
  std::optional<net::StageChoice> known_;
  int learnedThrough_ = -1;  // the host's inputs looked through for choices (joiner)
  // Result dialogs: how many have opened, whether one is open here, and the
  // last the other side has closed.
  int dialogs_ = 0;
  bool dialogOpen_ = false;
  int peerClosed_ = 0;
  std::optional<Dialog> dialogThisTick_;
  std::array<bool, 4> watchedDialogs_{};
  // What the screen shows, to change only what changed.
  int shownCount_ = -1;
  bool stalled_ = false;
};

}  // namespace glamora::netgame
