// Everything a session's rules keep, taken at one moment as plain data and
// put back on another session made for the same script: the clock and the
// rules' tasks, the editor's values, both screens' engines, their computer
// players and switches, what both screens show, and the rounds. Put back on
// a new session, the session goes on exactly as the one it was taken from.
// What only a recorder uses (the script's last `screen` and editor boxes) is
// taken too, so that a recorder set later writes the same lines.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "session.h"

namespace glamora {

struct SessionSnapshot {
  std::int64_t now = 0;
  std::vector<std::int64_t> battleDue, trainingDue;  // the rules' tasks, in tie order
  EditorValues editor;
  ScreenViewModel battleView, trainingView;
  BattleState battle;
  std::array<PlayerState, 2> battlePlayers{};
  TrainingState training;
  PlayerState trainingPlayer;
  // Per screen (battle, training): its computer players, its own count of
  // rounds, its seed and its music and voice switches.
  struct Screen {
    std::array<std::optional<ComputerPlayer>, 2> computers;
    int roundsStarted = 0;
    std::uint64_t computerSeed = 1;
    bool bgmOff = false, seOff = false;
  };
  std::array<Screen, 2> screens;
  int roundsStarted = 0;
  RoundRecord current;
  Mode recordedMode = Mode::Battle;
  std::vector<std::string> recordedEditor;

  void take(const Session& session);
  // `session` must be new, on a clock that has not moved: its tasks are set
  // to the due times taken.
  void restore(Session& session) const;

 private:
  static void takeScreen(const RoundScreen& screen, Screen& into);
  static void restoreScreen(const Screen& from, RoundScreen& screen);
};

}  // namespace glamora
