// glamora-sim: runs the game's engine on the simulated clock from a script.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>

namespace glamora::sim {

class SimDriver {
 public:
  explicit SimDriver(std::ostream& out);
  ~SimDriver();

  // Runs a whole script. Returns 0, or 2 at the first bad line after writing
  // "line N: <line>: <reason>" to `err`; nothing after a bad line runs.
  int run(std::istream& script, std::ostream& err);

  // Runs one physical line; on a bad line returns false and sets `reason`.
  bool runLine(int number, const std::string& line, std::string& reason);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace glamora::sim
