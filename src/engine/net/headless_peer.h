// A side of a network battle played by the computer with no window: its
// computer player presses this side's keys as inputs when it makes them;
// the host also chooses the rounds' stages (1..14, drawn from its seed) and
// names the end after the last round. A round not decided after 30
// simulated minutes is a draw: the next choice, or the end, is made to act
// exactly then.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/computer_player.h"
#include "net_journal.h"
#include "net_peer.h"

namespace glamora::net {

inline constexpr int kRoundLimitTicks = 30 * 60 * 1000 / kTickMs;

struct HeadlessOptions {
  bool host = true;
  ComputerLevel level = ComputerLevel::Hard;
  std::uint64_t seed = 1;
  int rounds = 1;                          // the host's
  int roundLimitTicks = kRoundLimitTicks;  // a round still running this long is a draw
};

// What a side prints at the end.
struct PeerReport {
  bool host = true;
  bool ok = false;
  std::string error;
  ConfirmedTally tally;
  std::uint64_t hash = 0;
  RollbackStats rollback;
  std::int64_t stallTicks = 0;
  std::int64_t ticks = 0;  // ticks played to the end
  std::uint64_t bytesSent = 0, bytesReceived = 0;
  std::int64_t dropped = 0;
  std::string path;  // a side that met through the lobby: "direct" or "relay"
};

// {"net":"host",["path":"direct",]"rounds":N,"wins":[a,b],"draws":d,"hash":"...","rollbacks":R,
//  "maxRollbackTicks":M,"stallTicks":K,"bytesSent":B,"bytesReceived":C,
//  "dropped":D,"simulatedMs":T}, or {"error":"..."}.
std::string reportLine(const PeerReport& report);
std::string hashText(std::uint64_t hash);  // 16 lower-case hex digits

class HeadlessPeer {
 public:
  // `journal` (may be empty) receives the journal's lines.
  HeadlessPeer(const HeadlessOptions& options, std::uint64_t token, std::int64_t tickUs, PeerLink& link,
               std::function<void(std::string_view)> journal = {});

  NetPeer& peer() { return peer_; }
  const NetPeer& peer() const { return peer_; }
  // The report once the peer has stopped; the transport adds its byte counts.
  PeerReport report() const;

 private:
  void tick();
  void plan();
  void nextRound(int at, int endTick);

  HeadlessOptions options_;
  SilentEffects effects_;
  NetPeer peer_;
  ComputerPlayer computer_;
  ComputerRandom stages_;
  std::optional<NetJournal> journal_;
  int scheduled_ = 0;          // rounds chosen so far
  int lastAt_ = -1;            // the tick the last chosen round starts at
  bool limitPlanned_ = false;  // the choice at the last round's time limit is made
  bool ending_ = false;
};

}  // namespace glamora::net
