// Plays a kept session script again at any pace: headless up to a round's
// start, then in steps of simulated time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "script_runner.h"
#include "session.h"

namespace glamora {

// The first bad line of a script, if any: "line 12: stage 99: stage must be 1..15".
std::optional<std::string> firstBadLine(const std::vector<std::string>& lines);
std::vector<std::string> splitLines(const std::string& text);

class ReplayRun final : private ScriptEvents {
 public:
  // `lines` must have passed firstBadLine().
  ReplayRun(Effects& effects, std::vector<std::string> lines);

  Session session;

  // Runs as fast as it can until round `number` has started (its stage
  // command has run). False when the script ends before.
  bool runToRoundStart(int number);
  // Runs the lines due within the next `ms` of simulated time; a `wait` is
  // taken in part when it is longer. False once the script is over.
  bool play(std::int64_t ms);
  bool atEnd() const { return next_ >= lines_.size() && pendingWait_ == 0; }
  Mode mode() const { return script_.mode(); }

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
