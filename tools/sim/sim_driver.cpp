#include "sim_driver.h"

#include <cerrno>
#include <cstring>

#include "engine/script_runner.h"
#include "engine/session.h"
#include "engine/text_checks.h"
#include "player_json.h"
#include "sim_events.h"

namespace glamora::sim {

struct SimDriver::Impl final : ScriptEvents {
  explicit Impl(std::ostream& out) : out(out), events(out), session(events), script(session, *this) {
    events.setClock(session.clock);
  }

  std::ostream& out;
  EventWriter events;
  Session session;
  ScriptRunner script;
  Battle& battle = session.battle;
  Training& training = session.training;

  void ignored(int line) override { events.ignored(line); }
  void dump(Mode mode) override { mode == Mode::Battle ? dumpBattle() : dumpTraining(); }
  void dumpBattle();
  void dumpTraining();
};

void SimDriver::Impl::dumpBattle() {
  const BattleState& s = battle.state;
  std::string body = "\"screen\":\"battle\"";
  body += ",\"roundActive\":" + std::to_string(s.flags.roundActive);
  body += ",\"inputOpen\":" + std::to_string(s.flags.inputOpen);
  body += ",\"stageNo\":" + std::to_string(s.stageNo);
  body += ",\"stage\":" + jsonString(battle.stageCaption());
  body += ",\"pause\":" + std::to_string(s.pauseShown);
  body += ",\"players\":[" + playerJson(battle.player(0).state, true) + "," + playerJson(battle.player(1).state, true) +
          "]";
  events.write("dump", body);
}

void SimDriver::Impl::dumpTraining() {
  const TrainingState& s = training.state;
  std::string body = "\"screen\":\"training\"";
  const std::pair<const char*, int> numbers[] = {
      {"roundActive", s.flags.roundActive},
      {"inputOpen", s.flags.inputOpen},
      {"stageNo", s.stageNo},
  };
  for (const auto& [key, value] : numbers) body += std::string(",\"") + key + "\":" + std::to_string(value);
  body += ",\"stage\":" + jsonString(training.stageCaption());
  const std::pair<const char*, int> more[] = {
      {"pause", s.pauseShown},
      {"trainNorm", s.norm},
      {"mirrorPeriod", s.mirrorPeriod},
      {"mirrorCountdown", s.mirrorCountdown},
      {"trainWins", training.player().state.wins},
      {"trainLosses", s.losses},
  };
  for (const auto& [key, value] : more) body += std::string(",\"") + key + "\":" + std::to_string(value);
  body += std::string(",\"character\":\"") + (s.character == Character::Elna ? "ELNA" : "MIRABE") + '"';
  body += ",\"enabled\":[";
  for (std::size_t k = 0; k < s.enabled.size(); ++k)
    body += std::string(k ? "," : "") + (s.enabled[k] ? "true" : "false");
  body += "],\"players\":[" + playerJson(training.player().state, false) + "]";
  events.write("dump", body);
}

SimDriver::SimDriver(std::ostream& out) : impl_(std::make_unique<Impl>(out)) {}
SimDriver::~SimDriver() = default;

bool SimDriver::runLine(int number, const std::string& line, std::string& reason) {
  return impl_->script.runLine(number, line, reason);
}

namespace {

// The system's reason for the last failed read or write.
std::string lastFailure() { return errno ? std::strerror(errno) : "input/output error"; }

}  // namespace

int SimDriver::run(std::istream& script, std::ostream& err, std::string_view scriptName) {
  std::ostream& out = impl_->out;
  const auto cannotWrite = [&] {
    err << "glamora-sim: cannot write output: " << lastFailure() << "\n";
    return 1;
  };
  BoundedLine line;
  for (int number = 1;; ++number) {
    errno = 0;
    if (!readBoundedLine(script, ScriptRunner::kLongestLine + 2, line)) break;
    std::string reason;
    const bool ran = runLine(number, line.text, reason);
    if (!out) return cannotWrite();
    if (ran) continue;
    if (!line.ended) return 0;
    if (!out.flush()) return cannotWrite();
    std::string_view shown = line.text;
    std::uint64_t length = line.length;
    if (!line.cut() && shown.ends_with('\r')) shown.remove_suffix(1), --length;
    err << "line " << number << ": " << quotedExcerpt(shown, length) << ": " << reason << "\n";
    return 2;
  }
  if (script.bad()) {
    err << "glamora-sim: cannot read " << scriptName << ": " << lastFailure() << "\n";
    return 1;
  }
  if (!out.flush()) return cannotWrite();
  return 0;
}

}  // namespace glamora::sim
