// A network battle kept as a session file of its own, beside the local ones:
// the headless peer's journal of it (every confirmed input at its tick from
// the battle's own t = 0), with `#` lines naming the side, the peer and each
// round, so that the replay list shows its rounds and plays them exactly.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/session.h"
#include "net_journal.h"

namespace glamora::net {

class NetSessionJournal {
 public:
  // `write` takes whole lines; `started` is the local time the battle began,
  // in ISO 8601 with its offset; `side` "host" or "joiner".
  NetSessionJournal(std::function<void(std::string_view)> write, const std::string& started, const std::string& side);

  void comment(const std::string& text) { journal_.comment(text); }
  // A confirmed tick, the rounds as its confirmation left them, and the
  // result dialog it opened, if any.
  void tick(const ConfirmedTick& tick, const ConfirmedTally& tally, std::optional<Dialog> dialog);
  // The end tick both sides stopped at.
  void finish(int endTick);
  // The battle stopped short (a side left or went silent) at this tick.
  void stop(int tick, const std::string& why);

 private:
  void noteRoundEnd(int tick, const std::string& result);

  NetJournal journal_;
  RoundRecord round_;  // the round running (number 0: none)
  int rounds_ = 0;
};

}  // namespace glamora::net
