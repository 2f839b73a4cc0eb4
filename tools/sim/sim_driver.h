// glamora-sim: runs the game's engine on the simulated clock from a script.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace glamora::sim {

class SimDriver {
 public:
  explicit SimDriver(std::ostream& out);
  ~SimDriver();

  // Runs a whole script, named `scriptName` in messages. Returns 0 when it
  // ran; 2 at the first bad line, after writing "line N: "<line>": <reason>"
  // to `err` (a long line shortened), with nothing after it run; 1 when the
  // script cannot be read or the output cannot be written, after a
  // "glamora-sim: ..." message. A last line without a newline that is bad is
  // taken as cut short and ignored.
  int run(std::istream& script, std::ostream& err, std::string_view scriptName = "standard input");

  // Runs one physical line; on a bad line returns false and sets `reason`.
  bool runLine(int number, const std::string& line, std::string& reason);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace glamora::sim
