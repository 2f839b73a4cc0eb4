#include "net_session_file.h"

#include "engine/replay.h"

namespace glamora::netgame {

std::unique_ptr<NetSessionFile> NetSessionFile::create(const std::string& directory, const QDateTime& started,
                                                       const std::string& side, std::string& error) {
  std::unique_ptr<JournalFile> file =
      JournalFile::create(directory, started.toString("yyyyMMdd-HHmmss").toStdString(), error);
  if (!file) return nullptr;
  std::unique_ptr<NetSessionFile> kept(new NetSessionFile(std::move(file)));
  // The first line as a local session's, so that the replay list shows when it began.
  const QString time = started.toOffsetFromUtc(started.offsetFromUtc()).toString(Qt::ISODate);
  kept->comment("Glamora 1.0 session " + time.toStdString());
  kept->comment("Glamora network battle, " + side + " side");
  return kept;
}

NetSessionFile::NetSessionFile(std::unique_ptr<JournalFile> file)
    : file_(std::move(file)), journal_([this](std::string_view lines) { file_->write(lines); }) {}

void NetSessionFile::tick(const net::ConfirmedTick& t, const net::ConfirmedTally& tally, std::optional<Dialog> dialog) {
  journal_.tick(t);
  if (dialog && round_.number != 0) noteRoundEnd(t.tick, dialogName(*dialog));
  if (tally.rounds > rounds_) {
    // A stage chosen during a round ends that one.
    if (round_.number != 0) noteRoundEnd(t.tick, "abandoned");
    rounds_ = tally.rounds;
    round_ = {tally.rounds, Mode::Battle, t.choice ? t.choice->stage : 0, std::int64_t{t.tick} * net::kTickMs, 0, {}};
  }
}

void NetSessionFile::noteRoundEnd(int tick, const std::string& result) {
  round_.end = std::int64_t{tick} * net::kTickMs;
  round_.result = result;
  journal_.comment(roundNote(round_).substr(2));
  round_ = {};
}

void NetSessionFile::finish(int endTick) {
  journal_.finish(endTick);
  if (round_.number != 0) noteRoundEnd(endTick, kUnfinished);
}

void NetSessionFile::stop(int tick, const std::string& why) {
  if (round_.number != 0) noteRoundEnd(std::max(tick, 0), kUnfinished);
  journal_.comment("network battle stopped: " + why);
}

}  // namespace glamora::netgame
