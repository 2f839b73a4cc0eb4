// A network battle's engine: the whole battle on a Session of its own, played
// tick by tick with this machine's keys at once and the other machine's keys
// guessed (none pressed) until they arrive; a late key takes the battle back
// to its tick and plays forward again. Effects wait until their tick is
// confirmed (both sides' inputs known), so none is undone or given twice.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "battle_snapshot.h"
#include "engine/session.h"
#include "tick_input.h"

namespace glamora::net {

// Ticks kept for going back: snapshots and held effects (3 s and a little).
inline constexpr int kWindowTicks = 32;
// Inputs kept per player: enough for a side ahead of this one and for
// sending every tick the other side has not acknowledged.
inline constexpr int kInputTicks = 128;

// The rounds as the confirmed ticks tell them.
struct ConfirmedTally {
  int rounds = 0;             // rounds started
  std::array<int, 2> wins{};  // by player
  int draws = 0;              // rounds ended by the next stage choice or the end while running
  bool roundOpen = false;
  int roundStart = -1;  // the tick the last round started at
};

struct RollbackStats {
  std::int64_t rollbacks = 0;
  std::int64_t rollbackTicks = 0;  // ticks played again, in all
  int maxRollbackTicks = 0;
};

// One confirmed tick, as a journal writes it: the stage choice acting in it,
// then the keys in the order applied; and the hash of the state it ends with.
struct ConfirmedTick {
  int tick = 0;
  const StageChoice* choice = nullptr;
  std::span<const MergedKey> keys;
  std::uint64_t hash = 0;
};

class RollbackBattle {
 public:
  // `localPlayer`: 0 when this machine is the host (player 1), 1 otherwise.
  // Effects of confirmed ticks go to `effects`.
  RollbackBattle(int localPlayer, Effects& effects);
  RollbackBattle(const RollbackBattle&) = delete;
  RollbackBattle& operator=(const RollbackBattle&) = delete;

  // The network battle's own clock and screens, from t = 0.
  const Session& session() const { return session_; }
  // What the battle's screen shows: the widgets showing the battle watch it.
  ViewRelay& view() { return session_.battleView; }

  int localPlayer() const { return local_; }
  int remotePlayer() const { return 1 - local_; }
  int now() const { return now_; }                  // the open tick
  int closedLocal() const { return closedLocal_; }  // this side's inputs are final up to here
  int lastRemote() const { return lastRemote_; }    // the other side's inputs are known up to here
  int confirmed() const { return confirmed_; }
  int endTick() const { return endTick_; }  // -1 until named
  bool finished() const { return endTick_ >= 0 && confirmed_ >= endTick_; }

  // This side's key in the open tick, `offsetMs` after the tick began; it acts
  // at once. False (ignored) when the tick is closed or already has
  // kMaxKeysPerTick keys.
  bool pressLocal(Key key, int offsetMs);
  // The host's stage choice, made in the open tick for tick `at` (at least
  // kStageLeadTicks, at most kStageLeadMaxTicks later). False when not allowed.
  bool chooseStage(int stage, int at, const EditorTexts& texts);
  // The other side's inputs for its next ticks, lastRemote() + 1 onwards.
  void receiveRemote(std::span<const TickInput> inputs);

  // Whether the open tick may be closed: the next tick would not be guessed
  // more than kPredictionTicks ahead of the other side's inputs, and the end
  // tick is not closed yet.
  bool canAdvance() const;
  // Closes the open tick and plays the next one (the end tick is only closed).
  void advance();
  // Both sides stop at `tick`. The host names it in its open tick's input
  // (the open tick or later); the joiner takes it from the host's inputs (or
  // its End message) and, when already past it, goes back to it. False when
  // another end is named already, or the tick is confirmed or too far back.
  bool endAt(int tick);

  // A side's input of a tick kept in the window (this side's up to the open
  // tick, the other side's up to lastRemote()).
  const TickInput& input(int player, int tick) const;
  const ConfirmedTally& tally() const { return tally_; }
  const RollbackStats& stats() const { return stats_; }
  // The state's hash at the end of a closed tick in the window.
  std::uint64_t hashAt(int tick) const { return ends_[slot(tick)].hash; }

  // Plays again from `tick` (the state after its tasks): its inputs, then
  // every later tick up to the open one. Done by itself when a late input
  // arrives; public for the sync check and the benchmark.
  void rollbackTo(int tick);

  std::function<void(const ConfirmedTick&)> onConfirmed;

 private:
  struct HeldEffect {
    enum Kind { OpenMedia, MediaOp, OpenDialog, Error, RoundStarted, RoundDrawn } kind;
    Media media = Media::Bgm;
    glamora::MediaOp op = glamora::MediaOp::Play;
    Dialog dialog = Dialog::PlayerOneWins;
    std::string text;
    Message message;
  };
  // Keeps what the battle asks of the outside in the log of the tick being played.
  class HeldEffects final : public Effects {
   public:
    explicit HeldEffects(RollbackBattle& owner) : owner_(owner) {}
    void openMedia(Media player, const std::string& path) override {
      owner_.hold({HeldEffect::OpenMedia, player, {}, {}, path, {}});
    }
    void media(Media player, glamora::MediaOp op) override {
      owner_.hold({HeldEffect::MediaOp, player, op, {}, {}, {}});
    }
    void openDialog(Dialog dialog) override { owner_.hold({HeldEffect::OpenDialog, {}, {}, dialog, {}, {}}); }
    void showError(const Message& text) override { owner_.hold({HeldEffect::Error, {}, {}, {}, {}, text}); }

   private:
    RollbackBattle& owner_;
  };
  struct TickEnd {
    std::uint64_t hash = 0;
    bool roundActive = false;
  };

  static int slot(int tick) { return tick % kWindowTicks; }
  static int inputSlot(int tick) { return tick % kInputTicks; }
  void hold(HeldEffect effect) { logs_[slot(recording_)].push_back(std::move(effect)); }
  bool knownInput(int player, int tick) const;
  void playTick(int tick);
  void applyInputs(int tick);
  void applyChoice(const StageChoice& choice);
  void closeEnd(int tick);
  void confirm();
  void release(int tick);
  bool lastInMergedOrder(int offsetMs) const;
  void withViewHeld(const std::function<void()>& work);

  int local_;
  Effects& effects_;
  HeldEffects held_{*this};
  Session session_{held_};
  int now_ = 0;
  int closedLocal_ = -1;
  int lastRemote_ = -1;
  int confirmed_ = -1;
  int endTick_ = -1;
  int recording_ = 0;
  std::array<std::array<TickInput, kInputTicks>, 2> inputs_{};
  std::map<int, StageChoice> scheduled_;                  // by the tick they act in
  std::array<BattleSnapshot, kWindowTicks> snapshots_{};  // after each tick's tasks
  std::array<std::size_t, kWindowTicks> logStarts_{};     // the tasks' part of each tick's log
  std::array<std::vector<HeldEffect>, kWindowTicks> logs_{};
  std::array<TickEnd, kWindowTicks> ends_{};
  std::array<MergedKey, 2 * kMaxKeysPerTick> merged_{};
  std::vector<std::int64_t> scratch_;
  ConfirmedTally tally_;
  RollbackStats stats_;
};

}  // namespace glamora::net
