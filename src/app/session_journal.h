// Keeps this run as a session journal in the sessions directory. Each input
// is on disk as it happens; a round still running when the program ends is
// noted "unfinished", whether it ends through its event loop, through exit()
// (Qt's way out when the X server goes) or through a fatal Qt message. A
// directory that cannot be written, or a write that fails later, turns the
// journal off with one line on standard error; the game goes on as before.
#pragma once

#include <QDateTime>
#include <memory>
#include <string>

#include "engine/journal.h"
#include "engine/session.h"
#include "sessions/session_files.h"

namespace glamora {

class SessionJournal {
 public:
  SessionJournal(Session& session, const std::string& directory, const QDateTime& started);
  ~SessionJournal();
  SessionJournal(const SessionJournal&) = delete;
  SessionJournal& operator=(const SessionJournal&) = delete;
  // Brings the journal up to the clock and notes the round still running;
  // nothing is written after.
  void finish();
  // Brings the script's clock up to the session's while a round runs; a task
  // of the session's clock calls it every second, so that a killed program
  // loses at most the last second of its round's time.
  void keepUp();
  // The journal's file name ("20261207-210411.session"; the name it would
  // have had when it is off) and the time its first line gives.
  const std::string& fileName() const { return fileName_; }
  const std::string& startedText() const { return startedText_; }

 private:
  Session& session_;
  std::unique_ptr<JournalFile> file_;
  std::unique_ptr<JournalWriter> writer_;
  std::string fileName_;
  std::string startedText_;
  OwnedTask keepUpTask_;  // gone once the journal is finished
};

}  // namespace glamora
