#include "soak_checks.h"

#include <algorithm>
#include <type_traits>

#include "engine/stages.h"

namespace glamora::soak {

namespace {

int itemCount(const Board& board) {
  return static_cast<int>(std::count_if(board.cells.begin(), board.cells.end(),
                                        [](Code v) { return v != Code::Empty; }));
}

template <typename T>
bool inRange(T v, std::type_identity_t<T> lo, std::type_identity_t<T> hi) {
  return v >= lo && v <= hi;
}

template <typename Cells, typename T>
bool allIn(const Cells& cells, T lo, T hi) {
  return std::all_of(cells.begin(), cells.end(), [&](T v) { return inRange(v, lo, hi); });
}

Supply reversed(const Supply& s) {
  Supply out;
  for (int c = 1; c <= kColumns; ++c) {
    for (int slot = 1; slot <= kSlots; ++slot) out(c, slot) = s(c, kSlots + 1 - slot);
  }
  return out;
}

int index(Mode mode) { return mode == Mode::Battle ? 0 : 1; }

// The dialog a player's win (battle) or the training's win and loss open.
constexpr Dialog kWinDialog[2] = {Dialog::PlayerOneWins, Dialog::PlayerTwoWins};

}  // namespace

void BoardWatch::viewChanged(const ViewChange& change) {
  if (change.kind != ViewChange::Kind::Board) return;
  const int player = change.player;
  const Board& board = view->model().players[player].board;
  const int before = itemCount(last_[player]);
  const int now = itemCount(board);
  const int lost = before - now;
  if (failures && now != 0 && lost >= 1 && lost <= 3) {
    failures->push_back(screen + " player " + std::to_string(player + 1) + ": " + std::to_string(lost) +
                        " item(s) vanished in one step (" + std::to_string(before) + " -> " + std::to_string(now) +
                        " items)");
  }
  last_[player] = board;
}

InvariantChecker::InvariantChecker(Session& session, CountingEffects& effects) : session_(session), effects_(effects) {
  tracks_[0].last = snapshot(Mode::Battle);
  tracks_[1].last = snapshot(Mode::Training);
}

ScreenSnapshot InvariantChecker::snapshot(Mode mode) const {
  ScreenSnapshot s;
  if (mode == Mode::Battle) {
    s.flags = session_.battle.state.flags;
    s.stageNo = session_.battle.state.stageNo;
    s.players = {session_.battle.player(0).state, session_.battle.player(1).state};
    s.players_count = 2;
  } else {
    s.flags = session_.training.state.flags;
    s.stageNo = session_.training.state.stageNo;
    s.players[0] = session_.training.player().state;
    s.training = session_.training.state;
  }
  return s;
}

void InvariantChecker::fail(Mode mode, const std::string& what) {
  failures_.push_back(std::string(modeName(mode)) + " t=" + std::to_string(session_.clock.now()) + ": " + what);
}

void InvariantChecker::stageChosen(Mode mode, int n, bool accepted, bool errorShown) {
  Track& track = tracks_[index(mode)];
  if (!accepted) return;
  if (errorShown) {
    // The boxes converted before the bad one are in the supply now, also
    // in a round that goes on.
    track.supplyTampered = true;
    check();
    return;
  }
  checkRoundStart(mode, n);
  check();
}

void InvariantChecker::checkRoundStart(Mode mode, int n) {
  Track& track = tracks_[index(mode)];
  const ScreenSnapshot now = snapshot(mode);
  ++rounds_;
  track.started = true;
  track.supplyTampered = false;
  if (!now.flags.roundActive || !now.flags.inputOpen) fail(mode, "a stage item did not start a round");
  if (now.stageNo != n) fail(mode, "stageNo is not the stage chosen");
  for (int p = 0; p < now.players_count; ++p) {
    const PlayerState& s = now.players[p];
    const PlayerState& before = track.last.players[p];
    track.stageSupply[p] = s.stageSupply;
    const std::string who = "player " + std::to_string(p + 1) + ": ";
    if (!(s.stageSupply == s.supply)) fail(mode, who + "the stage copy is not the supply at the round start");
    if (n != kOriginalStage && !(s.supply == stageTable(n))) fail(mode, who + "supply is not the stage table");
    if (itemCount(s.board) != 0) fail(mode, who + "board not empty at the round start");
    for (int c = 1; c <= kColumns; ++c) {
      if (s.nextRow[c] != 1 || s.supplyPos[c] != 1 || s.mirrorsDue[c] != 0) fail(mode, who + "column not reset");
    }
    if (s.phase != Phase::What || s.held != Code::Empty || s.whatTime != 10 || s.whereTime != 10 || !s.whatRun ||
        s.whereRun || s.toWhat || s.toWhere || s.points != 0 || s.refillReversed || s.arrowCol != 3 ||
        s.carryCol != 3) {
      fail(mode, who + "turn not reset at the round start");
    }
    if (s.wins != before.wins) fail(mode, who + "wins changed by a stage item");
  }
  if (mode == Mode::Training) {
    const TrainingState& t = now.training;
    if (n != kOriginalStage && (t.norm != trainingNorm(n) || t.mirrorPeriod != trainingMirrorPeriod(n))) {
      fail(mode, "NORM or mirror period is not the stage's");
    }
    if (n == kOriginalStage && (t.norm != session_.editor.norm() || t.mirrorPeriod != session_.editor.mirrorTime())) {
      fail(mode, "NORM or mirror period is not the editor's");
    }
    if (t.mirrorCountdown != t.mirrorPeriod) fail(mode, "TIME does not start at the mirror period");
    track.periodMin = track.periodMax = t.mirrorPeriod;
  }
}

void InvariantChecker::left(Mode mode) {
  const RoundFlags& flags = mode == Mode::Battle ? session_.battle.state.flags : session_.training.state.flags;
  if (flags.roundActive || flags.inputOpen) fail(mode, "leaving the screen left a round running");
  check();
}

void InvariantChecker::check() {
  checkScreen(Mode::Battle);
  checkScreen(Mode::Training);
}

void InvariantChecker::checkScreen(Mode mode) {
  Track& track = tracks_[index(mode)];
  const ScreenSnapshot now = snapshot(mode);
  const ScreenSnapshot& before = track.last;
  const RoundFlags& f = now.flags;

  if (!inRange(f.roundActive, 0, 1) || !inRange(f.inputOpen, 0, 1)) fail(mode, "round flags not 0/1");
  if (!inRange(now.stageNo, 0, kOriginalStage)) fail(mode, "stageNo out of 0..15");
  const int checked = mode == Mode::Battle ? session_.battle.state.checkedStage : now.training.checkedStage;
  if (checked != now.stageNo) fail(mode, "the checked stage item is not the stage in play");
  const int pause = mode == Mode::Battle ? session_.battle.state.pauseShown : now.training.pauseShown;
  if (!inRange(pause, 0, 1)) fail(mode, "PAUSE sign state not 0/1");

  // Result dialogs: at most one per step, only when a running round ends.
  std::array<int, 4> dialogs = effects_.dialogs;
  int ended = 0;
  const Dialog mine[2] = {mode == Mode::Battle ? Dialog::PlayerOneWins : Dialog::TrainingWon,
                          mode == Mode::Battle ? Dialog::PlayerTwoWins : Dialog::TrainingLost};
  for (Dialog d : mine) ended += dialogs[static_cast<int>(d)] - track.dialogs[static_cast<int>(d)];
  if (ended > 1) fail(mode, "more than one result dialog in one step");
  if (ended == 1 && (!before.flags.roundActive || f.roundActive)) {
    fail(mode, "a result dialog without a running round ending");
  }

  for (int p = 0; p < now.players_count; ++p) {
    checkPlayer(mode, p, now.players[p], before.players[p], f.roundActive);
  }
  if (mode == Mode::Battle) {
    for (int p = 0; p < 2; ++p) {
      if (now.players[p].wins != dialogs[static_cast<int>(kWinDialog[p])]) {
        fail(mode, "player " + std::to_string(p + 1) + "'s wins are not the rounds it was shown to win");
      }
    }
  } else {
    if (now.players[0].wins != dialogs[static_cast<int>(Dialog::TrainingWon)] ||
        now.training.losses != dialogs[static_cast<int>(Dialog::TrainingLost)]) {
      fail(mode, "WIN/LOSE counts are not the won/lost dialogs shown");
    }
  }
  if (mode == Mode::Training) {
    const int won =
        dialogs[static_cast<int>(Dialog::TrainingWon)] - track.dialogs[static_cast<int>(Dialog::TrainingWon)];
    checkTraining(track, now.training, before.training, won);
  }
  track.dialogs = dialogs;
  track.last = now;
}

void InvariantChecker::checkPlayer(Mode mode, int p, const PlayerState& s, const PlayerState& before, bool active) {
  Track& track = tracks_[index(mode)];
  const std::string who = "player " + std::to_string(p + 1) + ": ";
  auto expect = [&](bool ok, const char* what) {
    if (!ok) fail(mode, who + what);
  };

  expect(allIn(s.board.cells, Code::Empty, Code::MirrorLeft), "board code out of 0..9");
  expect(inRange(s.held, Code::Empty, Code::MirrorLeft), "carried code out of 0..9");
  expect(s.wins >= before.wins, "wins decreased");
  expect(s.points >= 0 && s.points % 10 == 0, "score negative or not a multiple of 10");
  expect(inRange(s.arrowCol, 1, kColumns) && inRange(s.carryCol, 1, kColumns), "cursor off the six columns");
  for (int c = 1; c <= kColumns; ++c) {
    expect(s.mirrorsDue[c] >= 0, "mirrors due below 0");
    if (mode == Mode::Training) expect(s.mirrorsDue[c] == 0, "mirrors due in training");
  }
  bool outZone = false;
  for (int c = 1; c <= kColumns; ++c) outZone = outZone || s.board(c, kOutZoneRow) != Code::Empty;
  expect(!(outZone && active), "an item in the OUT ZONE row while the round runs");

  if (!track.started) {
    // Before the first stage every number is 0 (the supply may hold what a
    // failed original stage converted).
    expect(itemCount(s.board) == 0 && allIn(s.nextRow.v, 0, 0) && allIn(s.supplyPos.v, 0, 0) &&
               allIn(s.supplyFront.v, Code::Empty, Code::Empty) && allIn(s.mirrorsDue.v, 0, 0) &&
               s.phase == Phase::Switching && s.held == Code::Empty && s.points == 0 && s.wins == 0 && !s.whatRun &&
               !s.whereRun,
           "state not 0 before the first stage");
    return;
  }

  // Column heights: 1..10 while the round runs; 11 only after a drop into the
  // OUT ZONE row has ended it.
  expect(allIn(s.nextRow.v, 1, active ? kOutZoneRow : kOutZoneRow + 1), "next row out of range");
  // The next item of a column goes into an empty cell.
  for (int c = 1; c <= kColumns; ++c) {
    const int row = s.nextRow[c];
    if (active && row <= kPlayRows && s.board(c, row) != Code::Empty) {
      fail(mode, who + "column " + std::to_string(c) + "'s next row " + std::to_string(row) + " is taken");
    }
  }
  expect(allIn(s.supplyPos.v, 1, 9), "supply position out of 1..9");
  expect(allIn(s.supplyFront.v, Code::Empty, Code::UsedUp), "offer out of 0..10");
  expect(allIn(s.supply.cells, Code::Empty, Code::MirrorLeft), "supply code out of 0..9");
  expect(s.stageSupply == track.stageSupply[p], "the stage copy changed during the round");
  if (!track.supplyTampered) {
    expect(s.supply == (s.refillReversed ? reversed(s.stageSupply) : s.stageSupply),
           "supply is neither the stage order nor its reverse as the parity says");
  }

  // The turn: phase 0 exactly while one switch is pending.
  expect(!(s.toWhere && s.toWhat), "two switches pending");
  expect(inRange(static_cast<int>(s.phase), 0, 2), "phase out of 0..2");
  expect((s.phase == Phase::Switching) == (s.toWhere != s.toWhat), "phase 0 without a pending switch, or the reverse");
  expect(!((s.phase == Phase::What || s.toWhat) && s.held != Code::Empty), "an item carried outside WHERE ?");
  expect(!(s.whatRun && s.phase != Phase::What) && !(s.whereRun && s.phase != Phase::Where),
         "a countdown runs in another phase");
  if (active) {
    expect(!(s.phase == Phase::What && !s.whatRun) && !(s.phase == Phase::Where && !s.whereRun),
           "a phase without its countdown");
  }
  expect(inRange(s.whatTime, active ? 1 : 0, 10) && inRange(s.whereTime, active ? 1 : 0, 10),
         "countdown out of its range");
  expect(!((s.phase == Phase::Where || s.toWhat) && s.whatTime != 10), "WHAT ? countdown not 10 outside its phase");
  expect(!((s.phase == Phase::What || s.toWhere) && s.whereTime != 10), "WHERE ? countdown not 10 outside its phase");
  expect(!(s.points < before.points && s.points != 0), "score fell during a round");
}

void InvariantChecker::checkTraining(Track& track, const TrainingState& t, const TrainingState& before, int won) {
  const Mode mode = Mode::Training;
  if (!t.enabled[0] || !t.enabled[kOriginalStage - 1]) fail(mode, "stage 1 or the original stage disabled");
  // Stage items are only ever enabled, each by winning the stage before it.
  for (int k = 1; k < kBuiltInStages; ++k) {
    if (before.enabled[k] && !t.enabled[k]) fail(mode, "a stage item was disabled again");
    if (!before.enabled[k] && t.enabled[k] && (won != 1 || t.stageNo != k)) {
      fail(mode, "stage " + std::to_string(k + 1) + " enabled without winning stage " + std::to_string(k));
    }
  }
  if (t.won) fail(mode, "a win left pending after the step");
  if (!track.started) {
    if (t.mirrorCountdown != 0) fail(mode, "TIME not 0 before the first stage");
    return;
  }
  track.periodMin = std::min(track.periodMin, t.mirrorPeriod);
  track.periodMax = std::max(track.periodMax, t.mirrorPeriod);
  // TIME counts down from the period and starts over at it.
  if (t.mirrorCountdown > track.periodMax) fail(mode, "TIME above every mirror period of the round");
  if (t.flags.roundActive && track.periodMin >= 1 && t.mirrorCountdown < 1) fail(mode, "TIME below 1");
}

}  // namespace glamora::soak
