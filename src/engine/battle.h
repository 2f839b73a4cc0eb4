// The two-player battle screen's engine: two players, deliveries of attack
// mirrors and the round's outcome; the rest of a round is RoundScreen's.
#pragma once

#include <string>

#include "player.h"
#include "round_screen.h"
#include "scheduler.h"
#include "screen_rules.h"

namespace glamora {

// The battle keeps nothing of its own beyond a round's state.
using BattleState = RoundState;

class Battle final : public RoundScreen {
 public:
  Battle(Effects& effects, ScreenView& view, const EditorValues& editor);

  // The screen's 37 timers and the two computer players' tasks (Timer38 for
  // player 1, Timer39 for player 2), registered from the moment the screen
  // exists; a computer task does nothing while a person plays its side.
  void registerTasks(Scheduler& scheduler);

  void chooseStage(int n) { startStage(n); }  // stage items 1..14, 15 the original stage

  BattleState state;
  Player& player(int i) { return i == 0 ? playerA_ : playerB_; }
  const Player& player(int i) const { return i == 0 ? playerA_ : playerB_; }
  std::string stageCaption() const { return glamora::stageCaption(state.stageNo); }

 private:
  void deliver(Player& victim, int col);
  void deliverAll(Player& victim);
  void settleCheck();

  RoundState& roundState() override { return state; }
  int seatCount() const override { return 2; }
  Player& seat(int p) override { return player(p); }
  void roundOverCheck() override;

  void playScoreVoice(Player& player) override;
  void runSent(Player& player, const Run& run) override;
  void runCleared(Player&) override {}

  Player playerA_;
  Player playerB_;
};

}  // namespace glamora
