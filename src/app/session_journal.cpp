#include "session_journal.h"

#include <iostream>

namespace glamora {

SessionJournal::SessionJournal(Session& session, const std::string& directory, const QDateTime& started)
    : session_(session) {
  std::string error;
  file_ = JournalFile::create(directory, started.toString("yyyyMMdd-HHmmss").toStdString(), error);
  if (!file_) {
    std::cerr << "glamora: session journal off: " << error << "\n";
    return;
  }
  writer_ = std::make_unique<JournalWriter>(*file_);
  writer_->onFailure = [this] { std::cerr << "glamora: session journal off: " << file_->error() << "\n"; };
  // With its offset from UTC, so that the time reads the same anywhere.
  writer_->begin("1.0", started.toOffsetFromUtc(started.offsetFromUtc()).toString(Qt::ISODate).toStdString());
  writer_->flush();
  session_.setRecorder(writer_.get());
}

SessionJournal::~SessionJournal() {
  finish();
  session_.setRecorder(nullptr);
}

void SessionJournal::finish() {
  if (writer_) writer_->finish(session_.clock.now());
}

}  // namespace glamora
