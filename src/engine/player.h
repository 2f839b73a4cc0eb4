// One player's board, supply and turn, with the rules that work on them.
// The battle has two players, training one; what differs between them goes
// through PlayerHost.
#pragma once

#include <concepts>
#include <type_traits>

#include "cells.h"
#include "effects.h"
#include "run_rules.h"

namespace glamora {

// The two flags of a game screen.
struct RoundFlags {
  bool roundActive = false;  // a round is being played
  bool inputOpen = false;    // no resolution step holds the keys
  bool operator==(const RoundFlags&) const = default;
};

// A turn's phases, numbered as the dumps show them.
enum class Phase : int {
  Switching = 0,  // a request to switch is pending
  What = 1,       // "WHAT ?": take from a supply column
  Where = 2,      // "WHERE ?": drop into a board column
};

// Each phase's countdown, in seconds.
inline constexpr int kCountdownSeconds = 10;

// A new member also belongs in visit() below.
struct PlayerState {
  Board board;
  PerColumn nextRow;            // row of the next item dropped into each column
  Supply supply;                // what each supply column hands out, slot 1 first
  Supply stageSupply;           // the stage's order, source of every refill
  PerColumn supplyPos;          // next slot offered (kSupplyUsedUp: none left)
  Offers supplyFront;           // the code offered now (Code::UsedUp: none left)
  bool refillReversed = false;  // the supply now hands out the stage's order backwards
  Phase phase = Phase::Switching;
  Code held = Code::Empty;
  int pickCol = 0, dropCol = 0, dropRow = 0;
  int whatTime = 0, whereTime = 0;
  bool whatRun = false, whereRun = false;  // the phases' countdowns are running
  bool toWhere = false, toWhat = false;    // a switch of phase is pending
  bool lost = false;
  int points = 0;
  int wins = 0;
  int arrowCol = kStartColumn;  // column under the arrow (yaji)
  int carryCol = kStartColumn;  // column under the carried item (aya)
  PerColumn mirrorsDue;         // mirrors still due onto this player's board
  bool operator==(const PlayerState&) const = default;
};

// Every member of a player's state once, as f("name", member), in the order
// the rules signature hashes them (reordering changes the signature). The
// signature, the network battle's tick hash and glamora-sim's dumps walk it.
template <typename State, typename Visitor>
requires std::same_as<std::remove_const_t<State>, PlayerState>
void visit(State& s, Visitor&& f) {
  f("board", s.board);
  f("nextRow", s.nextRow);
  f("supply", s.supply);
  f("stageSupply", s.stageSupply);
  f("supplyPos", s.supplyPos);
  f("supplyFront", s.supplyFront);
  f("refillReversed", s.refillReversed);
  f("phase", s.phase);
  f("held", s.held);
  f("pickCol", s.pickCol);
  f("dropCol", s.dropCol);
  f("dropRow", s.dropRow);
  f("whatTime", s.whatTime);
  f("whereTime", s.whereTime);
  f("whatRun", s.whatRun);
  f("whereRun", s.whereRun);
  f("toWhat", s.toWhat);
  f("toWhere", s.toWhere);
  f("lost", s.lost);
  f("points", s.points);
  f("wins", s.wins);
  f("arrowCol", s.arrowCol);
  f("carryCol", s.carryCol);
  f("mirrorsDue", s.mirrorsDue);
}

// Every whole number of a player's state, member by member in visit() order:
// a board's or a supply's cells, a per-column array's values, a flag as 0 or
// 1, a code or a phase as its number. The hashes take the state this way.
template <typename Number>
void forEachNumber(const PlayerState& s, Number&& f) {
  visit(s, [&](const char*, const auto& member) {
    if constexpr (requires { member.cells; }) {
      for (const auto v : member.cells) f(static_cast<int>(v));
    } else if constexpr (requires { member.v; }) {
      for (const auto v : member.v) f(static_cast<int>(v));
    } else {
      f(static_cast<int>(member));
    }
  });
}

enum class Key { None, Left, Select, Right };

// What a mirror falling onto a column does when row 9 already holds an item:
// wait until it has gone (a battle's delivery), or take its place (the
// training's timed fall).
enum class Row9Taken { Wait, Replace };

// Shows a whole number as a label's caption.
void showNumber(ScreenView& view, Label label, int value);

class Player;

// What the screen hosting a player decides: how a loss ends the round, which
// voice an award plays and what a cleared run does besides scoring.
class PlayerHost {
 public:
  virtual ~PlayerHost() = default;
  virtual void lose(Player& player) = 0;
  virtual void playScoreVoice(Player& player) = 0;
  virtual void runSent(Player& player, const Run& run) = 0;  // after the score is shown
  virtual void runCleared(Player& player) = 0;               // after the board is redrawn
};

struct PlayerLabels {
  Label what, where, itime, ptime, score, win;
};

class Player {
 public:
  Player(int index, RoundFlags& flags, PlayerHost& host, ScreenView& view, PlayerLabels labels)
      : index_(index), flags_(flags), host_(host), view_(view), labels_(labels) {}
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  PlayerState state;
  int index() const { return index_; }

  // The part of a round's start that is this player's: the supply as it stands
  // becomes the stage copy, board and turn start over.
  void resetForRound();

  // A key of this player (already mapped); ignored unless input is open.
  void press(Key key);

  // Turn tasks.
  void refillSupply();   // when all six columns are used up
  void refreshSupply();  // the offers, while input is open
  void switchToWhat();   // a pending switch back to "WHAT ?"
  void switchToWhere();  // a pending switch to "WHERE ?"
  void tickWhatCountdown();
  void tickWhereCountdown();
  void showMarker(int col);  // supply marker of one column

  // Resolution tasks; each does nothing unless a round is active.
  void scanColumns();
  void scanRows();
  void fall();
  void copyMirrors();
  void lowerNextRows();
  // A mirror facing down falls onto column `col`: into row 9 while the column
  // has room there, else into the OUT ZONE row, which loses the round while
  // one is active. True when it landed in row 9.
  bool dropMirror(int col, Row9Taken taken);

  // Screen updates.
  void redrawBoard();
  void showNumber(Label label, int value) { glamora::showNumber(view_, label, value); }

 private:
  void takeSupply();
  void dropHeld();
  void showHeld();
  void tickCountdown(int& value, bool& run, Label label);
  struct ShownSteps;
  bool inputAllowed() const { return flags_.inputOpen && flags_.roundActive; }

  int index_;
  RoundFlags& flags_;
  PlayerHost& host_;
  ScreenView& view_;
  PlayerLabels labels_;
};

}  // namespace glamora
