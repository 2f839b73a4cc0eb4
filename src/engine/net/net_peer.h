// One side of a network battle above its transport: plays the rollback
// battle on its own clock (a tick every tickUs of the transport's time),
// sends every tick its inputs the other side has not acknowledged, its
// confirmed ticks' hashes and its timing, checks every packet that arrives
// before using it, compares the hashes, keeps the clocks level, and ends
// on the named end tick, on a mismatch, when the other side leaves, after
// 5 s of silence, or when this machine itself stood still for 5 s. No sockets: a transport passes bytes both ways.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "packet.h"
#include "rollback_battle.h"
#include "time_sync.h"

namespace glamora::net {

// What a peer needs of its transport.
class PeerLink {
 public:
  virtual ~PeerLink() = default;
  virtual void sendUnsequenced(std::span<const std::uint8_t> packet) = 0;  // may be lost, doubled, reordered
  virtual void sendReliable(std::span<const std::uint8_t> packet) = 0;     // arrives, in order
};

inline constexpr std::int64_t kSilenceLimitUs = 5'000'000;
// How far ahead of this side the other side's ticks may be and still be taken.
inline constexpr int kMostLeadTicks = 64;

class NetPeer {
 public:
  enum class Status { Playing, Finished, Failed };

  // `localPlayer` 0 for the host. Effects of confirmed ticks go to `effects`.
  NetPeer(int localPlayer, std::uint64_t token, std::int64_t tickUs, PeerLink& link, Effects& effects);

  const RollbackBattle& battle() const { return battle_; }
  RollbackBattle& battle() { return battle_; }

  // Tick 0 opens at `nowUs`.
  void start(std::int64_t nowUs);
  // When update() next has something to do.
  std::int64_t nextWakeUs() const { return nextTickUs_; }
  // Plays every tick due by `nowUs` (or waits: a stall) and sends a packet
  // after each; ends the battle after 5 s of silence.
  void update(std::int64_t nowUs);
  // A packet of the other side, from either channel.
  void receive(std::span<const std::uint8_t> bytes, std::int64_t nowUs);
  // The transport lost the other side.
  void peerGone(const std::string& why);

  // This side's key now (its offset from the time since the tick opened), or
  // at a given offset in the open tick.
  void pressLocal(Key key, std::int64_t nowUs);
  void pressLocalAt(Key key, int offsetMs) { battle_.pressLocal(key, offsetMs); }
  // The host: a stage for a later tick, and the end.
  bool chooseStage(int stage, int at, const EditorTexts& texts) { return battle_.chooseStage(stage, at, texts); }
  void endAt(int tick);
  // This side leaves: the other side is told, the battle ends here.
  void leave();

  Status status() const { return status_; }
  const std::string& error() const { return error_; }
  std::int64_t stallTicks() const { return stallTicks_; }
  std::int64_t dropped() const { return dropped_; }
  std::int64_t tickUs() const { return tickUs_; }
  const TimeSync& timeSync() const { return sync_; }

  // A new tick opened: the local computer player and the host's plan act here.
  std::function<void()> onTick;
  // Every confirmed tick, in order (the journal).
  std::function<void(const ConfirmedTick&)> onConfirmed;

 private:
  struct PeerHash {
    int tick = -1;
    std::uint64_t hash = 0;
  };
  void step(std::int64_t atUs);
  void sendInputs(std::int64_t nowUs);
  void sendControl(PacketType type, std::int32_t tick = 0);
  bool usable(const InputsBody& b) const;
  void takeInputs(const InputsBody& b, std::int64_t nowUs);
  void compareHashes();
  void checkDone();
  void fail(std::string why);
  bool stoodStill(std::int64_t nowUs);
  static int ring(int tick) { return tick % 256; }

  int local_;
  std::uint64_t token_;
  std::int64_t tickUs_;
  PeerLink& link_;
  RollbackBattle battle_;
  TimeSync sync_;
  Status status_ = Status::Playing;
  std::string error_;
  std::int64_t nextTickUs_ = 0;
  std::int64_t tickStartUs_ = 0;
  std::int64_t lastHeardUs_ = 0;
  std::int64_t lastCallUs_ = 0;  // the last update() or receive()
  std::int64_t stallTicks_ = 0;
  std::int64_t dropped_ = 0;
  std::uint32_t seq_ = 0;
  bool heardSeq_ = false;
  std::uint32_t lastSeq_ = 0;
  std::uint32_t lastPeerSentUs_ = 0;
  std::int64_t lastPeerSentHeardUs_ = -1;
  int sentThrough_ = -1;        // the last tick whose inputs this side has sent
  int peerInputAck_ = -1;       // this side's inputs the other has
  int peerHashAck_ = -1;        // this side's hashes the other has
  int peerHashesThrough_ = -1;  // the other side's hashes this side has
  int hashesChecked_ = -1;
  std::array<std::uint64_t, 256> myHashes_{};
  std::array<PeerHash, 256> theirHashes_{};
  bool doneSent_ = false;
  bool doneHeard_ = false;
};

}  // namespace glamora::net
