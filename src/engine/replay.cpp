#include "replay.h"

#include <algorithm>
#include <cstdint>

namespace glamora {

namespace {

class NoEvents final : public ScriptEvents {
 public:
  void ignored(int) override {}
  void dump(Mode) override {}
};

// Runs the lines on a fresh session, headless, until the end or the first bad
// line (its 1-based number in `badLine`, 0 when there is none).
ScriptReading runHeadless(const std::vector<std::string>& lines, std::size_t& badLine, std::stop_token stop = {}) {
  ScriptReading reading;
  SilentEffects effects;
  Session session(effects);
  session.onRoundEnded = [&reading](const RoundRecord& round) { reading.rounds.push_back(round); };
  NoEvents events;
  ScriptRunner script(session, events);
  badLine = 0;
  for (std::size_t i = 0; i < lines.size() && !stop.stop_requested(); ++i) {
    std::string reason;
    if (!script.runLine(static_cast<int>(i + 1), lines[i], reason)) {
      badLine = reading.badLineNumber = i + 1;
      reading.badLine = "line " + std::to_string(i + 1) + ": " + lines[i] + ": " + reason;
      break;
    }
  }
  reading.end = session.clock.now();
  if (session.currentRound().number != 0) {
    RoundRecord running = session.currentRound();
    running.end = reading.end;
    running.result = kUnfinished;
    reading.rounds.push_back(running);
  }
  return reading;
}

}  // namespace

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  // A last line with no newline that does not run is what a write cut short
  // left behind (a full disk, a killed program): it is not part of the script.
  if (!text.empty() && text.back() != '\n') {
    std::size_t badLine = 0;
    runHeadless(lines, badLine);
    if (badLine == lines.size()) lines.pop_back();
  }
  return lines;
}

ScriptReading readScript(const std::vector<std::string>& lines, std::stop_token stop) {
  std::size_t badLine = 0;
  return runHeadless(lines, badLine, std::move(stop));
}

std::optional<std::string> firstBadLine(const std::vector<std::string>& lines) { return readScript(lines).badLine; }

ReplayRun::ReplayRun(Effects& effects, std::vector<std::string> lines)
    : session(effects), lines_(std::move(lines)), script_(session, *this) {}

void ReplayRun::goOnFrom(const Place& place) {
  next_ = std::min(place.next, lines_.size());
  pendingWait_ = place.pendingWait;
  script_.setMode(place.mode);
}

void ReplayRun::runNextLine() {
  const std::string& line = lines_[next_];
  const int number = static_cast<int>(++next_);
  const std::int64_t wait = ScriptRunner::waitOf(line);
  if (wait >= 0) {
    pendingWait_ = wait;
    return;
  }
  std::string reason;
  script_.runLine(number, line, reason);
}

ReplayRun::Search ReplayRun::advanceTowardsRound(int number, std::size_t lines, std::int64_t ms) {
  while (session.roundsStarted() < number) {
    if (pendingWait_ > 0) {
      if (ms <= 0) return Search::Going;
      const std::int64_t step = std::min(ms, pendingWait_);
      session.wait(step);
      pendingWait_ -= step;
      ms -= step;
      continue;
    }
    if (next_ >= lines_.size()) return Search::NotInScript;
    if (lines == 0) return Search::Going;
    --lines;
    runNextLine();
  }
  return Search::Reached;
}

bool ReplayRun::runToRoundStart(int number) {
  Search search;
  do search = advanceTowardsRound(number, SIZE_MAX, INT64_MAX);
  while (search == Search::Going);
  return search == Search::Reached;
}

bool ReplayRun::play(std::int64_t ms) {
  while (!atEnd()) {
    if (pendingWait_ == 0) {
      runNextLine();
      continue;
    }
    if (ms == 0) break;
    const std::int64_t step = std::min(ms, pendingWait_);
    session.wait(step);
    pendingWait_ -= step;
    ms -= step;
  }
  return !atEnd();
}

}  // namespace glamora
