#include "computer_player.h"

#include <algorithm>

namespace glamora {

ComputerPlayer::ComputerPlayer(ComputerLevel level, std::uint64_t seed)
    : level_(level),
      settings_(levelSettings(level)),
      judge_(settings_),
      random_(seed),
      sincePressMs_(settings_.paceMs) {}

JudgeSituation ComputerPlayer::situation(const ComputerView& view) const {
  JudgeSituation s;
  s.board = view.own.board;
  s.battle = view.hasOpponent;
  if (view.hasOpponent) s.opponentHeights = heightsShown(view.opponent.board);
  for (int c = 1; c <= kColumns; ++c) {
    const bool usedUp = view.offers[c] == Code::UsedUp || supply_.usedUp(c);
    // In the "WHERE ?" phase the screen may not show the take yet; the count does.
    s.offers[c] = usedUp ? Code::UsedUp : view.own.phase == Phase::Where ? supply_.offerAfter(c, 0) : view.offers[c];
    s.following[c] = usedUp ? Code::UsedUp : supply_.offerAfter(c, 1);
  }
  s.arrowCol = view.arrowCol;
  s.carryCol = view.carryCol;
  s.mirrorCountdown = view.mirrorCountdown;
  return s;
}

Choice ComputerPlayer::decide(const ComputerView& view) {
  if (view.own.phase == Phase::What) supply_.observe(view.offers, view.stageTable);
  const JudgeSituation s = situation(view);
  return view.own.phase == Phase::Where ? judge_.chooseDrop(s, view.held, random_) : judge_.chooseTake(s, random_);
}

Key ComputerPlayer::randomKey() {
  static constexpr Key kKeys[] = {Key::Left, Key::Select, Key::Right};
  return kKeys[random_.below(3)];
}

Key ComputerPlayer::tick(const ComputerView& view) {
  // Counted up to the pace only: a player left idle for weeks neither
  // overflows nor keeps changing.
  sincePressMs_ = std::min(sincePressMs_ + kComputerTaskMs, settings_.paceMs);
  const Phase phase = view.own.phase;
  if (!view.roundActive || !view.inputOpen || phase == Phase::Switching) return Key::None;
  if (sincePressMs_ < settings_.paceMs) return Key::None;

  Key key = Key::None;
  if (level_ == ComputerLevel::Random) {
    key = randomKey();
  } else {
    if (!planned_ || plannedPhase_ != phase || !(plannedBoard_ == view.own.board) ||
        (phase == Phase::What && !(plannedOffers_ == view.offers))) {
      plan_ = decide(view);
      planned_ = true;
      plannedPhase_ = phase;
      plannedBoard_ = view.own.board;
      plannedOffers_ = view.offers;
    }
    if (plan_.drop == 0) return Key::None;
    if (phase == Phase::What) {
      if (plan_.pick == 0) return Key::None;
      key = towards(view.arrowCol, plan_.pick);
      if (key == Key::Select) supply_.took(plan_.pick);
    } else {
      key = towards(view.carryCol, plan_.drop);
    }
    if (key == Key::Select) planned_ = false;
  }
  sincePressMs_ = 0;
  return key;
}

}  // namespace glamora
