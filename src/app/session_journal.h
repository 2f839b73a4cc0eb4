// Keeps this run as a session journal in the sessions directory. A directory
// that cannot be written, or a write that fails later, turns the journal off
// with one line on standard error; the game goes on as before.
#pragma once

#include <QDateTime>
#include <memory>
#include <string>

#include "engine/journal.h"
#include "engine/session.h"
#include "modes/session_files.h"

namespace glamora {

class SessionJournal {
 public:
  SessionJournal(Session& session, const std::string& directory, const QDateTime& started);
  ~SessionJournal();
  // Brings the journal up to the clock and writes out what is buffered.
  void finish();
  bool active() const { return writer_ && !writer_->failed(); }
  std::string path() const { return file_ ? file_->path().string() : std::string(); }

 private:
  Session& session_;
  std::unique_ptr<JournalFile> file_;
  std::unique_ptr<JournalWriter> writer_;
};

}  // namespace glamora
