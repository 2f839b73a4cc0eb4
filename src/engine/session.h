// One run of the game: the clock, the editor's values and both game screens'
// engines, created together at t = 0. Everything a person does reaches the
// engines through the inputs here, which a recorder can keep as a script that
// glamora-sim replays exactly.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "battle.h"
#include "computer_level.h"
#include "editor_values.h"
#include "effects.h"
#include "scheduler.h"
#include "training.h"
#include "view_relay.h"

namespace glamora {

enum class Mode { Battle, Training };
const char* modeName(Mode mode);  // "battle", "training"

// A round from its stage choice to its end: the result dialog, or "abandoned"
// when the screen was left or another stage chosen.
struct RoundRecord {
  int number = 0;  // 1, 2, ... in the order the rounds started
  Mode mode = Mode::Battle;
  int stage = 0;
  std::int64_t start = 0;
  std::int64_t end = 0;
  std::string result;  // "Mw1Form", ..., or "abandoned"
};

// Receives the inputs as script lines at their simulated time, and the rounds
// as they end.
class InputRecorder {
 public:
  virtual ~InputRecorder() = default;
  virtual void input(std::int64_t t, std::string_view line) = 0;
  virtual void roundEnded(const RoundRecord& round) = 0;
  // A note for people reading the script, as a `#` line.
  virtual void comment(std::string_view) {}
};

class Session final : private Effects {
 public:
  explicit Session(Effects& effects);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  SimClock clock;
  EditorValues editor;
  ViewRelay battleView;
  ViewRelay trainingView;
  Battle battle;
  Training training;

  void setRecorder(InputRecorder* recorder) { recorder_ = recorder; }
  // Hears what the recorder hears, whether or not one is set: the kept
  // settings follow the session through it.
  void setWatcher(InputRecorder* watcher) { watcher_ = watcher; }
  // Notes something that happened beside the inputs (a network battle played
  // on a session of its own) in the recorded script.
  void note(std::string_view text) {
    if (recorder_) recorder_->comment(text);
  }

  // Lets `ms` of simulated time pass, exactly as if every task due in
  // (now, now + ms] fired; the clock stops at SimClock::kLatestTime. Scripts and
  // replays take the clock through here, so a wait of days costs no more
  // than a few seconds of play once nothing changes any more.
  void wait(std::int64_t ms);

  // ---- inputs, each acting at the clock's current time ----
  // A stage item; false when the training item is disabled (nothing happens).
  bool stage(Mode mode, int n);
  // One character-key event; only a player's key characters are recorded.
  void key(Mode mode, char32_t character);
  void music(Mode mode, bool on);
  void voices(Mode mode, bool on);
  void character(Character character);
  // Training progress kept from an earlier run, or erased: stage items 1..n
  // enabled, n+1..14 disabled.
  void unlock(int n);
  // Who plays player `p` (0-based) of the screen: a person (no level) or the
  // computer at `level`, with its own random numbers seeded by `seed`.
  void computer(Mode mode, int p, std::optional<ComputerLevel> level, std::uint64_t seed);
  // "タイトルへ移動(&R)", the close box or "終了(&X)": the screen is left.
  void leave(Mode mode);
  // An editor box typed into (glamora-sim; the game's editor writes the
  // values itself and the changed boxes are recorded when it closes).
  void editorType(const EditorBox& box, const std::string& text);
  // An attempt to close the editor: records the boxes changed since the last
  // attempt, then runs the check. Returns the error box text, empty when the
  // check passes; `showError` also shows it through the effects.
  std::string editorClose(bool showError);

  // Rounds begun so far, and the one running (number 0 when none is).
  int roundsStarted() const { return roundsStarted_; }
  const RoundRecord& currentRound() const { return current_; }
  // Called with each round as it ends (besides the recorder).
  std::function<void(const RoundRecord&)> onRoundEnded;

 private:
  // Effects, passed on; a result dialog ends the round it belongs to.
  void openMedia(Media player, const std::string& path) override {
    ++effectsAsked_;
    effects_.openMedia(player, path);
  }
  void media(Media player, MediaOp op) override {
    ++effectsAsked_;
    effects_.media(player, op);
  }
  void openDialog(Dialog dialog) override;
  void showError(const Message& text) override {
    ++effectsAsked_;
    effects_.showError(text);
  }

  // The screen a mode's inputs act on.
  RoundScreen& screen(Mode mode) { return mode == Mode::Battle ? static_cast<RoundScreen&>(battle) : training; }

  struct TaskState;
  TaskState taskState() const;

  void record(Mode mode, std::string_view line);
  void tell(std::string_view line);
  void endRound(std::string result);

  Effects& effects_;
  InputRecorder* recorder_ = nullptr;
  InputRecorder* watcher_ = nullptr;
  Mode recordedMode_ = Mode::Battle;  // the script's current `screen`
  std::array<std::string, kColumns * kSlots + 2> recordedEditor_;
  int roundsStarted_ = 0;
  RoundRecord current_;
  std::uint64_t effectsAsked_ = 0;
};

}  // namespace glamora
