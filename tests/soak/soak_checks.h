// What must hold in every state a game can reach, checked by the soak after
// every input and every 100 ms tick of the simulated clock.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/effects.h"
#include "engine/session.h"

namespace glamora::soak {

// Counts what the engine asks for: result dialogs by kind and error boxes.
class CountingEffects final : public Effects {
 public:
  std::array<int, 4> dialogs{};  // by Dialog
  int errors = 0;
  void openMedia(Media, const std::string&) override {}
  void media(Media, MediaOp) override {}
  void openDialog(Dialog d) override { ++dialogs[static_cast<int>(d)]; }
  void showError(const Message&) override { ++errors; }
};

// Watches every redraw of one screen's boards: between two redraws a board
// gains at most one item (a drop or a delivered mirror), keeps its count (a
// fall, a mirror copy, a mirror put over row 9) or loses a whole run of four
// or more. Losing one to three items means an item vanished.
class BoardWatch final : public ViewWatcher {
 public:
  std::vector<std::string>* failures = nullptr;
  std::string screen;
  const ViewRelay* view = nullptr;

  void viewChanged(const ViewChange& change) override;

 private:
  std::array<Board, 2> last_{};
};

// The state of one screen as the checks compare it from step to step.
struct ScreenSnapshot {
  RoundFlags flags;
  int stageNo = 0;
  std::array<PlayerState, 2> players{};
  int players_count = 1;
  TrainingState training;  // training only
};

class InvariantChecker {
 public:
  InvariantChecker(Session& session, CountingEffects& effects);

  // Tell the checker about the inputs whose effect it cannot see in the state:
  // a stage item (accepted: the item was enabled; errorShown: an editor box
  // did not convert, so no round started) and leaving a screen.
  void stageChosen(Mode mode, int n, bool accepted, bool errorShown);
  void left(Mode mode);

  // Checks both screens; call after every input and every tick.
  void check();

  // Rounds started since the checker was made.
  int roundsStarted() const { return rounds_; }
  const std::vector<std::string>& failures() const { return failures_; }
  std::vector<std::string>& failureList() { return failures_; }

 private:
  struct Track {
    bool started = false;         // a round has started on this screen
    bool supplyTampered = false;  // a failed original stage wrote into the supply since
    std::array<Supply, 2> stageSupply{};
    int periodMin = 0, periodMax = 0;  // training: mirror periods seen since the round began
    ScreenSnapshot last;
    std::array<int, 4> dialogs{};
  };

  void checkScreen(Mode mode);
  void checkPlayer(Mode mode, int p, const PlayerState& s, const PlayerState& before, bool active);
  void checkTraining(Track& track, const TrainingState& now, const TrainingState& before, int won);
  void checkRoundStart(Mode mode, int n);
  ScreenSnapshot snapshot(Mode mode) const;
  void fail(Mode mode, const std::string& what);

  Session& session_;
  CountingEffects& effects_;
  std::array<Track, 2> tracks_;
  int rounds_ = 0;
  std::vector<std::string> failures_;
};

}  // namespace glamora::soak
