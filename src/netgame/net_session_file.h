// A network battle kept as a session file of its own, beside the local ones:
// the headless peer's journal of it (every confirmed input at its tick from
// the battle's own t = 0), with `#` lines naming the side, the peer and each
// round, so that the replay list shows its rounds and plays them exactly.
#pragma once

#include <QDateTime>
#include <memory>
#include <optional>
#include <string>

#include "engine/effects.h"
#include "engine/journal.h"
#include "engine/net/net_journal.h"
#include "sessions/session_files.h"

namespace glamora::netgame {

class NetSessionFile {
 public:
  // None, with the reason in `error`, when the file cannot be made.
  static std::unique_ptr<NetSessionFile> create(const std::string& directory, const QDateTime& started,
                                                const std::string& side, std::string& error);

  std::string path() const { return file_->path().string(); }
  void comment(const std::string& text) { journal_.comment(text); }
  // A confirmed tick, the rounds as its confirmation left them, and the
  // result dialog it opened, if any.
  void tick(const net::ConfirmedTick& tick, const net::ConfirmedTally& tally, std::optional<Dialog> dialog);
  // The end tick both sides stopped at.
  void finish(int endTick);
  // The battle stopped short (a side left or went silent) at this tick.
  void stop(int tick, const std::string& why);

 private:
  explicit NetSessionFile(std::unique_ptr<JournalFile> file);
  void noteRoundEnd(int tick, const std::string& result);

  std::unique_ptr<JournalFile> file_;
  net::NetJournal journal_;
  RoundRecord round_;  // the round running (number 0: none)
  int rounds_ = 0;
};

}  // namespace glamora::netgame
