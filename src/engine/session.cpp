#include "session.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "errors.h"
#include "stages.h"

namespace glamora {

namespace {

bool isPlayerKey(char32_t ch) { return playerOneKey(ch) != Key::None || playerTwoKey(ch) != Key::None; }

std::string utf8(char32_t ch) {
  std::string out;
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (ch >> 18));
    out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
  return out;
}

}  // namespace

const char* modeName(Mode mode) { return mode == Mode::Battle ? "battle" : "training"; }

Session::Session(Effects& effects)
    : battle(*this, battleView, editor), training(*this, trainingView, editor), effects_(effects) {
  battle.registerTasks(clock);
  training.registerTasks(clock);
  const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
  for (std::size_t i = 0; i < boxes.size(); ++i) recordedEditor_[i] = editor.text(boxes[i]);
}

// Everything the periodic tasks of both screens read and write. Two equal
// TaskStates, at times a common period apart, go on to fire the same tasks
// with the same results.
struct Session::TaskState {
  BattleState battle;
  PlayerState battlePlayers[2];
  std::optional<ComputerPlayer> battleComputers[2];
  TrainingState training;
  PlayerState trainingPlayer;
  std::optional<ComputerPlayer> trainingComputer;
  bool operator==(const TaskState&) const = default;
};

Session::TaskState Session::taskState() const {
  const auto copy = [](const ComputerPlayer* c) { return c ? std::optional<ComputerPlayer>(*c) : std::nullopt; };
  return {battle.state,
          {battle.player(0).state, battle.player(1).state},
          {copy(battle.computer(0)), copy(battle.computer(1))},
          training.state,
          training.player().state,
          copy(training.computer())};
}

void Session::wait(std::int64_t ms) {
  const std::int64_t end = clock.now() + std::clamp<std::int64_t>(ms, 0, SimClock::kLatestTime - clock.now());
  const std::int64_t period = clock.commonPeriod();
  // Between rounds the tasks soon settle into doing nothing. One common
  // period is played for real; when it asked for no effect and left every
  // task's state as it found it, every later period would do the same, and
  // the clock moves over the whole periods that remain at once.
  while (end - clock.now() >= 2 * period) {
    if (battle.state.flags.roundActive || training.state.flags.roundActive) {
      clock.advance(period);  // a round runs: play on until it ends
      continue;
    }
    const TaskState before = taskState();
    const std::uint64_t asked = effectsAsked_;
    clock.advance(period);
    if (effectsAsked_ == asked && taskState() == before) {
      clock.skip((end - clock.now()) / period * period);
      break;
    }
  }
  clock.advance(end - clock.now());
}

void Session::record(Mode mode, std::string_view line) {
  if (!recorder_ && !watcher_) return;
  if (mode != recordedMode_) {
    recordedMode_ = mode;
    tell(std::string("screen ") + modeName(mode));
  }
  tell(line);
}

void Session::tell(std::string_view line) {
  for (InputRecorder* listener : {recorder_, watcher_}) {
    if (listener) listener->input(clock.now(), line);
  }
}

void Session::endRound(std::string result) {
  if (current_.number == 0) return;
  current_.end = clock.now();
  current_.result = std::move(result);
  const RoundRecord ended = current_;
  current_ = RoundRecord{};
  for (InputRecorder* listener : {recorder_, watcher_}) {
    if (listener) listener->roundEnded(ended);
  }
  if (onRoundEnded) onRoundEnded(ended);
}

bool Session::stage(Mode mode, int n) {
  record(mode, "stage " + std::to_string(n));
  if (mode == Mode::Training && (n < 1 || n > kOriginalStage || !training.state.enabled[n - 1])) return false;
  const int before = screen(mode).roundsStarted();
  if (mode == Mode::Battle) battle.chooseStage(n);
  else training.chooseStage(n);
  // A stage chosen during a round starts the round over; one that failed on
  // the editor's boxes leaves the round as it was.
  if (screen(mode).roundsStarted() == before) return true;
  if (current_.number != 0 && current_.mode == mode) endRound("abandoned");
  current_ = RoundRecord{++roundsStarted_, mode, n, clock.now(), 0, {}};
  return true;
}

void Session::key(Mode mode, char32_t character) {
  if (isPlayerKey(character)) record(mode, "key " + utf8(character));
  screen(mode).keyPress(character);
}

void Session::music(Mode mode, bool on) {
  record(mode, on ? "bgm on" : "bgm off");
  screen(mode).setMusic(on);
}

void Session::voices(Mode mode, bool on) {
  record(mode, on ? "se on" : "se off");
  screen(mode).setVoices(on);
}

void Session::character(Character character) {
  // The command acts on the training screen whichever screen the script is on.
  record(recordedMode_, character == Character::Elna ? "character elna" : "character mirabe");
  training.chooseCharacter(character);
}

void Session::unlock(int n) {
  // Like the character, it acts on the training screen from either screen.
  record(recordedMode_, "unlock " + std::to_string(n));
  training.unlock(n);
}

void Session::computer(Mode mode, int p, std::optional<ComputerLevel> level, std::uint64_t seed) {
  record(mode, "cpu " + std::to_string(p + 1) + " " + (level ? std::string(levelName(*level)) : std::string("off")) +
                   " " + std::to_string(seed));
  screen(mode).setComputer(p, level, seed);
}

void Session::leave(Mode mode) {
  record(mode, "title");
  if (current_.number != 0 && current_.mode == mode) endRound("abandoned");
  screen(mode).leaveToTitle();
  screen(mode).screenClosed();
}

void Session::editorType(const EditorBox& box, const std::string& text) { editor.type(box, text); }

std::string Session::editorClose(bool showError) {
  if (recorder_ || watcher_) {
    const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      const std::string& text = editor.text(boxes[i]);
      if (text == recordedEditor_[i]) continue;
      recordedEditor_[i] = text;
      record(recordedMode_, "editor " + boxes[i].name() + " " + text);
    }
    record(recordedMode_, "editor close");
  }
  try {
    editor.check();
    return {};
  } catch (const GameError& e) {
    const Message text = errorBoxText(e);
    if (showError) effects_.showError(text);
    return text.text();
  }
}

void Session::openDialog(Dialog dialog) {
  ++effectsAsked_;
  const Mode mode = dialog == Dialog::PlayerOneWins || dialog == Dialog::PlayerTwoWins ? Mode::Battle : Mode::Training;
  if (current_.number != 0 && current_.mode == mode) endRound(dialogName(dialog));
  effects_.openDialog(dialog);
}

}  // namespace glamora
