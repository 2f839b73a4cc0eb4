// The one-player training screen's engine: player 1's rules on a board of its
// own, with a score target (NORM), mirrors falling on every column when the
// TIME countdown runs out, stage unlocking and the character choice.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "computer_player.h"
#include "editor_values.h"
#include "effects.h"
#include "stages.h"
#include "game_sound.h"
#include "media_files.h"
#include "player.h"
#include "scheduler.h"
#include "screen_rules.h"

namespace glamora {

struct TrainingState {
  RoundFlags flags;            // trainRoundActive, trainInputOpen
  int stageNo = 0;             // trainStageNo
  int checkedStage = 0;
  int norm = 0;                // trainNorm
  int mirrorPeriod = 0;
  int mirrorCountdown = 0;
  int won = 0;                 // trainWon
  int losses = 0;              // trainLosses (wins are the player's)
  int pauseShown = 1;
  Character character = Character::Elna;
  std::array<bool, kOriginalStage> enabled{true, false, false, false, false, false, false,
                               false, false, false, false, false, false, false, true};
  bool operator==(const TrainingState&) const = default;
};

class Training final : private PlayerHost {
 public:
  Training(Effects& effects, ScreenView& view, const EditorValues& editor);

  // The screen's timers and the computer player's task, Timer36.
  void registerTasks(Scheduler& scheduler);

  // A person (no level) or the computer plays; as Battle::setComputer.
  void setComputer(std::optional<ComputerLevel> level, std::uint64_t seed);
  const ComputerPlayer* computer() const { return computer_ ? &*computer_ : nullptr; }
  void computerPress(Key key);
  std::function<void(Key key)> onComputerKey;
  std::uint64_t computerSeed = 1;  // the game's seed, taken at start-up

  // Stage item n (1..15); a disabled item does nothing and returns false.
  bool chooseStage(int n);
  void keyPress(char32_t character);
  void setMusic(bool on);
  void setVoices(bool on);
  // Re-points and reopens the two training voices, then shows the character.
  void chooseCharacter(Character character);
  // Progress kept from an earlier run, or its erasure: stage items 1..n
  // (1..14) are enabled, those above n up to 14 disabled.
  void unlock(int n);
  void leaveToTitle();
  void screenClosed();

  // Where the voices are read from; set by the program (glamora-sim opens no real file).
  FileLocator dataFiles = filesInDirectory({});

  TrainingState state;
  // Rounds started so far: a stage choice that fails on the editor's boxes starts none.
  int roundsStarted() const { return roundsStarted_; }
  GameSound sound;
  Player& player() { return player_; }
  const Player& player() const { return player_; }
  std::string stageCaption() const { return glamora::stageCaption(state.stageNo); }

 private:
  void startRound();
  void checkNorm();
  void tickMirrorCountdown();
  void dropMirrors();
  void roundOverCheck();
  void computerTurn();

  void lose(Player& player) override;
  void playScoreVoice(Player&) override { sound.voice(Media::P1sw); }
  void runSent(Player&, const Run&) override {}
  // With no opponent to wait for, the keys reopen as soon as a run is cleared.
  void runCleared(Player&) override { state.flags.inputOpen = 1; }

  Effects& effects_;
  ScreenView& view_;
  const EditorValues& editor_;
  Player player_;
  int roundsStarted_ = 0;
  std::optional<ComputerPlayer> computer_;
};

}  // namespace glamora
