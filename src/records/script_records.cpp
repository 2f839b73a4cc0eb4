#include "script_records.h"

#include "engine/replay.h"

namespace glamora::records {

ScriptRecords::ScriptRecords(std::string sessionFile, std::function<void(const RoundRow&)> row)
    : session_(effects_), runner_(session_, *this), recorder_(session_, std::move(sessionFile), std::move(row)) {}

bool ScriptRecords::line(const std::string& text) {
  if (badLine_) return false;
  ++lineNumber_;
  if (!text.empty() && text[0] == '#') {
    std::string_view note = std::string_view(text).substr(1);
    if (note.starts_with(' ')) note.remove_prefix(1);
    if (note.ends_with('\r')) note.remove_suffix(1);
    recorder_.comment(note);
    return true;
  }
  if (const std::int64_t ms = ScriptRunner::waitOf(text); ms >= 0) {
    scriptTime_ = std::min(scriptTime_ + ms, SimClock::kLatestTime);
    advanceTo(scriptTime_);
    return true;
  }
  std::string reason;
  if (runner_.runLine(lineNumber_, text, reason)) return true;
  badLine_ = "line " + std::to_string(lineNumber_) + ": " + reason;
  return false;
}

void ScriptRecords::text(std::string_view lines) {
  std::size_t at = 0;
  while (at < lines.size()) {
    const std::size_t end = lines.find('\n', at);
    if (end == std::string_view::npos) {
      partial_ += lines.substr(at);
      return;
    }
    partial_ += lines.substr(at, end - at);
    line(partial_);
    partial_.clear();
    at = end + 1;
  }
}

void ScriptRecords::advanceTo(std::int64_t t) {
  if (t > session_.clock.now()) session_.wait(t - session_.clock.now());
}

std::vector<RoundRow> rowsOfScript(const std::string& script, const std::string& sessionFile) {
  std::vector<RoundRow> rows;
  ScriptRecords records(sessionFile, [&rows](const RoundRow& row) { rows.push_back(row); });
  for (const std::string& line : splitLines(script)) {
    if (!records.line(line)) break;
  }
  return rows;
}

}  // namespace glamora::records
