// Derives the records' rows from a Session: it watches the session's rounds
// and, when one ends with a result dialog, reads who played each side (and the
// training score) from the session's engines. The game watches its own
// session with one; glamora-sim --records and the game's rebuild watch a
// session running a journal with one (ScriptRecords), so a row is made by the
// same code whichever way its round is seen.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/session.h"
#include "round_row.h"

namespace glamora::records {

class RoundRecorder {
 public:
  // Takes the session's onRoundEnded; `row` hears of each finished round.
  RoundRecorder(Session& session, std::string sessionFile, std::function<void(const RoundRow&)> row);
  ~RoundRecorder();
  RoundRecorder(const RoundRecorder&) = delete;
  RoundRecorder& operator=(const RoundRecorder&) = delete;

  // When the session began (its journal's first line), "2026-12-07T21:04:11+09:00".
  void setStarted(std::string_view isoTime);
  // A `#` line of the journal, without its "# ": the first line gives the
  // start, a network battle's file says which side this machine played and
  // the other machine's name.
  void comment(std::string_view text);

  // The row of a round as it ends; false for a round with no result
  // (abandoned, unfinished).
  bool rowOf(const RoundRecord& round, RoundRow& row) const;

 private:
  Session& session_;
  std::string sessionFile_;
  std::function<void(const RoundRow&)> row_;
  std::int64_t startedMs_ = 0;
  int localPlayer_ = -1;  // a network battle: the side this machine played
  std::string peerName_;
};

}  // namespace glamora::records
