#include "sim_driver.h"

#include <array>
#include <cstdint>
#include <optional>
#include <sstream>
#include <vector>

#include "engine/battle.h"
#include "engine/editor_values.h"
#include "engine/errors.h"
#include "engine/scheduler.h"
#include "engine/stages.h"
#include "engine/training.h"
#include "sim_events.h"

namespace glamora::sim {

namespace {

std::vector<std::string> splitWords(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// A whole number made of decimal digits only, within 0..max.
std::optional<std::int64_t> wholeNumber(const std::string& word, std::int64_t max) {
  if (word.empty() || word.size() > 18) return std::nullopt;
  std::int64_t value = 0;
  for (const char ch : word) {
    if (ch < '0' || ch > '9') return std::nullopt;
    value = value * 10 + (ch - '0');
  }
  if (value > max) return std::nullopt;
  return value;
}

// The single Unicode character of a UTF-8 word, if it is exactly one.
std::optional<char32_t> singleCharacter(const std::string& word) {
  if (word.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(word[0]);
  std::size_t length = 1;
  char32_t value = lead;
  if (lead >= 0xF0 && lead < 0xF8) length = 4, value = lead & 0x07;
  else if (lead >= 0xE0) length = 3, value = lead & 0x0F;
  else if (lead >= 0xC0) length = 2, value = lead & 0x1F;
  else if (lead >= 0x80) return std::nullopt;
  if (word.size() != length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(word[i]);
    if ((byte & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (byte & 0x3F);
  }
  return value;
}

template <typename Array>
std::string jsonArray(const Array& values) {
  std::string out = "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i) out += ',';
    out += std::to_string(values[i]);
  }
  return out + "]";
}

std::string columnsJson(const PerColumn& v) { return jsonArray(v.v); }

template <typename Grid>
std::string gridJson(const Grid& grid, int columns, int rows) {
  std::string out = "[";
  for (int c = 1; c <= columns; ++c) {
    if (c > 1) out += ',';
    out += '[';
    for (int r = 1; r <= rows; ++r) {
      if (r > 1) out += ',';
      out += std::to_string(grid(c, r));
    }
    out += ']';
  }
  return out + "]";
}

std::string playerJson(const PlayerState& s, bool withMirrorsDue) {
  std::string out = "{\"board\":" + gridJson(s.board, kColumns, kRows);
  out += ",\"nextRow\":" + columnsJson(s.nextRow);
  out += ",\"supply\":" + gridJson(s.supply, kColumns, kSlots);
  out += ",\"supplyPos\":" + columnsJson(s.supplyPos);
  out += ",\"supplyFront\":" + columnsJson(s.supplyFront);
  const std::pair<const char*, int> numbers[] = {
      {"refillReversed", s.refillReversed}, {"phase", s.phase},         {"held", s.held},
      {"whatTime", s.whatTime},             {"whereTime", s.whereTime}, {"whatRun", s.whatRun},
      {"whereRun", s.whereRun},             {"toWhat", s.toWhat},       {"toWhere", s.toWhere},
      {"arrowCol", s.arrowCol},             {"carryCol", s.carryCol},   {"points", s.points},
      {"wins", s.wins},
  };
  for (const auto& [key, value] : numbers) out += std::string(",\"") + key + "\":" + std::to_string(value);
  out += ",\"mirrorsDue\":" + (withMirrorsDue ? columnsJson(s.mirrorsDue) : std::string("[0,0,0,0,0,0]"));
  return out + "}";
}

}  // namespace

struct SimDriver::Impl {
  explicit Impl(std::ostream& out) : events(out, clock), battle(events, view, editor), training(events, view, editor) {
    battle.registerTasks(clock);
    training.registerTasks(clock);
  }

  SimClock clock;
  EventWriter events;
  NullView view;
  EditorValues editor;
  Battle battle;
  Training training;
  enum class Screen { Battle, Training } screen = Screen::Battle;

  bool run(int number, const std::string& line, std::string& reason);
  bool runEditor(const std::string& rest, std::string& reason);
  void dumpBattle();
  void dumpTraining();
  bool onBattle() const { return screen == Screen::Battle; }

  struct Command;
  static const Command kCommands[];
};

bool SimDriver::Impl::runEditor(const std::string& rest, std::string& reason) {
  const std::size_t space = rest.find(' ');
  const std::string box = rest.substr(0, space);
  if (box.empty()) {
    reason = "missing editor box";
    return false;
  }
  if (box == "close") {
    if (space != std::string::npos) {
      reason = "extra words after editor close";
      return false;
    }
    try {
      editor.check();
    } catch (const GameError& e) {
      events.showError(errorBoxText(e.what()));
    }
    return true;
  }
  const auto editorBox = EditorBox::fromName(box);
  if (!editorBox) {
    reason = "unknown editor box '" + box + "'";
    return false;
  }
  editor.type(*editorBox, space == std::string::npos ? std::string() : rest.substr(space + 1));
  return true;
}

// One command of the script language: its name, whether it takes one word
// after it, the words that word may be (none listed: any), and what it does.
// A handler returns false and sets the reason when its word is malformed.
struct SimDriver::Impl::Command {
  const char* name;
  bool takesWord;
  std::array<const char*, 2> choices;
  bool (*run)(Impl& sim, const std::string& word, int line, std::string& reason);
};

const SimDriver::Impl::Command SimDriver::Impl::kCommands[] = {
    {"screen", true, {"battle", "training"},
     [](Impl& sim, const std::string& word, int, std::string&) {
       sim.screen = word == "battle" ? Screen::Battle : Screen::Training;
       return true;
     }},
    {"stage", true, {},
     [](Impl& sim, const std::string& word, int line, std::string& reason) {
       const auto n = wholeNumber(word, 1'000'000);
       if (!n || *n < 1 || *n > kOriginalStage) {
         reason = "stage must be 1..15";
         return false;
       }
       if (sim.onBattle()) sim.battle.chooseStage(static_cast<int>(*n));
       else if (!sim.training.chooseStage(static_cast<int>(*n))) sim.events.ignored(line);
       return true;
     }},
    {"key", true, {},
     [](Impl& sim, const std::string& word, int, std::string& reason) {
       const auto character = singleCharacter(word);
       if (!character) {
         reason = "key takes exactly one character";
         return false;
       }
       sim.onBattle() ? sim.battle.keyPress(*character) : sim.training.keyPress(*character);
       return true;
     }},
    {"wait", true, {},
     [](Impl& sim, const std::string& word, int, std::string& reason) {
       const auto ms = wholeNumber(word, INT64_MAX / 2);
       if (!ms) {
         reason = "wait takes a whole number of milliseconds";
         return false;
       }
       sim.clock.advance(*ms);
       return true;
     }},
    {"bgm", true, {"on", "off"},
     [](Impl& sim, const std::string& word, int, std::string&) {
       sim.onBattle() ? sim.battle.setMusic(word == "on") : sim.training.setMusic(word == "on");
       return true;
     }},
    {"se", true, {"on", "off"},
     [](Impl& sim, const std::string& word, int, std::string&) {
       sim.onBattle() ? sim.battle.setVoices(word == "on") : sim.training.setVoices(word == "on");
       return true;
     }},
    {"character", true, {"elna", "mirabe"},
     [](Impl& sim, const std::string& word, int, std::string&) {
       sim.training.chooseCharacter(word == "elna" ? Character::Elna : Character::Mirabe);
       return true;
     }},
    {"title", false, {},
     [](Impl& sim, const std::string&, int, std::string&) {
       // The item abandons the game, then the screen closes.
       if (sim.onBattle()) {
         sim.battle.leaveToTitle();
         sim.battle.screenClosed();
       } else {
         sim.training.leaveToTitle();
         sim.training.screenClosed();
       }
       return true;
     }},
    {"dump", false, {},
     [](Impl& sim, const std::string&, int, std::string&) {
       sim.onBattle() ? sim.dumpBattle() : sim.dumpTraining();
       return true;
     }},
};

bool SimDriver::Impl::run(int number, const std::string& line, std::string& reason) {
  if (line.rfind("editor ", 0) == 0) return runEditor(line.substr(7), reason);

  const std::vector<std::string> words = splitWords(line);
  for (const Command& command : kCommands) {
    if (words[0] != command.name) continue;
    const std::size_t expected = command.takesWord ? 2 : 1;
    if (words.size() != expected) {
      reason = words.size() < expected ? "missing words" : "extra words";
      return false;
    }
    const std::string word = command.takesWord ? words[1] : std::string();
    if (command.choices[0] && word != command.choices[0] && word != command.choices[1]) {
      reason = "unknown word '" + word + "'";
      return false;
    }
    return command.run(*this, word, number, reason);
  }
  reason = words[0] == "editor" ? "missing editor box" : "unknown command '" + words[0] + "'";
  return false;
}

void SimDriver::Impl::dumpBattle() {
  const BattleState& s = battle.state;
  std::string body = "\"screen\":\"battle\"";
  body += ",\"roundActive\":" + std::to_string(s.flags.roundActive);
  body += ",\"inputOpen\":" + std::to_string(s.flags.inputOpen);
  body += ",\"stageNo\":" + std::to_string(s.stageNo);
  body += ",\"stage\":" + jsonString(battle.stageCaption());
  body += ",\"pause\":" + std::to_string(s.pauseShown);
  body += ",\"players\":[" + playerJson(battle.player(0).state, true) + "," +
          playerJson(battle.player(1).state, true) + "]";
  events.write("dump", body);
}

void SimDriver::Impl::dumpTraining() {
  const TrainingState& s = training.state;
  std::string body = "\"screen\":\"training\"";
  const std::pair<const char*, int> numbers[] = {
      {"roundActive", s.flags.roundActive}, {"inputOpen", s.flags.inputOpen},
      {"stageNo", s.stageNo},
  };
  for (const auto& [key, value] : numbers) body += std::string(",\"") + key + "\":" + std::to_string(value);
  body += ",\"stage\":" + jsonString(training.stageCaption());
  const std::pair<const char*, int> more[] = {
      {"pause", s.pauseShown},           {"trainNorm", s.norm},
      {"mirrorPeriod", s.mirrorPeriod},  {"mirrorCountdown", s.mirrorCountdown},
      {"trainWins", training.player().state.wins}, {"trainLosses", s.losses},
  };
  for (const auto& [key, value] : more) body += std::string(",\"") + key + "\":" + std::to_string(value);
  body += std::string(",\"character\":\"") + (s.character == Character::Elna ? "ELNA" : "MIRABE") + '"';
  body += ",\"enabled\":[";
  for (std::size_t k = 0; k < s.enabled.size(); ++k) body += std::string(k ? "," : "") + (s.enabled[k] ? "true" : "false");
  body += "],\"players\":[" + playerJson(training.player().state, false) + "]";
  events.write("dump", body);
}

SimDriver::SimDriver(std::ostream& out) : impl_(std::make_unique<Impl>(out)) {}
SimDriver::~SimDriver() = default;

bool SimDriver::runLine(int number, const std::string& rawLine, std::string& reason) {
  std::string line = rawLine;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  // Blank means no word at all, by the same white space the words are split at
  // (a form feed alone is a blank line, not a command with no name).
  const std::size_t first = line.find_first_not_of(" \t\v\f\r");
  if (first == std::string::npos || line[first] == '#') return true;
  return impl_->run(number, line, reason);
}

int SimDriver::run(std::istream& script, std::ostream& err) {
  std::string line;
  for (int number = 1; std::getline(script, line); ++number) {
    std::string reason;
    if (!runLine(number, line, reason)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      err << "line " << number << ": " << line << ": " << reason << "\n";
      return 2;
    }
  }
  return 0;
}

}  // namespace glamora::sim
