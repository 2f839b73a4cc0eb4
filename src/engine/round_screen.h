// What the battle and the training screen's engines do alike: a stage choice,
// a round's start and end, the seats a computer may take, the sound switches,
// the "PAUSE" signs and leaving the screen. What is a screen's own it gives
// through the hooks at the end, as a player's screen does through PlayerHost.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "computer_player.h"
#include "editor_values.h"
#include "effects.h"
#include "game_sound.h"
#include "player.h"

namespace glamora {

// What every game screen keeps of its rounds.
struct RoundState {
  RoundFlags flags;
  int stageNo = 0;         // stage last chosen, 0 before any
  int checkedStage = 0;    // the stage item carrying the check mark, 0 for none
  bool pauseShown = true;  // the "PAUSE" signs show "PAUSE" until the first round
  bool operator==(const RoundState&) const = default;
};

// Player 1's keys are A/S/D in either case, player 2's the characters 4/5/6.
Key playerOneKey(char32_t character);
Key playerTwoKey(char32_t character);

class RoundScreen : protected PlayerHost {
 public:
  RoundScreen(const RoundScreen&) = delete;
  RoundScreen& operator=(const RoundScreen&) = delete;

  // One character-key event: each seat a person plays takes its own keys
  // (seat 0 A/S/D, seat 1 4/5/6).
  void keyPress(char32_t character);
  void setMusic(bool on);   // "BGM" ON / OFF
  void setVoices(bool on);  // "効果音" ON / OFF
  void leaveToTitle();      // "タイトルへ移動(&R)", before the screen closes
  void screenClosed();      // whenever the screen closes

  // Who plays seat p: a person (no level) or the computer at `level`, its
  // random choices seeded by `seed`. A person's keys for a computer-played
  // seat are ignored.
  void setComputer(int p, std::optional<ComputerLevel> level, std::uint64_t seed);
  const ComputerPlayer* computer(int p) const { return computers_[p] ? &*computers_[p] : nullptr; }
  // The game's seed for its computer players, taken at start-up; seat p
  // plays with computerSeed + p.
  std::uint64_t computerSeed = 1;
  // Told of every key a computer player presses, before it acts.
  std::function<void(int p, Key key)> onComputerKey;

  // Rounds started so far: a stage choice that fails on the editor's boxes starts none.
  int roundsStarted() const { return roundsStarted_; }
  GameSound sound;

 protected:
  RoundScreen(Effects& effects, ScreenView& view, const EditorValues& editor, std::span<const PauseSign> pauseSigns);
  ~RoundScreen() override = default;

  // Stage item n: every seat's supply from the stage (the editor's grid for
  // the original stage), then the round starts. Failing on the editor's
  // boxes shows the error box and starts nothing.
  void startStage(int n);
  // The round ends: the music stops, `voice` plays, `tally` counts one more
  // (shown under `tallyLabel`), the keys close and `dialog` opens.
  void endRound(Media voice, int& tally, Label tallyLabel, Dialog dialog);
  // A computer player's task: at most one key for seat p.
  void computerTurn(int p);
  // The "PAUSE" signs' task: while a round is active they show "PAUSE" when
  // input is closed and are empty when it is open.
  void updatePauseSigns();

  // PlayerHost: a loss marks the player and asks whether the round is over.
  void lose(Player& player) override;

  // ---- what each screen gives -------------------------------------------------
  // Its state, which holds a RoundState; being a member of the screen it is
  // built after this base, hence a hook rather than a reference.
  virtual RoundState& roundState() = 0;
  virtual int seatCount() const = 0;
  virtual Player& seat(int p) = 0;
  // The stage's values besides the supplies; may fail on the editor's boxes.
  virtual void loadStageValues(int /*n*/) {}
  // Shows what the screen adds at a round's start, after the players start over.
  virtual void roundStarting() {}
  // Ends the round if a player has won or lost.
  virtual void roundOverCheck() = 0;
  // The TIME to the next mirror fall as a computer player sees it; 0 when none.
  virtual int mirrorCountdownShown() { return 0; }

  Effects& effects_;
  ScreenView& view_;
  const EditorValues& editor_;

 private:
  friend struct SessionSnapshot;

  void startRound();

  std::span<const PauseSign> pauseSigns_;
  int roundsStarted_ = 0;
  std::array<std::optional<ComputerPlayer>, 2> computers_;
};

}  // namespace glamora
