#include "player.h"

#include <charconv>
#include <string_view>

#include "pictures.h"
#include "resolution.h"

namespace glamora {

void showNumber(ScreenView& view, Label label, int value) {
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  view.setCaption(label, std::string_view(text, end - text));
}

void Player::redrawBoard() { view_.redrawBoard(index_, state.board); }

void Player::resetForRound() {
  PlayerState& s = state;
  s.stageSupply = s.supply;
  s.board = Board{};
  s.supplyPos.fill(1);
  s.nextRow.fill(1);
  s.mirrorsDue.fill(0);
  s.toWhat = s.toWhere = false;
  s.held = Code::Empty;
  view_.showCarried(index_, Picture::Empty);
  s.arrowCol = s.carryCol = kStartColumn;
  view_.moveArrow(index_, kStartColumn);
  view_.moveCarried(index_, kStartColumn);
  s.refillReversed = false;
  s.whatTime = s.whereTime = kCountdownSeconds;
  showNumber(labels_.itime, kCountdownSeconds);
  showNumber(labels_.ptime, kCountdownSeconds);
  s.whatRun = true;
  s.whereRun = false;
  view_.setColour(labels_.what, kClRed);
  view_.setColour(labels_.where, kClGreen);
  s.points = 0;
  showNumber(labels_.score, 0);
  s.phase = Phase::What;
  redrawBoard();
}

// ---- keys -------------------------------------------------------------------

void Player::press(Key key) {
  if (!inputAllowed() || key == Key::None) return;
  PlayerState& s = state;
  if (s.phase == Phase::What) {
    if (key == Key::Left && s.arrowCol != 1) view_.moveArrow(index_, --s.arrowCol);
    if (key == Key::Right && s.arrowCol != kColumns) view_.moveArrow(index_, ++s.arrowCol);
    // A used-up offer still shown from the last round (the offers are
    // refreshed only on the next tick) is no item and hands out nothing.
    if (key == Key::Select && s.supplyPos[s.arrowCol] != kSupplyUsedUp && s.supplyFront[s.arrowCol] != Code::UsedUp) {
      s.carryCol = s.arrowCol;
      view_.moveCarried(index_, s.carryCol);
      s.pickCol = s.arrowCol;
      takeSupply();
    }
  } else if (s.phase == Phase::Where) {
    if (key == Key::Left && s.carryCol != 1) view_.moveCarried(index_, --s.carryCol);
    if (key == Key::Right && s.carryCol != kColumns) view_.moveCarried(index_, ++s.carryCol);
    if (key == Key::Select) {
      const int row = s.nextRow[s.carryCol];
      if (row >= 1 && row <= kRows) {
        s.dropCol = s.carryCol;
        s.dropRow = row;
        dropHeld();
        if (row == kOutZoneRow) host_.lose(*this);
      }
    }
  }
}

void Player::takeSupply() {
  PlayerState& s = state;
  s.held = s.supplyFront[s.pickCol];
  s.supplyPos[s.pickCol] += 1;
  s.toWhere = true;
  s.whatRun = false;
  s.phase = Phase::Switching;
  showHeld();
}

void Player::dropHeld() {
  PlayerState& s = state;
  view_.showCarried(index_, Picture::Empty);
  s.board(s.dropCol, s.dropRow) = s.held;
  s.nextRow[s.dropCol] = s.dropRow + 1;
  // Items that were still to fall onto the landing row (a mirror delivered
  // into row 9, items over a cleared row) now rest on the dropped one: the
  // next item goes above them, never onto one of them.
  while (s.nextRow[s.dropCol] <= kPlayRows && s.board(s.dropCol, s.nextRow[s.dropCol]) != Code::Empty) {
    s.nextRow[s.dropCol] += 1;
  }
  s.held = Code::Empty;
  s.toWhat = true;
  s.whereRun = false;
  s.phase = Phase::Switching;
  redrawBoard();
}

void Player::showHeld() {
  const Picture picture = carriedPicture(state.held);
  if (picture != Picture::Unchanged) view_.showCarried(index_, picture);
}

// ---- turn tasks -----------------------------------------------------------------

void Player::refillSupply() {
  PlayerState& s = state;
  int sum = 0;
  for (int c = 1; c <= kColumns; ++c) sum += s.supplyPos[c];
  if (sum != kSupplyUsedUp * kColumns) return;  // every column used up
  if (!s.refillReversed) {
    for (int c = 1; c <= kColumns; ++c) {
      for (int slot = 1; slot <= kSlots; ++slot) s.supply(c, slot) = s.stageSupply(c, kSlots + 1 - slot);
    }
  } else {
    s.supply = s.stageSupply;
  }
  s.refillReversed = !s.refillReversed;
  s.supplyPos.fill(1);
}

void Player::refreshSupply() {
  if (!flags_.inputOpen) return;
  PlayerState& s = state;
  for (int c = 1; c <= kColumns; ++c) {
    const int p = s.supplyPos[c];
    if (p >= 1 && p <= kSlots) s.supplyFront[c] = s.supply(c, p);
    else if (p == kSupplyUsedUp) s.supplyFront[c] = Code::UsedUp;
  }
}

void Player::switchToWhere() {
  PlayerState& s = state;
  if (!s.toWhere) return;
  view_.setColour(labels_.what, kClGreen);
  view_.setColour(labels_.where, kClRed);
  s.whatTime = kCountdownSeconds;
  showNumber(labels_.itime, kCountdownSeconds);
  s.whereRun = true;
  s.phase = Phase::Where;
  s.toWhere = false;
}

void Player::switchToWhat() {
  PlayerState& s = state;
  if (!s.toWhat) return;
  view_.setColour(labels_.what, kClRed);
  view_.setColour(labels_.where, kClGreen);
  s.whereTime = kCountdownSeconds;
  showNumber(labels_.ptime, kCountdownSeconds);
  s.whatRun = true;
  s.phase = Phase::What;
  s.toWhat = false;
}

void Player::tickWhatCountdown() { tickCountdown(state.whatTime, state.whatRun, labels_.itime); }
void Player::tickWhereCountdown() { tickCountdown(state.whereTime, state.whereRun, labels_.ptime); }

void Player::tickCountdown(int& value, bool& run, Label label) {
  if (!flags_.inputOpen || !run || !flags_.roundActive) return;
  if (value == 1) {
    value = 0;
    showNumber(label, 0);
    run = false;
    host_.lose(*this);
  } else if (value >= 2 && value <= kCountdownSeconds) {
    value -= 1;
    showNumber(label, value);
  }
}

void Player::showMarker(int col) {
  const Picture picture = markerPicture(state.supplyFront[col]);
  if (picture != Picture::Unchanged) view_.showMarker(index_, col, picture);
}

// ---- resolution tasks -------------------------------------------------------------

// How a running round shows each step of a pass: a run scores, closes the keys
// and sends its attack; a fall or copy closes the keys, redraws and reopens
// them; a mirror hanging over a gap keeps them closed.
struct Player::ShownSteps {
  Player& p;
  void runFound(const Run& run) {
    p.state.points += runScore(run.length, run.code);
    p.flags_.inputOpen = false;
    p.host_.playScoreVoice(p);
  }
  void runCleared(const Run& run) {
    p.showNumber(p.labels_.score, p.state.points);
    p.host_.runSent(p, run);
    p.redrawBoard();
    p.host_.runCleared(p);
  }
  void beforeMove() { p.flags_.inputOpen = false; }
  void afterMove() {
    p.redrawBoard();
    p.flags_.inputOpen = true;
  }
  void mirrorWaits() { p.flags_.inputOpen = false; }
};

void Player::scanColumns() {
  if (!flags_.roundActive) return;
  ShownSteps steps{*this};
  scanColumnsPass(state.board, state.nextRow, steps);
}

void Player::scanRows() {
  if (!flags_.roundActive) return;
  ShownSteps steps{*this};
  scanRowsPass(state.board, state.nextRow, steps);
}

void Player::fall() {
  if (!flags_.roundActive) return;
  ShownSteps steps{*this};
  fallPass(state.board, state.nextRow, steps);
}

void Player::copyMirrors() {
  if (!flags_.roundActive) return;
  ShownSteps steps{*this};
  copyMirrorsPass(state.board, steps);
}

void Player::lowerNextRows() {
  if (!flags_.roundActive) return;
  lowerNextRowsPass(state.board, state.nextRow);
}

bool Player::dropMirror(int col, Row9Taken taken) {
  PlayerState& s = state;
  const int height = s.nextRow[col];
  if (height == kOutZoneRow) {
    s.board(col, kOutZoneRow) = Code::MirrorDown;
    redrawBoard();
    if (flags_.roundActive) host_.lose(*this);
    return false;
  }
  if (height < 1 || height > kPlayRows) return false;
  if (taken == Row9Taken::Wait && s.board(col, kPlayRows) != Code::Empty) return false;
  s.board(col, kPlayRows) = Code::MirrorDown;
  if (height == kPlayRows) s.nextRow[col] = kOutZoneRow;
  redrawBoard();
  return true;
}

}  // namespace glamora
