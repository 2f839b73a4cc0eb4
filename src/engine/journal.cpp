#include "journal.h"

#include "replay.h"

namespace glamora {

void JournalWriter::begin(std::string_view version, std::string_view startTime) {
  std::string line = "# Glamora ";
  line += version;
  line += " session ";
  line += startTime;
  write(line + '\n');
}

void JournalWriter::comment(std::string_view text) {
  std::string line = "# ";
  line += text;
  write(line + '\n');
}

std::string JournalWriter::waitUntil(std::int64_t t) {
  if (t <= scriptTime_) return {};
  std::string line = "wait " + std::to_string(t - scriptTime_) + '\n';
  scriptTime_ = t;
  return line;
}

void JournalWriter::input(std::int64_t t, std::string_view line) {
  std::string lines = waitUntil(t);
  lines += line;
  write(lines + '\n');
}

void JournalWriter::roundEnded(const RoundRecord& round) { write(waitUntil(round.end) + roundNote(round) + '\n'); }

void JournalWriter::keepUp(std::int64_t t) { write(waitUntil(t)); }

void JournalWriter::finish(std::int64_t t, const RoundRecord& running) {
  std::string lines = waitUntil(t);
  if (running.number != 0) {
    RoundRecord unfinished = running;
    unfinished.end = t;
    unfinished.result = kUnfinished;
    lines += roundNote(unfinished) + '\n';
  }
  write(lines);
  finished_ = true;
}

void JournalWriter::write(const std::string& lines) {
  if (failed_ || finished_ || lines.empty()) return;
  if (!sink_.write(lines)) {
    failed_ = true;
    if (onFailure) onFailure();
  }
}

std::string roundNote(const RoundRecord& r) {
  return "# round " + std::to_string(r.number) + ": " + modeName(r.mode) + " stage " + std::to_string(r.stage) +
         ", t " + std::to_string(r.start) + ".." + std::to_string(r.end) + ", " + r.result;
}

SessionNotes readSessionNotes(std::string_view script, std::stop_token stop) {
  SessionNotes notes;
  const std::string_view first = script.substr(0, script.find('\n'));
  constexpr std::string_view kHeader = "# Glamora ";
  const std::size_t session = first.find(" session ");
  // A first line with no newline may be cut short (a full disk): its time
  // could be a part of one.
  if (first.size() < script.size() && first.substr(0, kHeader.size()) == kHeader && session != std::string_view::npos) {
    std::string_view started = first.substr(session + 9);
    if (!started.empty() && started.back() == '\r') started.remove_suffix(1);
    notes.started = std::string(started);
  }
  ScriptReading reading = readScript(splitLines(std::string(script)), std::move(stop));
  notes.badLine = std::move(reading.badLine);
  if (!notes.badLine) notes.rounds = std::move(reading.rounds);
  return notes;
}

}  // namespace glamora
