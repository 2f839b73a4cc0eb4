#include "rollback_battle.h"

#include <algorithm>
#include <cassert>

#include "engine/stages.h"

namespace glamora::net {

namespace {

const std::vector<EditorBox>& editorBoxes() {
  static const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
  return boxes;
}

const TickInput kNothing{};

}  // namespace

RollbackBattle::RollbackBattle(int localPlayer, Effects& effects) : local_(localPlayer), effects_(effects) {
  snapshots_[slot(0)].take(session_);
}

bool RollbackBattle::knownInput(int player, int tick) const {
  return player == local_ ? tick <= now_ : tick <= lastRemote_;
}

const TickInput& RollbackBattle::input(int player, int tick) const {
  return knownInput(player, tick) && tick >= 0 ? inputs_[player][inputSlot(tick)] : kNothing;
}

// ---- inputs ---------------------------------------------------------------------------

bool RollbackBattle::lastInMergedOrder(int offsetMs) const {
  for (const KeyPress& k : input(remotePlayer(), now_).pressed()) {
    if (k.offsetMs > offsetMs || (k.offsetMs == offsetMs && remotePlayer() > local_)) return false;
  }
  return true;
}

bool RollbackBattle::pressLocal(Key key, int offsetMs) {
  if (now_ <= closedLocal_ || key == Key::None) return false;
  TickInput& in = inputs_[local_][inputSlot(now_)];
  if (in.keyCount == kMaxKeysPerTick) return false;
  // A player's keys are in the order pressed, so their offsets never go back.
  offsetMs = std::clamp(offsetMs, in.keyCount ? in.keys[in.keyCount - 1].offsetMs : 0, kTickMs - 1);
  in.keys[in.keyCount++] = {key, offsetMs};
  if (lastInMergedOrder(offsetMs)) {
    recording_ = now_;
    session_.battle.keyPress(static_cast<unsigned char>(keyCharacter(local_, key)));
  } else {
    rollbackTo(now_);
  }
  return true;
}

bool RollbackBattle::chooseStage(int stage, int at, const EditorTexts& texts) {
  TickInput& in = inputs_[local_][inputSlot(now_)];
  if (local_ != 0 || now_ <= closedLocal_ || in.choice || stage < 1 || stage > kOriginalStage ||
      at < now_ + kStageLeadTicks || at > now_ + kStageLeadMaxTicks || scheduled_.contains(at)) {
    return false;
  }
  if (stage == kOriginalStage) {
    for (std::size_t k = 0; k < editorBoxes().size(); ++k) {
      if (!acceptableEditorText(editorBoxes()[k], texts[k])) return false;
    }
  }
  in.choice = StageChoice{stage, at, stage == kOriginalStage ? texts : EditorTexts{}};
  scheduled_.emplace(at, *in.choice);
  return true;
}

void RollbackBattle::receiveRemote(std::span<const TickInput> inputs) {
  int earliest = now_ + 1;
  int end = -1;
  for (const TickInput& in : inputs) {
    const int tick = lastRemote_ + 1;
    if ((endTick_ >= 0 && tick > endTick_) || (end >= 0 && tick > end)) break;
    inputs_[remotePlayer()][inputSlot(tick)] = in;
    lastRemote_ = tick;
    if (in.keyCount > 0) earliest = std::min(earliest, tick);
    if (in.choice && !scheduled_.contains(in.choice->at)) {
      scheduled_.emplace(in.choice->at, *in.choice);
      earliest = std::min(earliest, in.choice->at);
    }
    if (in.endAt >= tick && local_ == 1 && end < 0) end = in.endAt;
  }
  if (earliest <= now_) rollbackTo(std::max(earliest, now_ - kWindowTicks + 1));
  if (end >= 0) endAt(end);
  confirm();
}

// ---- playing ---------------------------------------------------------------------------

bool RollbackBattle::canAdvance() const {
  if (endTick_ >= 0 && closedLocal_ >= endTick_) return false;
  if (now_ == endTick_) return true;
  return now_ + 1 - lastRemote_ <= kPredictionTicks;
}

void RollbackBattle::advance() {
  assert(canAdvance());
  closedLocal_ = now_;
  closeEnd(now_);
  if (now_ != endTick_) {
    ++now_;
    inputs_[local_][inputSlot(now_)] = TickInput{};
    // Choices for ticks out of the window are never played again.
    while (!scheduled_.empty() && scheduled_.begin()->first < now_ - kWindowTicks) scheduled_.erase(scheduled_.begin());
    playTick(now_);
  }
  confirm();
}

void RollbackBattle::playTick(int tick) {
  recording_ = tick;
  logs_[slot(tick)].clear();
  session_.clock.advance(kTickMs);
  snapshots_[slot(tick)].take(session_);
  logStarts_[slot(tick)] = logs_[slot(tick)].size();
  applyInputs(tick);
}

// A stage choice acts first in its tick, then the keys in merged order.
void RollbackBattle::applyInputs(int tick) {
  recording_ = tick;
  if (const auto it = scheduled_.find(tick); it != scheduled_.end()) applyChoice(it->second);
  const int n = mergeKeys(input(0, tick), input(1, tick), merged_);
  for (int k = 0; k < n; ++k) {
    session_.battle.keyPress(static_cast<unsigned char>(keyCharacter(merged_[k].player, merged_[k].key)));
  }
}

void RollbackBattle::applyChoice(const StageChoice& choice) {
  if (choice.stage == kOriginalStage) {
    for (std::size_t k = 0; k < editorBoxes().size(); ++k) session_.editor.type(editorBoxes()[k], choice.texts[k]);
  }
  Battle& battle = session_.battle;
  const bool running = battle.state.flags.roundActive;
  const int before = battle.roundsStarted();
  battle.chooseStage(choice.stage);
  if (battle.roundsStarted() == before) return;  // the editor's boxes failed: the round goes on
  if (running) hold({HeldEffect::RoundDrawn, {}, {}, {}, {}, {}});
  hold({HeldEffect::RoundStarted, {}, {}, {}, {}, {}});
}

void RollbackBattle::closeEnd(int tick) {
  ends_[slot(tick)] = {sharedStateHash(session_, scratch_), session_.battle.state.flags.roundActive};
}

void RollbackBattle::withViewHeld(const std::function<void()>& work) {
  ViewRelay& view = session_.battleView;
  ViewWatcher* watcher = view.watcher();
  view.watch(nullptr);
  work();
  view.watch(watcher);
  view.restore(view.model());
}

void RollbackBattle::rollbackTo(int tick) {
  assert(tick <= now_ && now_ - tick < kWindowTicks && tick >= 0);
  withViewHeld([&] {
    snapshots_[slot(tick)].restore(session_);
    logs_[slot(tick)].resize(logStarts_[slot(tick)]);
    applyInputs(tick);
    if (tick <= closedLocal_) closeEnd(tick);
    for (int k = tick + 1; k <= now_; ++k) {
      playTick(k);
      if (k <= closedLocal_) closeEnd(k);
    }
  });
  const int depth = now_ - tick;
  if (depth == 0) return;
  ++stats_.rollbacks;
  stats_.rollbackTicks += depth;
  stats_.maxRollbackTicks = std::max(stats_.maxRollbackTicks, depth);
}

bool RollbackBattle::endAt(int tick) {
  if (endTick_ >= 0) return tick == endTick_;
  if (tick <= confirmed_ || tick < now_ - kWindowTicks + 1 || (local_ == 0 && tick < now_)) return false;
  endTick_ = tick;
  if (local_ == 0) inputs_[local_][inputSlot(now_)].endAt = tick;
  if (now_ > tick) {
    // This side played past the end on guesses: back to the end tick, whose
    // own inputs were final when it was passed.
    withViewHeld([&] {
      now_ = tick;
      snapshots_[slot(tick)].restore(session_);
      logs_[slot(tick)].resize(logStarts_[slot(tick)]);
      applyInputs(tick);
    });
    closedLocal_ = tick;
    closeEnd(tick);
  }
  confirm();
  return true;
}

// ---- confirmed ticks ---------------------------------------------------------------------

void RollbackBattle::confirm() {
  int last = std::min(closedLocal_, lastRemote_);
  if (endTick_ >= 0) last = std::min(last, endTick_);
  while (confirmed_ < last) release(++confirmed_);
}

void RollbackBattle::release(int tick) {
  for (const HeldEffect& e : logs_[slot(tick)]) {
    switch (e.kind) {
      case HeldEffect::OpenMedia: guarded(effects_, [&] { effects_.openMedia(e.media, e.text); }); break;
      case HeldEffect::MediaOp: effects_.media(e.media, e.op); break;
      case HeldEffect::OpenDialog:
        ++tally_.wins[e.dialog == Dialog::PlayerOneWins ? 0 : 1];
        tally_.roundOpen = false;
        effects_.openDialog(e.dialog);
        break;
      case HeldEffect::Error: effects_.showError(e.message); break;
      case HeldEffect::RoundStarted:
        ++tally_.rounds;
        tally_.roundOpen = true;
        tally_.roundStart = tick;
        break;
      case HeldEffect::RoundDrawn:
        ++tally_.draws;
        tally_.roundOpen = false;
        break;
    }
  }
  if (tick == endTick_ && tally_.roundOpen && ends_[slot(tick)].roundActive) {
    ++tally_.draws;
    tally_.roundOpen = false;
  }
  const auto choice = scheduled_.find(tick);
  const int n = mergeKeys(input(0, tick), input(1, tick), merged_);
  if (onConfirmed) {
    onConfirmed({tick, choice == scheduled_.end() ? nullptr : &choice->second,
                 std::span<const MergedKey>(merged_.data(), static_cast<std::size_t>(n)), ends_[slot(tick)].hash});
  }
}

}  // namespace glamora::net
