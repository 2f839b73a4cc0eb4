#include "script_runner.h"

#include <array>
#include <cstdint>
#include <optional>
#include <sstream>
#include <vector>

#include "stages.h"
#include "text_checks.h"

namespace glamora {

namespace {

std::vector<std::string> splitWords(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// A whole number made of decimal digits only (any count of them), within 0..max.
std::optional<std::int64_t> wholeNumber(const std::string& word, std::int64_t max) {
  if (word.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char ch : word) {
    if (ch < '0' || ch > '9') return std::nullopt;
    const int digit = ch - '0';
    if (value > (max - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

bool allDigits(const std::string& word) {
  return !word.empty() && word.find_first_not_of("0123456789") == std::string::npos;
}

// Why `word` is not a key's single character, or empty when it is one: one
// well-formed UTF-8 character other than NUL.
std::string badKey(const std::string& word) {
  const Utf8Step step = decodeUtf8(word, 0);
  if (!validUtf8(word)) return "key character is not valid UTF-8";
  if (step.length != word.size()) return "key takes exactly one character";
  if (step.value == 0) return "key character is NUL";
  return "";
}

std::string withoutCarriageReturn(const std::string& line) {
  if (!line.empty() && line.back() == '\r') return line.substr(0, line.size() - 1);
  return line;
}

}  // namespace

bool ScriptRunner::runEditor(const std::string& rest, std::string& reason) {
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
    session_.editorClose(true);
    return true;
  }
  const auto editorBox = EditorBox::fromName(box);
  if (!editorBox) {
    reason = "unknown editor box " + quotedExcerpt(box);
    return false;
  }
  session_.editorType(*editorBox, space == std::string::npos ? std::string() : rest.substr(space + 1));
  return true;
}

// cpu P LEVEL [SEED]: P is 1 or 2 on the battle screen, 1 on training; any
// whole number is a seed, one beyond 64 bits taken modulo 2^64.
bool ScriptRunner::runComputer(const std::vector<std::string>& w, std::string& reason) {
  if (w.size() < 3 || w.size() > 4) {
    reason = w.size() < 3 ? "missing words" : "extra words";
    return false;
  }
  const int maxPlayer = mode_ == Mode::Battle ? 2 : 1;
  if (w[1].size() != 1 || w[1][0] < '1' || w[1][0] > '0' + maxPlayer) {
    reason = "player must be 1" + std::string(maxPlayer == 2 ? " or 2" : "") + " on this screen";
    return false;
  }
  const auto level = levelFromName(w[2]);
  if (w[2] != "off" && (!level || *level == ComputerLevel::Random)) {
    reason = "unknown word " + quotedExcerpt(w[2]);
    return false;
  }
  std::uint64_t seed = 1;
  if (w.size() == 4) {
    seed = 0;
    for (const char ch : w[3]) {
      if (ch < '0' || ch > '9') {
        reason = "seed takes a whole number";
        return false;
      }
      seed = seed * 10 + static_cast<std::uint64_t>(ch - '0');
    }
  }
  session_.computer(mode_, w[1][0] - '1', w[2] == "off" ? std::nullopt : level, seed);
  return true;
}

// One command of the script language: its name, whether it takes one word
// after it, the words that word may be (none listed: any), and what it does.
// A handler returns false and sets the reason when its word is malformed.
struct ScriptRunner::Command {
  const char* name;
  bool takesWord;
  std::array<const char*, 2> choices;
  bool (*run)(ScriptRunner& script, const std::string& word, int line, std::string& reason);
};

// clang-format off
const ScriptRunner::Command ScriptRunner::kCommands[] = {
    {"screen", true, {"battle", "training"},
     [](ScriptRunner& s, const std::string& word, int, std::string&) {
       s.mode_ = word == "battle" ? Mode::Battle : Mode::Training;
       return true;
     }},
    {"stage", true, {},
     [](ScriptRunner& s, const std::string& word, int line, std::string& reason) {
       const auto n = wholeNumber(word, 1'000'000);
       if (!n || *n < 1 || *n > kOriginalStage) {
         reason = "stage must be 1..15";
         return false;
       }
       if (!s.session_.stage(s.mode_, static_cast<int>(*n))) s.events_.ignored(line);
       return true;
     }},
    {"key", true, {},
     [](ScriptRunner& s, const std::string& word, int, std::string& reason) {
       reason = badKey(word);
       if (!reason.empty()) return false;
       s.session_.key(s.mode_, decodeUtf8(word, 0).value);
       return true;
     }},
    {"wait", true, {},
     [](ScriptRunner& s, const std::string& word, int, std::string& reason) {
       if (!allDigits(word)) {
         reason = "wait takes a whole number of milliseconds";
         return false;
       }
       const auto ms = wholeNumber(word, SimClock::kLatestTime - s.session_.clock.now());
       if (!ms) {
         reason = "wait " + quotedExcerpt(word) + " would pass the clock's largest time";
         return false;
       }
       s.session_.wait(*ms);
       return true;
     }},
    {"unlock", true, {},
     [](ScriptRunner& s, const std::string& word, int, std::string& reason) {
       const auto n = allDigits(word) ? wholeNumber(word, 1'000'000) : std::nullopt;
       if (!n || *n < 1 || *n > kOriginalStage - 1) {
         reason = "unlock takes a stage number 1..14";
         return false;
       }
       s.session_.unlock(static_cast<int>(*n));
       return true;
     }},
    {"bgm", true, {"on", "off"},
     [](ScriptRunner& s, const std::string& word, int, std::string&) {
       s.session_.music(s.mode_, word == "on");
       return true;
     }},
    {"se", true, {"on", "off"},
     [](ScriptRunner& s, const std::string& word, int, std::string&) {
       s.session_.voices(s.mode_, word == "on");
       return true;
     }},
    {"character", true, {"elna", "mirabe"},
     [](ScriptRunner& s, const std::string& word, int, std::string&) {
       s.session_.character(word == "elna" ? Character::Elna : Character::Mirabe);
       return true;
     }},
    {"title", false, {},
     [](ScriptRunner& s, const std::string&, int, std::string&) {
       s.session_.leave(s.mode_);
       return true;
     }},
    {"dump", false, {},
     [](ScriptRunner& s, const std::string&, int, std::string&) {
       s.events_.dump(s.mode_);
       return true;
     }},
};
// clang-format on

bool ScriptRunner::run(int number, const std::string& line, std::string& reason) {
  if (line.rfind("editor ", 0) == 0) return runEditor(line.substr(7), reason);

  const std::vector<std::string> words = splitWords(line);
  if (words[0] == "cpu") return runComputer(words, reason);
  for (const Command& command : kCommands) {
    if (words[0] != command.name) continue;
    const std::size_t expected = command.takesWord ? 2 : 1;
    if (words.size() != expected) {
      reason = words.size() < expected ? "missing words" : "extra words";
      return false;
    }
    const std::string word = command.takesWord ? words[1] : std::string();
    if (command.choices[0] && word != command.choices[0] && word != command.choices[1]) {
      reason = "unknown word " + quotedExcerpt(word);
      return false;
    }
    return command.run(*this, word, number, reason);
  }
  reason = words[0] == "editor" ? "missing editor box" : "unknown command " + quotedExcerpt(words[0]);
  return false;
}

bool ScriptRunner::runLine(int number, const std::string& rawLine, std::string& reason) {
  const std::string line = withoutCarriageReturn(rawLine);
  if (line.size() > kLongestLine) {
    reason = "line longer than " + std::to_string(kLongestLine) + " bytes";
    return false;
  }
  // Blank means no word at all, by the same white space the words are split at
  // (a form feed alone is a blank line, not a command with no name).
  const std::size_t first = line.find_first_not_of(" \t\v\f\r\n");
  if (first == std::string::npos || line[first] == '#') return true;
  return run(number, line, reason);
}

std::int64_t ScriptRunner::waitOf(const std::string& rawLine) {
  const std::vector<std::string> words = splitWords(withoutCarriageReturn(rawLine));
  if (words.size() != 2 || words[0] != "wait") return -1;
  const auto ms = wholeNumber(words[1], SimClock::kLatestTime);
  return ms ? *ms : -1;
}

}  // namespace glamora
