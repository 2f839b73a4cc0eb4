// The records of a journal: its script run headless on a session of its own,
// watched by a RoundRecorder. Fed a whole file (glamora-sim --records, the
// game's rebuild) or line by line as a network battle writes its file (the
// game's own rows of that battle), it makes the same rows either way.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/script_runner.h"
#include "engine/session.h"
#include "round_recorder.h"

namespace glamora::records {

class ScriptRecords final : private ScriptEvents {
 public:
  ScriptRecords(std::string sessionFile, std::function<void(const RoundRow&)> row);

  // One line of the script, without its newline. A `wait` is taken from where
  // the script's clock stood, however far advanceTo() has gone since. After a
  // bad line nothing more runs; false then.
  bool line(const std::string& text);
  // Whole lines as a journal writes them, each ending in a newline.
  void text(std::string_view lines);
  // Lets the session's clock reach `t` (never back): the file's next lines
  // will come at `t` or later.
  void advanceTo(std::int64_t t);
  const std::optional<std::string>& badLine() const { return badLine_; }

 private:
  void ignored(int) override {}
  void dump(Mode) override {}

  SilentEffects effects_;
  Session session_;
  ScriptRunner runner_;
  RoundRecorder recorder_;
  std::int64_t scriptTime_ = 0;
  int lineNumber_ = 0;
  std::string partial_;  // the start of a line text() has not had the end of
  std::optional<std::string> badLine_;
};

// The rows of a whole journal's finished rounds, up to its first bad line.
std::vector<RoundRow> rowsOfScript(const std::string& script, const std::string& sessionFile);

}  // namespace glamora::records
