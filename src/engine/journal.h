// The session journal: what reached the engines during one run, kept as a
// script of glamora-sim's language. `wait` lines carry the clock between the
// inputs, `#` lines name the program, the start and every round.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
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

class JournalWriter final : public InputRecorder {
 public:
  explicit JournalWriter(JournalSink& sink) : sink_(sink) {}

  // The first line: "# Glamora 1.0 session 2026-12-07T21:04:11+09:00".
  void begin(std::string_view version, std::string_view startTime);
  void comment(std::string_view text);
  void input(std::int64_t t, std::string_view line) override;
  // Brings the script's clock up to the round's end, names the round and
  // writes out what is buffered.
  void roundEnded(const RoundRecord& round) override;
  // At exit: the clock up to `t`, then everything written out.
  void finish(std::int64_t t);
  void flush();

  // After the first failed write nothing more is written; `onFailure` hears
  // of it once.
  bool failed() const { return failed_; }
  std::function<void()> onFailure;

 private:
  void waitUntil(std::int64_t t);
  JournalSink& sink_;
  std::string buffer_;
  std::int64_t scriptTime_ = 0;
  bool failed_ = false;
};

// "# round 1: battle stage 3, t 12400..58100, Mw2Form"
std::string roundNote(const RoundRecord& round);

// What a kept session's notes say: when it started and its rounds.
struct SessionNotes {
  std::string started;  // as written in the first line, empty if missing
  std::vector<RoundRecord> rounds;
};
SessionNotes readSessionNotes(std::string_view script);

}  // namespace glamora
