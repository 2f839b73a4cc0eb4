#include "session_journal.h"

#include <QtGlobal>
#include <cstdlib>
#include <iostream>

namespace glamora {

namespace {

// The journal of this run, for the ways out that skip main's own end.
SessionJournal* liveJournal = nullptr;
QtMessageHandler previousHandler = nullptr;

void finishLiveJournal() {
  if (liveJournal) liveJournal->finish();
}

// A fatal message aborts right after the handler: the journal is finished
// first, then the message goes where it went before.
void finishOnFatalMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) finishLiveJournal();
  if (previousHandler) previousHandler(type, context, message);
  else std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << std::endl;
}

void installExitHooks() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  std::atexit(finishLiveJournal);
  previousHandler = qInstallMessageHandler(finishOnFatalMessage);
}

}  // namespace

SessionJournal::SessionJournal(Session& session, const std::string& directory, const QDateTime& started)
    : session_(session),
      fileName_(started.toString("yyyyMMdd-HHmmss").toStdString() + kSessionSuffix),
      // With its offset from UTC, so that the time reads the same anywhere.
      startedText_(started.toOffsetFromUtc(started.offsetFromUtc()).toString(Qt::ISODate).toStdString()) {
  std::string error;
  file_ = JournalFile::create(directory, started.toString("yyyyMMdd-HHmmss").toStdString(), error);
  if (file_) fileName_ = file_->path().filename().string();
  if (!file_) {
    std::cerr << "glamora: session journal off: " << error << "\n";
    return;
  }
  writer_ = std::make_unique<JournalWriter>(*file_);
  writer_->onFailure = [this] { std::cerr << "glamora: session journal off: " << file_->error() << "\n"; };
  writer_->begin("1.0", startedText_);
  session_.setRecorder(writer_.get());
  installExitHooks();
  liveJournal = this;
  keepUpTask_ = OwnedTask(session_.clock, {TaskOwner::Journal, 1000, [this] { keepUp(); }});
}

SessionJournal::~SessionJournal() {
  finish();
  session_.setRecorder(nullptr);
  if (liveJournal == this) liveJournal = nullptr;
}

void SessionJournal::finish() {
  keepUpTask_ = {};
  if (writer_) writer_->finish(session_.clock.now(), session_.currentRound());
}

void SessionJournal::keepUp() {
  if (writer_ && session_.currentRound().number != 0) writer_->keepUp(session_.clock.now());
}

}  // namespace glamora
