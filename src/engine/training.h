// The one-player training screen's engine: player 1's rules on a board of its
// own, with a score target (NORM), mirrors falling on every column when the
// TIME countdown runs out, stage unlocking and the character choice; the rest
// of a round is RoundScreen's.
#pragma once

#include <array>
#include <string>

#include "media_files.h"
#include "player.h"
#include "round_screen.h"
#include "scheduler.h"
#include "screen_rules.h"
#include "stages.h"

namespace glamora {

struct TrainingState : RoundState {  // flags: trainRoundActive, trainInputOpen; stageNo: trainStageNo
  int norm = 0;                      // trainNorm
  int mirrorPeriod = 0;
  int mirrorCountdown = 0;
  bool won = false;      // trainWon: the norm is reached
  bool cleared = false;  // the round last ended reached its norm
  int losses = 0;        // trainLosses (wins are the player's)
  Character character = Character::Elna;
  std::array<bool, kOriginalStage> enabled{true,  false, false, false, false, false, false, false,
                                           false, false, false, false, false, false, true};
  bool operator==(const TrainingState&) const = default;
};

// The stage the training suggests between rounds, and whether the round
// before it was cleared.
struct NextStage {
  int stage = 1;
  bool afterClear = false;
  bool operator==(const NextStage&) const = default;
};

class Training final : public RoundScreen {
 public:
  Training(Effects& effects, ScreenView& view, const EditorValues& editor);

  // The screen's timers and the computer player's task, Timer36.
  void registerTasks(Scheduler& scheduler);

  // The one seat's computer player, if the computer plays it.
  const ComputerPlayer* computer() const { return RoundScreen::computer(0); }

  // Stage item n (1..15); a disabled item does nothing and returns false.
  bool chooseStage(int n);
  // Re-points and reopens the two training voices, then shows the character.
  void chooseCharacter(Character character);
  // After a cleared stage the one after it (the original stage after the last
  // built-in one, and itself after the original); after a lost or abandoned
  // round the same stage again; before any round the first.
  NextStage nextStage() const;
  // Progress kept from an earlier run, or its erasure: stage items 1..n
  // (1..14) are enabled, those above n up to 14 disabled.
  void unlock(int n);

  // Where the voices are read from; set by the program (glamora-sim opens no real file).
  FileLocator dataFiles = filesInDirectory({});

  TrainingState state;
  Player& player() { return player_; }
  const Player& player() const { return player_; }
  std::string stageCaption() const { return glamora::stageCaption(state.stageNo); }

 private:
  void checkNorm();
  void tickMirrorCountdown();
  void dropMirrors();

  RoundState& roundState() override { return state; }
  int seatCount() const override { return 1; }
  Player& seat(int) override { return player_; }
  void loadStageValues(int n) override;
  void roundStarting() override;
  void roundOverCheck() override;
  int mirrorCountdownShown() override { return state.mirrorCountdown; }

  void playScoreVoice(Player&) override { sound.voice(Media::P1sw); }
  void runSent(Player&, const Run&) override {}
  // With no opponent to wait for, the keys reopen as soon as a run is cleared.
  void runCleared(Player&) override { state.flags.inputOpen = true; }

  Player player_;
};

}  // namespace glamora
