// The session journal: what reached the engines during one run, kept as a
// script of glamora-sim's language. `wait` lines carry the clock between the
// inputs, `#` lines name the program, the start and every round.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "session.h"

namespace glamora {

// Where the journal's text goes. write() returns false when it failed.
class JournalSink {
 public:
  virtual ~JournalSink() = default;
  virtual bool write(std::string_view text) = 0;
};

// Every line reaches the sink as soon as it happens, built whole before it is
// written, so that a program killed at any moment leaves its inputs so far.
class JournalWriter final : public InputRecorder {
 public:
  explicit JournalWriter(JournalSink& sink) : sink_(sink) {}

  // The first line: "# Glamora 1.0 session 2026-12-07T21:04:11+09:00".
  void begin(std::string_view version, std::string_view startTime);
  void comment(std::string_view text) override;
  void input(std::int64_t t, std::string_view line) override;
  // Brings the script's clock up to the round's end and names the round.
  void roundEnded(const RoundRecord& round) override;
  // Brings the script's clock up to `t` (a `wait` line), so that a journal
  // cut off later still holds the time played until now.
  void keepUp(std::int64_t t);
  // At exit: the clock up to `t` and, when a round is still running (its
  // number is not 0), a note naming it "unfinished" at `t`. Nothing is
  // written after; a second call does nothing.
  void finish(std::int64_t t, const RoundRecord& running = {});

  // After the first failed write nothing more is written; `onFailure` hears
  // of it once.
  bool failed() const { return failed_; }
  bool finished() const { return finished_; }
  std::function<void()> onFailure;

 private:
  // "wait N" up to `t`, if the script's clock is behind.
  std::string waitUntil(std::int64_t t);
  void write(const std::string& lines);
  JournalSink& sink_;
  std::int64_t scriptTime_ = 0;
  bool failed_ = false;
  bool finished_ = false;
};

// "# round 1: battle stage 3, t 12400..58100, Mw2Form"
std::string roundNote(const RoundRecord& round);

// What a kept session says: when it started (its first line) and its rounds.
// The rounds come from running the script headless, not from its `# round`
// notes, which are for people reading the file and may be cut short or wrong:
// a round the script leaves running is "unfinished" at the script's end. A
// script with a bad line has no rounds to play. A cut last line is left out.
struct SessionNotes {
  std::string started;  // as written in the first line, empty if missing
  std::vector<RoundRecord> rounds;
  std::optional<std::string> badLine;
};
SessionNotes readSessionNotes(std::string_view script, std::stop_token stop = {});

}  // namespace glamora
