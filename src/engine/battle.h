// The two-player battle screen's engine: two players, the round, deliveries of
// attack mirrors, the "PAUSE" signs, the stage menu and the sound switches.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "computer_player.h"
#include "editor_values.h"
#include "effects.h"
#include "game_sound.h"
#include "player.h"
#include "scheduler.h"
#include "screen_rules.h"

namespace glamora {

struct BattleState {
  RoundFlags flags;
  int stageNo = 0;       // stage last chosen, 0 before any
  int checkedStage = 0;  // the stage item carrying the check mark, 0 for none
  int pauseShown = 1;    // the "PAUSE" signs show "PAUSE" until the first round
  bool operator==(const BattleState&) const = default;
};

class Battle final : private PlayerHost {
 public:
  Battle(Effects& effects, ScreenView& view, const EditorValues& editor);

  // The screen's 37 timers and the two computer players' tasks (Timer38 for
  // player 1, Timer39 for player 2), registered from the moment the screen
  // exists; a computer task does nothing while a person plays its side.
  void registerTasks(Scheduler& scheduler);

  // Who plays side p (0, 1): a person (no level) or the computer at `level`,
  // its random choices seeded by `seed`. A person's keys for a
  // computer-played side are ignored.
  void setComputer(int p, std::optional<ComputerLevel> level, std::uint64_t seed);
  const ComputerPlayer* computer(int p) const { return computers_[p] ? &*computers_[p] : nullptr; }
  // The computer player's own way to press side p's keys (kept apart from
  // keyPress, which carries only a person's keys).
  void computerPress(int p, Key key);
  // The game's seed for its computer players, taken at start-up; side p plays
  // with computerSeed + p.
  std::uint64_t computerSeed = 1;
  // Told of every key a computer player presses, before it acts.
  std::function<void(int p, Key key)> onComputerKey;

  // Menu commands and keys.
  void chooseStage(int n);          // stage items 1..14, 15 the original stage
  void keyPress(char32_t character);
  void setMusic(bool on);           // "BGM" ON / OFF
  void setVoices(bool on);          // "効果音" ON / OFF
  void leaveToTitle();              // "タイトルへ移動(&R)", before the screen closes
  void screenClosed();              // whenever the screen closes

  BattleState state;
  // Rounds started so far: a stage choice that fails on the editor's boxes starts none.
  int roundsStarted() const { return roundsStarted_; }
  Player& player(int i) { return i == 0 ? playerA_ : playerB_; }
  const Player& player(int i) const { return i == 0 ? playerA_ : playerB_; }
  GameSound sound;
  std::string stageCaption() const { return glamora::stageCaption(state.stageNo); }

 private:
  void startRound();
  void roundOverCheck();
  void deliver(Player& victim, int col);
  void deliverAll(Player& victim);
  void settleCheck();
  void computerTurn(int p);

  void lose(Player& player) override;
  void playScoreVoice(Player& player) override;
  void runSent(Player& player, const Run& run) override;
  void runCleared(Player&) override {}

  Effects& effects_;
  ScreenView& view_;
  const EditorValues& editor_;
  Player playerA_;
  Player playerB_;
  int roundsStarted_ = 0;
  std::array<std::optional<ComputerPlayer>, 2> computers_;
};

// Player 1's keys are A/S/D in either case, player 2's the characters 4/5/6.
Key playerOneKey(char32_t character);
Key playerTwoKey(char32_t character);

}  // namespace glamora
