// Plays a kept session script again at any pace: headless up to a round's
// start, then in steps of simulated time.
#pragma once

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "script_runner.h"
#include "session.h"

namespace glamora {

// The result of a round that the script leaves running.
inline constexpr const char* kUnfinished = "unfinished";

// What running a script headless shows: its first bad line, if any, and the
// rounds it plays up to there in the order they started. A round still
// running when the script ends ends there, "unfinished".
struct ScriptReading {
  std::optional<std::string> badLine;
  std::size_t badLineNumber = 0;  // from 1; 0 when no line is bad
  std::vector<RoundRecord> rounds;
  std::int64_t end = 0;  // the script's clock after its last line
};
// Asked to stop, it ends after the line running then, as if the script did.
ScriptReading readScript(const std::vector<std::string>& lines, std::stop_token stop = {});

// The first bad line of a script, if any: "line 12: stage 99: stage must be 1..15".
std::optional<std::string> firstBadLine(const std::vector<std::string>& lines);
// The lines of a script; a cut last line (no newline, and not a command that
// runs) is left out.
std::vector<std::string> splitLines(const std::string& text);

class ReplayRun final : private ScriptEvents {
 public:
  // `lines` must have passed firstBadLine().
  ReplayRun(Effects& effects, std::vector<std::string> lines);

  Session session;

  // How far a search for a round's start has come.
  enum class Search { Going, Reached, NotInScript };
  // One bounded step of the search for round `number`'s start (its stage
  // command has run): runs at most `lines` new lines and lets at most `ms`
  // of simulated time pass, a wait taken in part when it is longer. With
  // `lines` 0 it only goes on with the wait it is in. The next step goes on
  // where this one stopped.
  Search advanceTowardsRound(int number, std::size_t lines, std::int64_t ms);
  // The whole search at once. False when the script ends before the round.
  bool runToRoundStart(int number);
  // Lines begun so far, and whether the last one is a wait not yet over.
  std::size_t linesBegun() const { return next_; }
  bool inWait() const { return pendingWait_ > 0; }
  // Runs the lines due within the next `ms` of simulated time; a `wait` is
  // taken in part when it is longer. False once the script is over.
  bool play(std::int64_t ms);
  bool atEnd() const { return next_ >= lines_.size() && pendingWait_ == 0; }
  Mode mode() const { return script_.mode(); }

  // Where the script stands: with a SessionSnapshot taken there, what lets a
  // run on a new session go on from the same place.
  struct Place {
    std::size_t next = 0;
    std::int64_t pendingWait = 0;
    Mode mode = Mode::Battle;
  };
  Place place() const { return {next_, pendingWait_, script_.mode()}; }
  void goOnFrom(const Place& place);

 private:
  void ignored(int) override {}
  void dump(Mode) override {}
  // Runs the next line; a wait is only taken up, not advanced.
  void runNextLine();

  std::vector<std::string> lines_;
  ScriptRunner script_;
  std::size_t next_ = 0;
  std::int64_t pendingWait_ = 0;
};

}  // namespace glamora
