#include "journal.h"

#include <charconv>
#include <sstream>

namespace glamora {

void JournalWriter::begin(std::string_view version, std::string_view startTime) {
  buffer_ += "# Glamora ";
  buffer_ += version;
  buffer_ += " session ";
  buffer_ += startTime;
  buffer_ += '\n';
}

void JournalWriter::comment(std::string_view text) {
  buffer_ += "# ";
  buffer_ += text;
  buffer_ += '\n';
}

void JournalWriter::waitUntil(std::int64_t t) {
  if (t <= scriptTime_) return;
  buffer_ += "wait " + std::to_string(t - scriptTime_) + '\n';
  scriptTime_ = t;
}

void JournalWriter::input(std::int64_t t, std::string_view line) {
  waitUntil(t);
  buffer_ += line;
  buffer_ += '\n';
}

void JournalWriter::roundEnded(const RoundRecord& round) {
  waitUntil(round.end);
  buffer_ += roundNote(round) + '\n';
  flush();
}

void JournalWriter::finish(std::int64_t t) {
  waitUntil(t);
  flush();
}

void JournalWriter::flush() {
  if (failed_) {
    buffer_.clear();
    return;
  }
  if (buffer_.empty()) return;
  if (!sink_.write(buffer_)) {
    failed_ = true;
    if (onFailure) onFailure();
  }
  buffer_.clear();
}

std::string roundNote(const RoundRecord& r) {
  return "# round " + std::to_string(r.number) + ": " + modeName(r.mode) + " stage " + std::to_string(r.stage) +
         ", t " + std::to_string(r.start) + ".." + std::to_string(r.end) + ", " + r.result;
}

namespace {

template <typename T>
bool number(std::string_view text, T& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

// Reads a round note back; nothing when the line is not one.
std::optional<RoundRecord> parseRoundNote(std::string_view line) {
  constexpr std::string_view kPrefix = "# round ";
  if (line.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
  line.remove_prefix(kPrefix.size());
  RoundRecord r;
  const auto take = [&line](std::string_view until) {
    const std::size_t at = line.find(until);
    if (at == std::string_view::npos) return std::optional<std::string_view>();
    const std::string_view part = line.substr(0, at);
    line.remove_prefix(at + until.size());
    return std::optional<std::string_view>(part);
  };
  const auto n = take(": ");
  const auto mode = take(" stage ");
  const auto stage = take(", t ");
  const auto start = take("..");
  const auto end = take(", ");
  if (!n || !mode || !stage || !start || !end || line.empty()) return std::nullopt;
  if (*mode != "battle" && *mode != "training") return std::nullopt;
  r.mode = *mode == "battle" ? Mode::Battle : Mode::Training;
  if (!number(*n, r.number) || !number(*stage, r.stage) || !number(*start, r.start) || !number(*end, r.end)) {
    return std::nullopt;
  }
  r.result = std::string(line);
  return r;
}

}  // namespace

SessionNotes readSessionNotes(std::string_view script) {
  SessionNotes notes;
  std::size_t at = 0;
  bool first = true;
  while (at < script.size()) {
    std::size_t end = script.find('\n', at);
    if (end == std::string_view::npos) end = script.size();
    std::string_view line = script.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    if (first) {
      first = false;
      const std::size_t session = line.find(" session ");
      if (line.substr(0, 10) == "# Glamora " && session != std::string_view::npos) {
        notes.started = std::string(line.substr(session + 9));
        continue;
      }
    }
    if (auto round = parseRoundNote(line)) notes.rounds.push_back(*round);
  }
  return notes;
}

}  // namespace glamora
