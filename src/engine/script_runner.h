// The script language of glamora-sim and of the session journal: one command
// a line ("stage 3", "key s", "wait 300", "editor psc 150", ...), run against
// a Session.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "session.h"

namespace glamora {

// What a script asks for besides the engines: the `ignored` event of a
// disabled training stage, and state dumps.
class ScriptEvents {
 public:
  virtual ~ScriptEvents() = default;
  virtual void ignored(int line) = 0;
  virtual void dump(Mode mode) = 0;
};

class ScriptRunner {
 public:
  ScriptRunner(Session& session, ScriptEvents& events) : session_(session), events_(events) {}

  // The longest line a script may hold, in bytes, its newline (and a carriage
  // return before it) not counted.
  static constexpr std::size_t kLongestLine = 65536;

  // Runs one physical line (blank lines and `#` comments do nothing). On a bad
  // line nothing runs, the result is false and `reason` says why. A reader may
  // hand over only the first kLongestLine + 2 bytes of a longer line: that is
  // enough to refuse it.
  bool runLine(int number, const std::string& line, std::string& reason);

  Mode mode() const { return mode_; }
  // The screen the next lines act on, as an earlier `screen` line left it.
  void setMode(Mode mode) { mode_ = mode; }

  // A `wait` line's milliseconds, or -1 for any other line. Lets a player of
  // scripts take the clock in steps of its own.
  static std::int64_t waitOf(const std::string& line);

 private:
  bool run(int number, const std::string& line, std::string& reason);
  bool runEditor(const std::string& rest, std::string& reason);
  bool runComputer(const std::vector<std::string>& words, std::string& reason);

  struct Command;
  static const Command kCommands[];

  Session& session_;
  ScriptEvents& events_;
  Mode mode_ = Mode::Battle;
};

}  // namespace glamora
