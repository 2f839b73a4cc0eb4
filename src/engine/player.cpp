#include "player.h"

#include <charconv>
#include <string_view>

#include "mirror_rules.h"
#include "pictures.h"

namespace glamora {

void Player::showNumber(Label label, int value) {
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  view_.setCaption(label, std::string_view(text, end - text));
}

void Player::redrawBoard() { view_.redrawBoard(index_, state.board); }

void Player::resetForRound() {
  PlayerState& s = state;
  s.stageSupply = s.supply;
  s.board = Board{};
  s.supplyPos.fill(1);
  s.nextRow.fill(1);
  s.mirrorsDue.fill(0);
  s.toWhat = s.toWhere = s.held = 0;
  view_.showCarried(index_, Picture::toumei);
  s.arrowCol = s.carryCol = 3;
  view_.moveArrow(index_, 3);
  view_.moveCarried(index_, 3);
  s.refillReversed = 0;
  s.whatTime = s.whereTime = 10;
  showNumber(labels_.itime, 10);
  showNumber(labels_.ptime, 10);
  s.whatRun = 1;
  s.whereRun = 0;
  view_.setColour(labels_.what, kClRed);
  view_.setColour(labels_.where, kClGreen);
  s.points = 0;
  showNumber(labels_.score, 0);
  s.phase = 1;
  redrawBoard();
}

// ---- keys -------------------------------------------------------------------

void Player::press(Key key) {
  if (!inputAllowed() || key == Key::None) return;
  PlayerState& s = state;
  if (s.phase == 1) {
    if (key == Key::Left && s.arrowCol != 1) view_.moveArrow(index_, --s.arrowCol);
    if (key == Key::Right && s.arrowCol != kColumns) view_.moveArrow(index_, ++s.arrowCol);
    if (key == Key::Select && s.supplyPos[s.arrowCol] != 9) {
      s.carryCol = s.arrowCol;
      view_.moveCarried(index_, s.carryCol);
      s.pickCol = s.arrowCol;
      takeSupply();
    }
  } else if (s.phase == 2) {
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
  s.toWhere = 1;
  s.whatRun = 0;
  s.phase = 0;
  showHeld();
}

void Player::dropHeld() {
  PlayerState& s = state;
  view_.showCarried(index_, Picture::toumei);
  s.board(s.dropCol, s.dropRow) = s.held;
  s.nextRow[s.dropCol] = s.dropRow + 1;
  s.held = 0;
  s.toWhat = 1;
  s.whereRun = 0;
  s.phase = 0;
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
  if (sum != 9 * kColumns) return;
  if (s.refillReversed == 0) {
    for (int c = 1; c <= kColumns; ++c) {
      for (int slot = 1; slot <= kSlots; ++slot) s.supply(c, slot) = s.stageSupply(c, kSlots + 1 - slot);
    }
    s.refillReversed = 1;
  } else if (s.refillReversed == 1) {
    s.supply = s.stageSupply;
    s.refillReversed = 0;
  }
  s.supplyPos.fill(1);
}

void Player::refreshSupply() {
  if (flags_.inputOpen != 1) return;
  PlayerState& s = state;
  for (int c = 1; c <= kColumns; ++c) {
    const int p = s.supplyPos[c];
    if (p >= 1 && p <= kSlots) s.supplyFront[c] = s.supply(c, p);
    else if (p == 9) s.supplyFront[c] = kUsedUp;
  }
}

void Player::switchToWhere() {
  PlayerState& s = state;
  if (s.toWhere != 1) return;
  view_.setColour(labels_.what, kClGreen);
  view_.setColour(labels_.where, kClRed);
  s.whatTime = 10;
  showNumber(labels_.itime, 10);
  s.whereRun = 1;
  s.phase = 2;
  s.toWhere = 0;
}

void Player::switchToWhat() {
  PlayerState& s = state;
  if (s.toWhat != 1) return;
  view_.setColour(labels_.what, kClRed);
  view_.setColour(labels_.where, kClGreen);
  s.whereTime = 10;
  showNumber(labels_.ptime, 10);
  s.whatRun = 1;
  s.phase = 1;
  s.toWhat = 0;
}

void Player::tickWhatCountdown() { tickCountdown(state.whatTime, state.whatRun, labels_.itime); }
void Player::tickWhereCountdown() { tickCountdown(state.whereTime, state.whereRun, labels_.ptime); }

void Player::tickCountdown(int& value, int& run, Label label) {
  if (flags_.inputOpen != 1 || run != 1 || flags_.roundActive != 1) return;
  if (value == 1) {
    value = 0;
    showNumber(label, 0);
    run = 0;
    host_.lose(*this);
  } else if (value >= 2 && value <= 10) {
    value -= 1;
    showNumber(label, value);
  }
}

void Player::showMarker(int col) {
  const Picture picture = markerPicture(state.supplyFront[col]);
  if (picture != Picture::Unchanged) view_.showMarker(index_, col, picture);
}

// ---- resolution tasks -------------------------------------------------------------

void Player::scanColumns() {
  if (flags_.roundActive != 1) return;
  for (int c = 1; c <= kColumns; ++c) {
    if (auto run = findColumnRun(state.board, c)) clearRun(*run);
  }
}

void Player::scanRows() {
  if (flags_.roundActive != 1) return;
  for (int r = 1; r <= kPlayRows; ++r) {
    if (auto run = findRowRun(state.board, r)) clearRun(*run);
  }
}

void Player::clearRun(const Run& run) {
  PlayerState& s = state;
  s.points += runScore(run.length, run.code);
  flags_.inputOpen = 0;
  host_.playScoreVoice(*this);
  for (int k = run.start; k < run.start + run.length; ++k) {
    if (run.direction == Run::Vertical) s.board(run.line, k) = kEmpty;
    else s.board(k, run.line) = kEmpty;
  }
  if (run.direction == Run::Vertical) {
    s.nextRow[run.line] = run.start;
  } else {
    for (int k = run.start; k < run.start + run.length; ++k) s.nextRow[k] = run.line;
  }
  showNumber(labels_.score, s.points);
  host_.runSent(*this, run);
  redrawBoard();
  host_.runCleared(*this);
}

// Rows are visited bottom up and the column height follows every moved item,
// so one tick packs a whole column.
void Player::fall() {
  if (flags_.roundActive != 1) return;
  PlayerState& s = state;
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kPlayRows; ++r) {
      const int v = s.board(c, r);
      if (v == kEmpty) continue;
      const int target = s.nextRow[c];
      if (target >= r) continue;
      flags_.inputOpen = 0;
      s.board(c, target) = v;
      s.board(c, r) = kEmpty;
      s.nextRow[c] = target + 1;
      redrawBoard();
      flags_.inputOpen = 1;
    }
  }
}

// The visiting order decides how fast a chain converts: a mirror copies a
// neighbour that was converted earlier in the same tick.
void Player::copyMirrors() {
  if (flags_.roundActive != 1) return;
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kPlayRows; ++r) {
      const int code = state.board(c, r);
      if (code < kMirrorUp || code > kMirrorLeft) continue;  // most cells: no mirror
      const MirrorStep step = mirrorStep(state.board, c, r);
      if (step.kind == MirrorStep::Wait) {
        flags_.inputOpen = 0;
      } else if (step.kind == MirrorStep::Copy) {
        flags_.inputOpen = 0;
        state.board(c, r) = step.code;
        redrawBoard();
        flags_.inputOpen = 1;
      }
    }
  }
}

void Player::lowerNextRows() {
  if (flags_.roundActive != 1) return;
  PlayerState& s = state;
  for (int c = 1; c <= kColumns; ++c) {
    for (int r = 1; r <= kPlayRows; ++r) {
      if (s.board(c, r) == kEmpty && s.nextRow[c] > r) s.nextRow[c] = r;
    }
  }
}

}  // namespace glamora
