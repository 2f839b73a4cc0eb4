#include "net_session_journal.h"

#include <algorithm>

#include "engine/journal.h"
#include "engine/replay.h"

namespace glamora::net {

NetSessionJournal::NetSessionJournal(std::function<void(std::string_view)> write, const std::string& started,
                                     const std::string& side)
    : journal_(std::move(write)) {
  // The first line as a local session's, so that the replay list shows when it began.
  comment("Glamora 1.0 session " + started);
  comment("Glamora network battle, " + side + " side");
}

void NetSessionJournal::tick(const ConfirmedTick& t, const ConfirmedTally& tally, std::optional<Dialog> dialog) {
  journal_.tick(t);
  if (dialog && round_.number != 0) noteRoundEnd(t.tick, dialogName(*dialog));
  if (tally.rounds > rounds_) {
    // A stage chosen during a round ends that one.
    if (round_.number != 0) noteRoundEnd(t.tick, "abandoned");
    rounds_ = tally.rounds;
    round_ = {tally.rounds, Mode::Battle, t.choice ? t.choice->stage : 0, std::int64_t{t.tick} * kTickMs, 0, {}};
  }
}

void NetSessionJournal::noteRoundEnd(int tick, const std::string& result) {
  round_.end = std::int64_t{tick} * kTickMs;
  round_.result = result;
  journal_.comment(roundNote(round_).substr(2));
  round_ = {};
}

void NetSessionJournal::finish(int endTick) {
  journal_.finish(endTick);
  if (round_.number != 0) noteRoundEnd(endTick, kUnfinished);
}

void NetSessionJournal::stop(int tick, const std::string& why) {
  if (round_.number != 0) noteRoundEnd(std::max(tick, 0), kUnfinished);
  journal_.comment("network battle stopped: " + why);
}

}  // namespace glamora::net
