// A network battle shown on a game's battle screen: the rollback peer, the
// person's inputs routed to it, the computer playing this side, the stage
// choices with their count, the result dialogs both sides must have closed
// before the next count, the music as this machine's switches say, and the
// battle's own session file. No Qt: the window around it shows what it asks.
//
// The host plays player 1 and alone chooses stages: a choice acts 3 s later
// on both machines, which count 3-2-1 over the boards until then, and waits
// until the joiner has closed its result dialog. Each person plays their own
// side with either key set, or hands it to the computer. Effects come only
// for confirmed ticks, and only while the battle is on the screen.
//
// Its owner passes the transport's packets in, calls update() when due, and
// asks over() after each call; nothing here waits.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "engine/computer_player.h"
#include "engine/input_route.h"
#include "net_peer.h"
#include "net_session_journal.h"

namespace glamora::net {

struct NetBattleSetup {
  bool host = true;
  std::uint64_t token = 0;
  std::int64_t tickUs = std::int64_t{kTickMs} * 1000;
  std::string localName;    // this machine's name
  std::string peerAddress;  // "192.0.2.7:47291"
  std::string started;      // local time, ISO 8601 with its offset
  // Where the battle is kept: the file's path and what writes to it (none: not kept).
  std::string sessionFile;
  std::function<void(std::string_view)> keep;
  // Hears each confirmed tick before its lines are kept: the records follow
  // the file's script up to the tick's time.
  std::function<void(int tick)> confirmedTick;
};

// What the battle asks of the window showing it.
class NetBattleWindow {
 public:
  virtual ~NetBattleWindow() = default;
  // The menus, the plates, the status line or the count may have changed.
  virtual void battleChanged() = 0;
  // A result dialog opened through the effects: resultClosed() once read.
  virtual void resultOpened(Dialog dialog) = 0;
  // The host's next stage came while this side's result is open.
  virtual void closeResults() = 0;
  // The battle no longer shows: 切断, or its end.
  virtual void leftScreen() = 0;
};

class NetBattle final : public InputRoute, private Effects {
 public:
  // `local` is the game's own session, set aside while this runs: its
  // switches say what is heard, and it notes the battle. `effects` are the
  // game's; `link` carries this side's packets; `nowUs` is the transport's clock.
  NetBattle(const NetBattleSetup& setup, Session& local, Effects& effects, PeerLink& link,
            std::function<std::int64_t()> nowUs, NetBattleWindow& window);
  ~NetBattle() override;

  // Tick 0 opens now; the battle is on the screen until it ends or quit().
  void start();
  void receive(std::span<const std::uint8_t> bytes);
  void update();
  std::int64_t nextWakeUs() const { return peer_.nextWakeUs(); }
  // The transport lost the other side.
  void peerGone();
  // 切断, or closing the screen: the battle leaves the screen at once. The
  // host names the end at its open tick and plays on unseen until both have
  // stopped there (for a second at most); the joiner leaves.
  void quit();
  // The person has closed the result dialog resultOpened() named.
  void resultClosed();

  // InputRoute: the person's inputs, and what the screen shows.
  void key(char32_t character) override;
  void stage(int n) override;
  void again() override;
  void side(int player, std::optional<ComputerLevel> level) override;
  void musicSwitched(bool on, bool wasOff) override;
  ViewRelay& view() override { return peer_.battle().view(); }
  StageCount count() const override;
  RouteMenus menus() const override;

  bool over() const { return over_; }
  bool onScreen() const { return onScreen_; }
  bool host() const { return setup_.host; }
  const NetBattleSetup& setup() const { return setup_; }
  const NetPeer& peer() const { return peer_; }
  // The name the other machine sent ("" when none came: a headless peer).
  const std::string& peerName() const { return peerName_; }
  std::optional<ComputerLevel> computerLevel() const;
  // What the status line tells: the clock waits for the other side; no
  // round runs or is counted in; the host waits for the joiner's result.
  bool stalled() const { return stalled_; }
  bool idle() const;
  bool waitsForPeersResult() const { return setup_.host && waitingStage_ && joinerReading(); }
  // Why it ended: this side quit (nothing to tell), both named the end, or the peer's error.
  bool quitHere() const { return quitting_; }
  bool finished() const { return peer_.status() == NetPeer::Status::Finished; }

 private:
  // Effects of confirmed ticks
  void openMedia(Media player, const std::string& path) override;
  void media(Media player, MediaOp op) override;
  void openDialog(Dialog dialog) override;
  void showError(const Message& text) override;

  void tick();
  void confirmed(const ConfirmedTick& tick);
  void sideMessage(std::span<const std::uint8_t> bytes);
  void sendName();
  void chooseWaitingStage();
  bool joinerReading() const;
  void learnChoices();
  void afterCall();
  void finish();
  void leaveScreen();
  bool roundActive() const { return peer_.battle().session().battle.state.flags.roundActive; }
  std::int64_t now() const { return nowUs_(); }

  NetBattleSetup setup_;
  Session& local_;
  Effects& effects_;
  PeerLink& link_;
  std::function<std::int64_t()> nowUs_;
  NetBattleWindow& window_;
  NetPeer peer_;
  std::optional<NetSessionJournal> journal_;
  std::optional<ComputerPlayer> computer_;
  std::string peerName_;
  bool peerShowsDialogs_ = false;
  bool onScreen_ = false;
  bool over_ = false;
  bool quitting_ = false;
  bool stalled_ = false;
  std::int64_t quitUntilUs_ = 0;
  // Stage choices: the one waiting to be made (host), the latest known (both).
  int waitingStage_ = 0;
  std::optional<StageChoice> known_;
  int learnedThrough_ = -1;  // the host's inputs looked through for choices (joiner)
  // Result dialogs: how many have opened, whether one is open here, and the
  // last the other side has closed.
  int dialogs_ = 0;
  bool dialogOpen_ = false;
  int peerClosed_ = 0;
  std::optional<Dialog> dialogThisTick_;
};

}  // namespace glamora::net
